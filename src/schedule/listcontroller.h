#pragma once

#include "store/notificationrecord.h"
#include "store/recordindex.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

class Clock;
class Engine;
class ErrorReporter;
class ListFiles;
class NotificationSink;
class RowTable;
class SecondTicker;
class Workspace;
enum class PlayMode : uint8_t;

// The open list and its ticking, below every window: it owns the workspace, the engine,
// the list files and the one-second tick, and runs whether a window shows it or not.
// It is the only way into the list: windows, the command line and the bus send it the
// commands below and hear by its signals what to show. Commands take a row of the list,
// -1 for none; what they raise (IoError) goes to the caller.
//
// Commands
//   rows:     edit, remove, stop, resume, stopall, startall, setplaymode
//   new:      add (a whole Notification, as the command line's --add)
//   editor:   newnotification, beginedit, apply, cancel (one edit at a time)
//   files:    newlist, open, needsname, save, saveas
//   life:     newdatabase, openstartupfile, tick, catchup, close
// Views: rows, clock, modified, currentfile, readnotification, lastpreview, editing.
class ListController : public QObject {
    Q_OBJECT
public:
    // Due Notifications go to `sink`; the tick's errors to `reporter`. The tick runs
    // from here on, until close().
    ListController(const Clock& clock, NotificationSink& sink, ErrorReporter& reporter,
                   QObject* parent = nullptr);
    ~ListController() override;

    // Views of the list, for showing it.
    const RowTable& rows() const;
    const Clock& clock() const;
    // The unsaved-changes mark; modifiedChanged tells of every change.
    bool modified() const;
    // The .clt file Save writes to, empty for an unnamed list.
    QString currentfile() const;
    // The record stored at `index` (IoError when there is none).
    TNotificationRecord readnotification(RecordIndex index) const;
    // The record the main window's preview shows, 0 for none; a list opened or emptied
    // resets it.
    int32_t lastpreview() const;
    void setlastpreview(int32_t index);

    // Start-up: a fresh, empty working database at `databasefile`, in Lateral mode.
    void newdatabase(const QString& databasefile);
    // Start-up after a run that ended without the shutdown: the working database at
    // `databasefile` reopened as that run left it (see ListFiles::reopenworking). False,
    // with nothing open, when it cannot be.
    bool reopendatabase(const QString& databasefile, const QString& listfile, bool modified);
    // Start-up's last step: opens the default list; nothing when `path` is empty or the
    // file cannot be opened (the list stays empty and unnamed).
    void openstartupfile(const QString& path);
    // The way out: the tick stops and the working database is closed.
    void close();

    // One tick: the clock text, then every row in order.
    void tick();
    // The machine woke: the tick runs at once, the gap rule making up for the sleep.
    void catchup();

    // Row commands.
    void edit(int row);
    void remove(int row);
    void stop(int row);
    void resume(int row);
    void stopall();
    void startall();
    void setplaymode(PlayMode mode);
    // A new Notification, stored whole at the end of the list, shown as its last row and
    // in the preview; the list is marked changed. Returns its record index.
    RecordIndex add(const TNotificationRecord& rec);

    // The editor's commands. An edit holds one record of the list from its begin to its
    // apply or cancel; opening always stores first, so a cancelled edit keeps what the
    // opening stored.
    //
    // New: `rec` (the editor's defaults, switched off) stored at the end of the list as
    // its last row, and the edit begins on it. Returns its record index.
    RecordIndex newnotification(const TNotificationRecord& rec);
    // Begins the edit of the record at `index`, shown in `row`: the list is marked
    // changed and the record switched off. Returns the record as it was stored.
    TNotificationRecord beginedit(RecordIndex index, int row);
    // Apply: `rec` replaces the edited record whole, then its row; the edit ends and the
    // preview shows the record. A write that fails changes neither and the edit goes on.
    void apply(const TNotificationRecord& rec);
    // Cancel (also the editor's close box): the edit ends, the list as the opening left it.
    void cancel();
    // Whether an edit holds a record; the record and its row.
    bool editing() const { return editindex_.valid(); }
    RecordIndex editindex() const { return editindex_; }
    int editrow() const { return editrow_; }

    // List files. The window runs the file dialogs and hands the chosen path in.
    void newlist();
    bool open(const QString& path);
    // Save on a list without a name needs a name first (saveas).
    bool needsname() const;
    bool save();
    bool saveas(const QString& path);

signals:
    // The current time, at every tick.
    void clockChanged(const QString& text);
    // The open file's name, empty for an unnamed list.
    void fileNameChanged(const QString& name);
    void playmodeChanged(PlayMode mode);
    // The record to show in the preview; -1 empties it.
    void previewChanged(int32_t index);
    // Edit asks for the editor on the record shown in a row.
    void editRequested(RecordIndex index, int row);
    void audioCloseRequested();
    // A command's message to the user ("Save failed", "Select a Notification ...").
    void messageRaised(const QString& text);
    void modifiedChanged(bool modified);
    // A Notification in a row fired, with its text.
    void fired(int row, const QString& text);

private:
    // The parts the commands work on are the controller's own: no window gets them. The
    // tests reach them through `ListControllerParts` (tests/support/listparts.h), standing
    // in for the owner.
    friend struct ListControllerParts;
    Workspace& workspace() { return *ws_; }
    SecondTicker& ticker() { return *ticker_; }

    // Stores `rec` at the end of the list and adds its row.
    RecordIndex append(const TNotificationRecord& rec);

    std::unique_ptr<Workspace> ws_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<ListFiles> files_;
    SecondTicker* ticker_;
    RecordIndex editindex_;
    int editrow_ = -1;
};
