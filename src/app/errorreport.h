#pragma once

#include <QApplication>

#include <functional>

// The program's one top-level error handler: an error that leaves an event handler
// or a timer slot is shown with its own text, and the program carries on.
class ChimeletApplication : public QApplication {
public:
    ChimeletApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static void setreporter(std::function<void(const QString&)> report);
};

// Runs `work`; an error it raises goes to the reporter instead of further up.
void reporterrors(const std::function<void()>& work);
