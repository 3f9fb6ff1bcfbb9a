#pragma once

#include "platform/remotecommand.h"

#include <QString>
#include <QStringList>

// What the command line asks for. Read before anything of the program starts, so help,
// the version and a refusal never show a window or touch a file.
struct CommandLine {
    enum class Action {
        Program, // start as usual (or bring the running copy forward)
        Help,    // print `text`, exit 0
        Version, // print `text`, exit 0
        Refused, // print `text` on the error output, exit 2
        Command, // hand `command` to the running copy, starting one first if none runs
        Open,    // open `command`'s file in the running copy, else start with it
    };
    Action action = Action::Program;
    QString text;
    RemoteCommand command;
    // The windowing platform asked for with -platform, empty for the program's own choice.
    QString platform;
};

// `arguments` as the process got them, program name first; a relative file is taken
// from `folder`.
CommandLine parsecommandline(const QStringList& arguments, const QString& folder);

// The exit code of a refused value, as for an unknown option.
inline constexpr int kRefusedExit = 2;
