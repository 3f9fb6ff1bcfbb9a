#pragma once

#include "app/commandline.h"

#include <optional>

class LocalSingleInstance;

// Hands the command line's command to the copy that holds the data folder and prints its
// answer: lines on the standard output, the message on the error output, each of its
// lines after "chimelet: ". Quit returns once the program has ended. When no copy runs,
// a command starts one and waits until it answers; a file is left to this process to
// start with. A copy that holds the folder but does not answer is reported, and nothing
// else is done. The exit code, or nothing when this process is to start the program
// itself.
std::optional<int> handover(const LocalSingleInstance& instance, const CommandLine& line,
                            const QString& datafolder);

// Says on the error output that the copy holding `datafolder` could not be reached (and,
// for a `command`, that it was not carried out); the exit code.
int unreachable(const QString& datafolder, bool command);

// How long a command waits for a copy to start and answer.
inline constexpr int kHandoverMsecs = 30000;
// How long --quit waits for the program to end, "Save before exit?" answered included.
inline constexpr int kQuitMsecs = 60000;
