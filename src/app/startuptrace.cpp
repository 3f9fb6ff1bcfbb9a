#include "app/startuptrace.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <vector>

namespace {
struct Step {
    const char* name;
    qint64 nsecs;
};

struct Trace {
    bool on = false;
    QElapsedTimer since;
    std::vector<Step> steps;
};

Trace& trace() {
    static Trace t;
    return t;
}

void print() {
    Trace& t = trace();
    std::fprintf(stderr, "%-32s %10s %10s\n", "start-up step", "at ms", "took ms");
    qint64 before = 0;
    for (const Step& s : t.steps) {
        std::fprintf(stderr, "%-32s %10.2f %10.2f\n", s.name, s.nsecs / 1e6,
                     (s.nsecs - before) / 1e6);
        before = s.nsecs;
    }
    // Wall-clock time of the first paint, for comparing with a launch time taken outside.
    std::fprintf(stderr, "main window painted at %lld ms since the epoch\n",
                 static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
    t.steps.clear();
    t.on = false;
}

class FirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            startuptrace::mark("main window painted");
            print();
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};
} // namespace

namespace startuptrace {

void begin() {
    Trace& t = trace();
    t.on = qEnvironmentVariableIntValue("CHIMELET_TRACE_STARTUP") == 1;
    if (!t.on) return;
    t.since.start();
    t.steps.reserve(32);
    mark("main");
}

void mark(const char* step) {
    Trace& t = trace();
    if (t.on) t.steps.push_back({step, t.since.nsecsElapsed()});
}

void finishon(QWidget* window) {
    if (trace().on) window->installEventFilter(new FirstPaint(window));
}

} // namespace startuptrace
