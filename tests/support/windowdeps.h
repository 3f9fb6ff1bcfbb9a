#pragma once

#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/workspace.h"
#include "store/apppaths.h"
#include "store/notificationsink.h"
#include "support/fakeplatform.h"
#include "support/listparts.h"

#include <vector>

// Records the Notifications handed on to be shown.
struct RecordingSink : NotificationSink {
    std::vector<TNotificationRecord> shown;
    void shownotification(const TNotificationRecord& rec) override { shown.push_back(rec); }
};

// What the frame hands the windows, here over the fakes.
struct WindowDeps {
    explicit WindowDeps(FakePlatform& fake)
        : reporter(fake.dialogs), list(fake.clock, sink, reporter) {}
    RecordingSink sink;
    ErrorReporter reporter;
    ListController list;
    Workspace& ws = workspaceof(list);
    AppPaths paths;

    // Stores a Notification and adds its row, as the editor's New does; its record index.
    int add(const TNotificationRecord& rec) {
        const RecordIndex index = ws.appendrecord(rec);
        ws.addtolist(rec, index);
        return index.value;
    }
};
