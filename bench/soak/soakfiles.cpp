// Lays out a program folder for the soak: 200 repeating Notifications (text strips,
// balloons, small and full-screen pictures, with and without fades), four pictures (one a
// metafile), and a Run Once "checkpoint" at a time of day CHECKPOINT seconds from now; the
// settings open the list at start. "brisk" makes every row a countdown of 1 to 3 seconds,
// for many firings at the real speed. Usage: soakfiles FOLDER CHECKPOINT [brisk]
// Prints the checkpoint's record, then one line per row that pops a balloon: "countdown
// SECONDS" (its period) or "time SECONDS" (how far its first time of day is from now).
#include "store/secure.h"
#include "store/workingdatabase.h"
#include "support/testpictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTime>

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    const bool brisk = argc == 4 && std::string_view(argv[3]) == "brisk";
    if (argc != 3 && !brisk) {
        std::fprintf(stderr, "usage: soakfiles FOLDER CHECKPOINT [brisk]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int checkpoint = QString::fromLocal8Bit(argv[2]).toInt();

    QStringList pictures;
    for (const char* ext : {"png", "jpg", "bmp"}) {
        QImage image(800, 600, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(static_cast<int>(pictures.size()) * 110, 200, 220));
        QPainter(&image).drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Soak"));
        pictures << folder + "/picture." + ext;
        image.save(pictures.back());
    }
    WmfWriter wmf(2000, 1000, 1000);
    wmf.brush(0x0000a0ff);
    wmf.ellipse(200, 100, 1800, 900);
    pictures << folder + "/picture.wmf";
    QFile metafile(pictures.back());
    if (!metafile.open(QIODevice::WriteOnly) || metafile.write(wmf.finish()) < 0) return 1;
    metafile.close();

    const QString list = folder + "/soak.clt";
    WorkingDatabase db;
    db.setpath(list);
    db.createdatabase();
    constexpr int kRows = 200;
    const QTime now = QTime::currentTime();
    std::printf("%d\n", kRows + 1);
    for (int i = 1; i <= kRows; ++i) {
        TNotificationRecord rec;
        rec.MessageText = "Soak " + std::to_string(i);
        rec.FontName = "DejaVu Sans";
        rec.FontSize = 24 + i % 30;
        rec.FontColor = i % 2 ? "clRed" : "clNavy";
        rec.DisplayText = 1;
        const char* text[] = {codes::DesktopOverlay, codes::BalloonBubble,
                              codes::BalloonAndOverlay};
        rec.TextDisplayType = text[i % 3];
        if (i % 4 == 0) {
            rec.DisplayImage = 1;
            rec.ImageFile = pictures[(i / 4 + i / 8) % pictures.size()].toStdString();
            rec.ImageDisplayType =
                i % 8 == 0 ? codes::OverlayFullScreen : codes::OverlaySmallWindow;
        }
        // Countdowns from 5 minutes to about 2 hours; one in five a time of the day.
        if (brisk) {
            rec.TimerType = codes::Countdown;
            rec.Seconds = 1 + i % 3;
        } else if (i % 5 == 0) {
            rec.TimerType = codes::CertainTime;
            const int at = (i * 431) % 86400;
            rec.Hours = at / 3600;
            rec.Minutes = at / 60 % 60;
            rec.Seconds = at % 60;
        } else {
            rec.TimerType = codes::Countdown;
            const int length = 300 + (i * 997) % 6900;
            rec.Hours = length / 3600;
            rec.Minutes = length / 60 % 60;
            rec.Seconds = length % 60;
        }
        const bool balloon = rec.TextDisplayType != codes::DesktopOverlay;
        const int seconds = rec.Hours * 3600 + rec.Minutes * 60 + rec.Seconds;
        if (balloon && rec.TimerType == codes::Countdown) std::printf("countdown %d\n", seconds);
        if (balloon && rec.TimerType == codes::CertainTime)
            std::printf("time %d\n",
                        (seconds - now.msecsSinceStartOfDay() / 1000 + 86399) % 86400 + 1);
        rec.RepeatFlag = 1;
        rec.Fade = i % 3 == 0 ? 0 : 1;
        rec.DisplayDuration = 1 + i % 10;
        rec.Active = 1;
        db.writenotification(rec, RecordIndex(i));
    }
    TNotificationRecord mark;
    mark.MessageText = "checkpoint";
    mark.DisplayText = 1;
    mark.FontName = "DejaVu Sans";
    mark.FontSize = 30;
    mark.FontColor = "clGreen";
    mark.TextDisplayType = codes::BalloonBubble;
    mark.TimerType = codes::CertainTime;
    const QTime at = now.addSecs(checkpoint);
    std::printf("time %d\n", checkpoint);
    mark.Hours = at.hour();
    mark.Minutes = at.minute();
    mark.Seconds = at.second();
    mark.DisplayDuration = 2;
    mark.Active = 1;
    db.writenotification(mark, RecordIndex(kRows + 1));
    db.setrecordcount(kRows + 1);
    db.close();

    SettingsStore settings;
    if (!settings.opensettings(folder + "/chsb.rez")) return 1;
    TSettingsRecord first = settings.readsetting(0);
    first.Text = SettingsStore::storedtext(list.toStdString());
    settings.writesetting(first, 0);
    settings.close();
    return 0;
}
