#pragma once

#include <QObject>

#include <functional>

// Carries a work's calls: a signal emitted on the work's thread, queued to the receiver's.
class OffThreadRelay : public QObject {
    Q_OBJECT
signals:
    void call(const std::function<void()>& call);
};
