#pragma once

#include "store/ansitext.h"

#include <QString>

#include <exception>

class Dialogs;

// The one way an error reaches the user: its own text in the information box. One box
// at a time: an error raised while a box is open (the tick goes on behind it) is
// dropped, so a fault that repeats every second cannot stack boxes.
class ErrorReporter {
public:
    explicit ErrorReporter(Dialogs& dialogs) : dialogs_(dialogs) {}

    void report(const QString& text);
    bool showing() const { return showing_; }

private:
    Dialogs& dialogs_;
    bool showing_ = false;
};

// Runs a handler connected to a signal or a timer; what it raises is reported here
// instead of unwinding through Qt.
template <class Work> void guarded(ErrorReporter& reporter, Work&& work) {
    try {
        work();
    } catch (const std::exception& e) {
        // Texts of records and paths in it are in their stored form.
        reporter.report(fromansi(e.what()));
    }
}
