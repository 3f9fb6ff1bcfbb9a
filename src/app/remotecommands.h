#pragma once

#include "platform/remotecommand.h"

#include <QString>
#include <QStringList>

class Frame;

// The commands of later starts and of the session bus, carried out exactly as the
// windows' commands are: the same list controller, the same records at the same
// moment, the same unsaved-changes mark. What a command would show in the program's box
// goes back to the caller and is shown after the reply has left. Rows count from 1.
class RemoteCommands {
public:
    explicit RemoteCommands(Frame& frame) : frame_(frame) {}

    RemoteReply run(const RemoteCommand& command);

private:
    RemoteReply open(const QString& path);
    RemoteReply add(const QStringList& args);
    RemoteReply list();
    RemoteReply onrow(const QString& verb, const QString& row);

    Frame& frame_;
};

// Texts the list shows, on one line each: control characters become spaces, so tabs
// and line ends only ever separate.
QString oneline(const QString& text);
