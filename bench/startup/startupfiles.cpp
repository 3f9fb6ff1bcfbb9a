// Lays out a program folder for the start-up benchmark: a list of 20 Notifications (or
// ROWS) and a settings store that opens it at start, minimised with --minimised.
// Usage: startupfiles FOLDER [--minimised] [--rows ROWS]
#include "store/secure.h"
#include "store/workingdatabase.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    bool minimised = false;
    int rows = 20;
    bool usage = argc < 2;
    for (int i = 2; i < argc && !usage; ++i) {
        if (std::strcmp(argv[i], "--minimised") == 0)
            minimised = true;
        else if (std::strcmp(argv[i], "--rows") == 0 && i + 1 < argc)
            rows = std::atoi(argv[++i]);
        else
            usage = true;
    }
    if (usage || rows < 1 || rows > 65536) {
        std::fprintf(stderr, "usage: startupfiles FOLDER [--minimised] [--rows ROWS]\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString list = folder + "/startup.clt";
    WorkingDatabase db;
    db.setpath(list);
    db.createdatabase();
    for (int i = 1; i <= rows; ++i) {
        TNotificationRecord rec;
        rec.MessageText = "Notification " + std::to_string(i);
        rec.DisplayText = 1;
        rec.TextDisplayType = codes::BalloonAndOverlay;
        rec.FontName = "DejaVu Sans";
        rec.FontSize = 40;
        rec.FontColor = "clRed";
        rec.TimerType = i % 4 == 0 ? codes::CertainTime : codes::Countdown;
        rec.Hours = i % 4 == 0 ? 3 : 2;
        rec.Minutes = i;
        rec.RepeatFlag = 1;
        rec.DisplayDuration = 5;
        rec.Active = 1;
        db.writenotification(rec, RecordIndex(i));
    }
    db.setrecordcount(rows);
    db.close();

    SettingsStore settings;
    if (!settings.opensettings(folder + "/chsb.rez")) return 1;
    TSettingsRecord first = settings.readsetting(0);
    first.Text = SettingsStore::storedtext(list.toStdString());
    first.Value = minimised ? 1 : 0;
    settings.writesetting(first, 0);
    settings.close();
    return 0;
}
