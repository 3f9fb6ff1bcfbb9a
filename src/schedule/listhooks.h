#pragma once

#include "store/recordindex.h"

#include <QString>

#include <cstdint>
#include <functional>

enum class PlayMode : uint8_t;

// The parts of the main window that the engine and the list file commands touch.
// The window fills these in; each defaults to doing nothing, so the logic runs and
// is tested without any window.
struct ListHooks {
    // Status bar panel 2: the current time, written at the start of every tick.
    std::function<void(const QString&)> clockpanel = [](const QString&) {};
    // Status bar panel 4: the name of the open file.
    std::function<void(const QString&)> filepanel = [](const QString&) {};
    // Sets the mode selector without running its change handler.
    std::function<void(PlayMode)> modeselector = [](PlayMode) {};
    // Shows a record in the preview panel; -1 empties the panel.
    std::function<void(int32_t)> showpreview = [](int32_t) {};
    // Closes the audio player; must not throw.
    std::function<void()> closeaudio = [] {};
    // Opens the editor on a record shown in a row.
    std::function<void(RecordIndex, int)> editnotification = [](RecordIndex, int) {};
};
