#include "store/apppaths.h"

#include "store/privatefiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

QString withseparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// An installed copy runs from <prefix>/bin with its shared files in <prefix>/share/chimelet.
QString shareddata(const QString& exeFolder) {
    return QDir::cleanPath(exeFolder + QStringLiteral("/../share/chimelet"));
}

} // namespace

AppPaths AppPaths::beside(const QString& folder, const QString& documents) {
    AppPaths p;
    p.exefolder = withseparator(folder);
    p.datafolder = p.exefolder;
    p.docfolder = documents;
    p.wallpaperbmp = p.datafolder + QStringLiteral("Chimelet Background.bmp");
    p.tmpbmp = p.datafolder + QStringLiteral("tmp.bmp");
    p.databasefile = p.datafolder + QStringLiteral("chdb.res");
    p.settingsfile = p.datafolder + QStringLiteral("chsb.rez");
    p.runstatefile = p.datafolder + QStringLiteral("chimelet.run");
    p.helpfile = p.exefolder + QStringLiteral("chmhlp.tub");
    return p;
}

AppPaths AppPaths::locate(const QString& exeFolder, const QString& documents,
                          const QString& userData, const WritableProbe& writable) {
    const QString shared = shareddata(exeFolder);
    // Even where it could (root, a user-owned prefix), an installed copy never writes
    // into its bin folder.
    const bool installed = QFileInfo(shared).isDir();
    AppPaths p;
    if (!installed && writable(exeFolder)) {
        p = beside(exeFolder, documents);
    } else if (makeprivatefolder(userData) && writable(userData)) {
        p = beside(userData, documents);
    } else {
        p.docfolder = documents;
    }
    p.exefolder = withseparator(exeFolder);
    p.helpfile = shippedfile(exeFolder, QStringLiteral("chmhlp.tub"));
    return p;
}

AppPaths AppPaths::locate(const QString& exeFolder, const QString& documents,
                          const QString& userData) {
    return locate(exeFolder, documents, userData, canwrite);
}

QString shippedfile(const QString& exeFolder, const QString& name) {
    const QString besideExe = withseparator(exeFolder) + name;
    const QString shared = shareddata(exeFolder) + QLatin1Char('/') + name;
    return !QFile::exists(besideExe) && QFile::exists(shared) ? shared : besideExe;
}

bool canwrite(const QString& folder) {
    QTemporaryFile probe(withseparator(folder) + QStringLiteral(".chimelet-XXXXXX"));
    return probe.open();
}
