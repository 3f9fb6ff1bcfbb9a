#include "schedule/errorreporter.h"

#include "platform/dialogs.h"

void ErrorReporter::report(const QString& text) {
    if (showing_) return;
    showing_ = true;
    struct Closed {
        bool& flag;
        ~Closed() { flag = false; }
    } closed{showing_};
    dialogs_.infobox(text);
}
