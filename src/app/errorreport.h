#pragma once

#include <QApplication>

// Every handler catches and reports its own errors (schedule/errorreporter.h). What still
// escapes one is a fault in the program: it is logged here rather than left to unwind
// through Qt, which Qt does not allow.
class ChimeletApplication : public QApplication {
public:
    ChimeletApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
