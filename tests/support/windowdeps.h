#pragma once

#include "schedule/errorreporter.h"
#include "schedule/workspace.h"
#include "store/apppaths.h"
#include "support/fakeplatform.h"

// What the frame hands the windows, here over the fakes.
struct WindowDeps {
    explicit WindowDeps(FakePlatform& fake) : ws(fake.clock), reporter(fake.dialogs) {}
    Workspace ws;
    AppPaths paths;
    ErrorReporter reporter;

    // Stores a Notification and adds its row, as the editor's New does; its record index.
    int add(const TNotificationRecord& rec) {
        const RecordIndex index = ws.appendrecord(rec);
        ws.addtolist(rec, index);
        return index.value;
    }
};
