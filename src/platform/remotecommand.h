#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// A command for the running copy, from the command line of a later start or from the
// session bus. The verbs and their arguments are listed in `remoteverbs`.
struct RemoteCommand {
    QString verb;
    QStringList args;
    // The token the later start's launcher gave it, for the window that comes forward for
    // the command (Wayland's xdg-activation); empty when it had none.
    QString activationtoken = {};
    bool operator==(const RemoteCommand&) const = default;
};

// What became of it: the command line's exit code (0 done, 1 failed, 2 a value refused),
// the lines it prints and the message it shows on its error output.
struct RemoteReply {
    int code = 0;
    QStringList lines;
    QString message;
    // Runs once the reply has left: what would keep it from leaving (the end of the
    // process, a modal box) comes after it.
    std::function<void()> then;
    // Set when the answer comes later (Quit while "Save before exit?" is open): the
    // carrier calls it with the function that sends the answer, and holds the caller
    // until then. A caller left without an answer saw the program end.
    std::function<void(std::function<void(const RemoteReply&)>)> later = {};
};

using RemoteHandler = std::function<RemoteReply(const RemoteCommand&)>;

namespace remoteverbs {
// A plain later start: the running copy comes forward.
inline constexpr const char* Started = "started";
// A file: URI (any bytes, percent-encoded) or an absolute path.
inline constexpr const char* Open = "open";
inline constexpr const char* Add = "add";   // text, "in" or "at", its value, "repeat" or "once"
inline constexpr const char* List = "list"; // "tsv" or "json"
// A Notification: its row counted from 1 ("3"), or its id ("@12").
inline constexpr const char* Start = "start";
inline constexpr const char* Stop = "stop";
inline constexpr const char* Delete = "delete";
inline constexpr const char* StartAll = "start-all";
inline constexpr const char* StopAll = "stop-all";
inline constexpr const char* Save = "save";
inline constexpr const char* SaveAs = "save-as"; // as Open's argument
inline constexpr const char* Show = "show";
inline constexpr const char* Quit = "quit";
// How many arguments each verb takes; -1 for a verb that does not exist.
int argumentcount(const QString& verb);
} // namespace remoteverbs
