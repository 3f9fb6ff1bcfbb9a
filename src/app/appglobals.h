#pragma once

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "schedule/errorreporter.h"
#include "store/apppaths.h"
#include "store/secure.h"

#include <functional>

// What the program holds for its whole run besides its windows: the services, the
// paths beside the executable, the settings store and the one error box.
struct AppGlobals {
    explicit AppGlobals(Platform p) : platform(p), reporter(*p.dialogs) {}

    Platform platform;
    AppPaths paths;
    SettingsStore settings;
    ErrorReporter reporter;

    bool started = false;
    bool secondinstance = false;

    // Ends the process at once. Tests replace it with a recorder; it may then return.
    std::function<void(int)> endprocess;

    void infobox(const QString& text) { platform.dialogs->infobox(text); }
};
