// A list file's bytes opened into a working list, then ticked and stepped through every
// command a user may give it. The bytes stay in memory; the working database, which the
// program keeps as a file, lives in the run's scratch folder (in memory under fuzz.sh).
#include "fuzzfiles.h"

#include "schedule/engine.h"
#include "schedule/listfiles.h"
#include "schedule/workspace.h"
#include "store/notificationsink.h"
#include "support/manualclock.h"

namespace {
struct NullSink : NotificationSink {
    void shownotification(const TNotificationRecord&) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Just before midnight, where due times wrap round.
    ManualClock clock(QDateTime(QDate(2026, 3, 2), QTime(23, 59, 58)));
    Workspace ws(clock);
    NullSink sink;
    Engine engine(ws, sink);
    ListFiles files(ws);
    static const QString database = fuzzfile("chdb.res", nullptr, 0);
    ws.db().setpath(database);
    ws.db().createdatabase();
    if (!files.openbytes(fuzzbytes(data, size), QStringLiteral("fuzz.clt"))) return 0;
    for (int i = 0; i < 3; ++i) {
        engine.tick();
        clock.advance(1000);
    }
    engine.startall();
    engine.tick();
    if (ws.rowcount() > 0) {
        engine.stop(0);
        engine.resume(0);
        engine.remove(0);
    }
    engine.stopall();
    return 0;
}
