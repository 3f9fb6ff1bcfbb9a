#include "store/apppaths.h"

#include <QDir>

AppPaths AppPaths::beside(const QString& exeFolder, const QString& documents) {
    AppPaths p;
    p.exefolder = exeFolder;
    if (!p.exefolder.endsWith(QLatin1Char('/'))) p.exefolder += QLatin1Char('/');
    p.docfolder = documents;
    p.wallpaperbmp = p.exefolder + QStringLiteral("Chimelet Background.bmp");
    p.tmpbmp = p.exefolder + QStringLiteral("tmp.bmp");
    p.databasefile = p.exefolder + QStringLiteral("chdb.res");
    p.settingsfile = p.exefolder + QStringLiteral("chsb.rez");
    return p;
}
