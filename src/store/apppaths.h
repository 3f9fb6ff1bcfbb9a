#pragma once

#include <QString>

// The files the program keeps beside its executable, formed once at start-up.
struct AppPaths {
    QString exefolder;    // ends with a separator
    QString docfolder;    // the user's documents folder
    QString wallpaperbmp; // "Chimelet Background.bmp"
    QString tmpbmp;       // scratch bitmap "tmp.bmp"
    QString databasefile; // working database "chdb.res"
    QString settingsfile; // settings store "chsb.rez"

    static AppPaths beside(const QString& exeFolder, const QString& documents);
};
