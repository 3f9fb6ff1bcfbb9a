#pragma once

#include "store/notificationrecord.h"

// Where a due Notification goes: the presentation dispatcher. The engine and the
// editor's Preview see only this.
class NotificationSink {
public:
    virtual ~NotificationSink() = default;
    virtual void shownotification(const TNotificationRecord& rec) = 0;
};
