#pragma once

#include <QString>

#include <functional>

// Where the program keeps its files, decided once at start-up.
struct AppPaths {
    QString exefolder;    // the executable's folder, ends with a separator
    QString datafolder;   // where the files below live, ends with a separator
    QString docfolder;    // the user's documents folder
    QString wallpaperbmp; // "Chimelet Background.bmp"
    QString tmpbmp;       // scratch bitmap "tmp.bmp"
    QString databasefile; // working database "chdb.res"
    QString settingsfile; // settings store "chsb.rez"
    QString runstatefile; // "chimelet.run", there while a copy runs on the folder
    QString helpfile;     // the shipped help text "chmhlp.tub", read only

    // Every file in `folder`.
    static AppPaths beside(const QString& folder, const QString& documents);

    using WritableProbe = std::function<bool(const QString& folder)>;
    // Beside the executable when files can be created there and the program is not an
    // installed copy; else in `userData`, created private (0700) when missing. Empty file paths
    // (and an empty `datafolder`) when neither folder can be written.
    static AppPaths locate(const QString& exeFolder, const QString& documents,
                           const QString& userData, const WritableProbe& writable);
    static AppPaths locate(const QString& exeFolder, const QString& documents,
                           const QString& userData);
};

// A read-only file shipped with the program: beside the executable, else in the installed
// <prefix>/share/chimelet; the path beside the executable when neither has it.
QString shippedfile(const QString& exeFolder, const QString& name);

// True when a new file can be made in `folder`: the only test that also holds for
// read-only mounts, immutable folders and a user who ignores permission bits.
bool canwrite(const QString& folder);
