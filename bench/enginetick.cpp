// One-second tick of the activation engine: the cost of a full tick over a long
// list beside the floor of copying the same records in memory, and how punctually
// the ticks land after each second with the other core busy.
// Usage: enginetick [ticks-for-phase, default 300]
#include "linuxplatform/clock.h"
#include "schedule/engine.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"
#include "store/notificationsink.h"
#include "support/manualclock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {
constexpr int kRows = 10000;

class CountingSink : public NotificationSink {
public:
    int shown = 0;
    void shownotification(const TNotificationRecord&) override { ++shown; }
};

// Every row active: long countdowns and, every tenth, a certain time.
void fill(Workspace& ws) {
    TNotificationRecord rec;
    rec.MessageText = "Benchmark notification";
    rec.TextDisplayType = codes::BalloonAndOverlay;
    rec.RepeatFlag = 1;
    rec.Active = 1;
    rec.DisplayDuration = 5;
    for (int i = 0; i < kRows; ++i) {
        const bool certain = i % 10 == 0;
        rec.TimerType = certain ? codes::CertainTime : codes::Countdown;
        rec.Hours = certain ? (i / 10) % 24 : 23;
        rec.Minutes = i % 60;
        rec.Seconds = (i * 7) % 60;
        ws.addtolist(rec, ws.appendrecord(rec));
    }
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto at = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(at, v.size() - 1)];
}

void fulltick(const QString& folder) {
    ManualClock clock;
    Workspace ws(clock);
    ws.db().setpath(folder + "/chdb.res");
    ws.db().createdatabase();
    fill(ws);
    CountingSink sink;
    Engine engine(ws, sink);

    // The floor: a bare copy of the same records, as a tick that did nothing else would cost.
    std::vector<RecordBytes> records, copy;
    for (int i = 0; i <= kRows; ++i)
        records.push_back(ws.db().raw(RecordIndex(i)));
    std::vector<double> ms, floor;
    for (int i = 0; i < 30; ++i) {
        clock.advance(1000);
        QElapsedTimer t;
        t.start();
        engine.tick();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        t.restart();
        copy = records;
        [[maybe_unused]] volatile uint8_t kept = copy[static_cast<std::size_t>(i)][0];
        floor.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::printf("full tick over %d active rows (30 ticks): min %.2f ms, p50 %.2f ms, max %.2f ms; "
                "bare copy of the records p50 %.2f ms\n",
                kRows, *std::min_element(ms.begin(), ms.end()), percentile(ms, 0.5),
                *std::max_element(ms.begin(), ms.end()), percentile(floor, 0.5));
    std::printf("RESULT tick_10k_p50_ms %.3f ms\n", percentile(ms, 0.5));
    std::printf("RESULT tick_10k_floor_ms %.3f ms\n", percentile(floor, 0.5));
}

void phase(const QString& folder, int ticks) {
    SystemClock clock;
    Workspace ws(clock);
    ws.db().setpath(folder + "/phase.res");
    ws.db().createdatabase();
    fill(ws);
    CountingSink sink;
    Engine engine(ws, sink);
    SecondTicker ticker(clock);

    std::atomic<bool> busy{true};
    std::thread burner([&busy] {
        volatile unsigned long x = 0;
        while (busy.load(std::memory_order_relaxed))
            x = x + 1;
    });

    std::vector<double> phases, durations;
    std::vector<qint64> seconds;
    QObject::connect(&ticker, &SecondTicker::tick, [&] {
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        phases.push_back(static_cast<double>(now % 1000));
        seconds.push_back(now / 1000);
        QElapsedTimer t;
        t.start();
        engine.tick();
        durations.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        if (static_cast<int>(phases.size()) == ticks) QCoreApplication::quit();
    });
    ticker.start();
    QCoreApplication::exec();
    busy = false;
    burner.join();

    int skipped = 0, repeated = 0;
    for (std::size_t i = 1; i < seconds.size(); ++i) {
        const qint64 step = seconds[i] - seconds[i - 1];
        if (step == 0) ++repeated;
        if (step > 1) skipped += static_cast<int>(step - 1);
    }
    std::printf("tick phase after the second, other core busy, %d rows, %d ticks: "
                "p50 %.0f ms, p99 %.0f ms, max %.0f ms; seconds skipped %d, seen twice %d; "
                "tick p50 %.1f ms\n",
                kRows, ticks, percentile(phases, 0.5), percentile(phases, 0.99),
                *std::max_element(phases.begin(), phases.end()), skipped, repeated,
                percentile(durations, 0.5));
    std::printf("RESULT tick_phase_p99_ms %.0f ms\n", percentile(phases, 0.99));
    std::printf("RESULT skipped_seconds %d count\n", skipped);
    std::printf("RESULT doubled_seconds %d count\n", repeated);
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int ticks = argc > 1 ? std::max(2, QString(argv[1]).toInt()) : 300;
    QTemporaryDir dir;
    fulltick(dir.path());
    phase(dir.path(), ticks);
    return 0;
}
