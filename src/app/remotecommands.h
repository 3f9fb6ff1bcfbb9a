#pragma once

#include "platform/remotecommand.h"

#include <QString>
#include <QStringList>

#include <optional>

class Frame;

// The commands of later starts and of the session bus, carried out exactly as the
// windows' commands are: the same list controller, the same records at the same
// moment, the same unsaved-changes mark. What a command has to say goes back to the
// caller, never to a box on the desktop, and names the file or the Notification it is
// about. A Notification is named by its row, from 1 ("3"), or its id ("@12").
class RemoteCommands {
public:
    explicit RemoteCommands(Frame& frame) : frame_(frame) {}

    RemoteReply run(const RemoteCommand& command);

private:
    RemoteReply open(const QString& arg);
    RemoteReply add(const QStringList& args);
    RemoteReply list(const QString& format);
    RemoteReply onrow(const QString& verb, const QString& target);
    RemoteReply save();
    RemoteReply saveas(const QString& arg);
    RemoteReply quit();

    Frame& frame_;
    // What the command's messages are about: a file or a Notification.
    QString subject_;
};

// Texts the list shows, on one line each: control characters become spaces, so tabs
// and line ends only ever separate.
QString oneline(const QString& text);

// A file's name, any bytes (`store/nativename.h`), as a file: URI, and back; an absolute
// path is taken as it is. Nothing for anything else.
QString fileuri(const QString& path);
std::optional<QString> localfile(const QString& arg);

// The columns of --list, in order.
inline constexpr const char* kListColumns = "id row state kind time left repeat text";
