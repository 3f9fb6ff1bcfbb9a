// One engine tick over a long list: every row's "Left" text stepped once through the
// row table while the main window's model and view listen. Prints the time per tick.
#include "platform/dialogs.h"
#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/secondticker.h"
#include "schedule/timetext.h"
#include "schedule/workspace.h"
#include "store/apppaths.h"
#include "store/notificationsink.h"
#include "support/listparts.h"
#include "support/manualclock.h"
#include "ui/mainwindow/main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    ManualClock clock;
    struct NoDialogs : Dialogs {
        void infobox(const QString&) override {}
        std::optional<QString> openfile(const FileDialogSetup&) override { return {}; }
        std::optional<QString> savefile(const FileDialogSetup&) override { return {}; }
    } dialogs;
    struct NoSink : NotificationSink {
        void shownotification(const TNotificationRecord&) override {}
    } sink;
    AppPaths paths;
    ErrorReporter reporter(dialogs);
    ListController list(clock, sink, reporter);
    Workspace& ws = workspaceof(list);
    TForm1 form(list, dialogs, paths, reporter);
    tickerof(list).stop();
    form.show();

    constexpr int kRows = 10000;
    for (int i = 1; i <= kRows; ++i) {
        TNotificationRecord rec;
        rec.MessageText = "Notification " + std::to_string(i);
        rec.TimerType = "Countdown";
        rec.Hours = 5;
        rec.Minutes = i % 60;
        rec.Seconds = 30;
        rec.Active = 1;
        rec.RepeatFlag = i % 2;
        ws.addtolist(rec, RecordIndex(i));
    }
    QApplication::processEvents();

    RowTable& rows = ws.rows();
    // As the engine's tick does: every countdown one second on, the model told once.
    auto tick = [&rows] {
        RowTable::Batch batch(rows);
        for (int r = 0; r < rows.size(); ++r)
            rows.stepcountdown(r, 1);
    };
    tick(); // warm-up
    QApplication::processEvents();

    constexpr int kTicks = 50;
    qint64 stepping = 0, painting = 0;
    QElapsedTimer t;
    for (int i = 0; i < kTicks; ++i) {
        t.start();
        tick();
        stepping += t.nsecsElapsed();
        t.start();
        QApplication::processEvents(); // the repaint the tick asked for
        painting += t.nsecsElapsed();
    }
    std::printf("listtick: %d rows, %d ticks\n", kRows, kTicks);
    std::printf("  step all rows through the model: %.3f ms per tick\n", stepping / 1e6 / kTicks);
    std::printf("  repaint of the visible rows:      %.3f ms per tick\n", painting / 1e6 / kTicks);
    std::printf("  last row now shows \"%s\"\n",
                qPrintable(rows.subitem(kRows - 1, rowpart::Left)));
    std::printf("RESULT list_step_10k_ms %.3f ms\n", stepping / 1e6 / kTicks);
    return 0;
}
