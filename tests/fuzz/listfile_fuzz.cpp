// A list file opened into a working list, then ticked and stepped through every
// command a user may give it.
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
    ws.db().setPath(fuzzfile("chdb.res", nullptr, 0));
    ws.db().createdatabase();
    if (!files.open(fuzzfile("list.clt", data, size))) return 0;
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
