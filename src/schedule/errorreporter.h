#pragma once

#include "store/ansitext.h"

#include <QObject>
#include <QString>

#include <exception>
#include <functional>
#include <type_traits>

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

// Calls `handler` (a member of `receiver`, or any callable) with the signal's arguments, or
// with none when it takes none, as Qt drops them for a slot. A function of its own, so the
// call not taken is never compiled for the arguments at hand.
template <class Handler, class Receiver, class... Args>
void callhandler(const Handler& handler, [[maybe_unused]] Receiver* receiver, const Args&... args) {
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        if constexpr (std::is_invocable_v<const Handler&, Receiver*, const Args&...>)
            std::invoke(handler, receiver, args...);
        else
            std::invoke(handler, receiver);
    } else if constexpr (std::is_invocable_v<const Handler&, const Args&...>) {
        std::invoke(handler, args...);
    } else {
        std::invoke(handler);
    }
}

// The one way a handler is connected to a signal: `handler` runs through guarded.
template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection connectguarded(ErrorReporter& reporter, Sender* sender, Signal signal,
                                       Receiver* receiver, Handler handler) {
    return QObject::connect(sender, signal, receiver,
                            [&reporter, receiver, handler](const auto&... args) {
                                guarded(reporter, [&] { callhandler(handler, receiver, args...); });
                            });
}
