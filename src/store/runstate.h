#pragma once

#include <QString>

#include <optional>

// What the next start needs to reopen the working list after an end that skipped the
// shutdown (the process killed, the machine off): kept in the data folder while the
// program runs, removed by the shutdown. The records themselves are in the working
// database, which every change reaches at once.
struct RunState {
    QString listfile;      // the .clt the list is tied to, empty for an unnamed list
    bool modified = false; // the unsaved-changes mark
    bool operator==(const RunState&) const = default;
};

// Replaces the file in one step, the user's alone; false when it could not be written.
bool writerunstate(const QString& path, const RunState& state);
// Nothing when there is no file: the last run ended through the shutdown, or never ran.
// A file that cannot be read whole counts as an unnamed list with changes.
std::optional<RunState> readrunstate(const QString& path);
void removerunstate(const QString& path);
