#pragma once

#include <QObject>

// News of the machine waking from sleep. Where the system gives none, it never speaks,
// and the tick's gap rule alone makes up for the sleep.
class SleepWatch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void woke();
};
