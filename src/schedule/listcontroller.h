#pragma once

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
struct TNotificationRecord;
enum class PlayMode : uint8_t;

// The open list and its ticking, below every window: it owns the workspace, the engine,
// the list files and the one-second tick, and runs whether a window shows it or not.
// Windows (and any other caller) send commands in and hear by signals what to show.
// Commands take a row of the list, -1 for none; what they raise goes to the caller.
class ListController : public QObject {
    Q_OBJECT
public:
    // Due Notifications go to `sink`; the tick's errors to `reporter`. The tick runs
    // from here on, until close().
    ListController(const Clock& clock, NotificationSink& sink, ErrorReporter& reporter,
                   QObject* parent = nullptr);
    ~ListController() override;

    Workspace& workspace() { return *ws_; }
    const RowTable& rows() const;
    SecondTicker& ticker() { return *ticker_; }

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

    // Row commands.
    void edit(int row);
    void remove(int row);
    void stop(int row);
    void resume(int row);
    void stopall();
    void startall();
    void setplaymode(PlayMode mode);
    // A new Notification, stored at the end of the list and shown as its last row;
    // the list is marked changed. Returns its record index.
    RecordIndex add(const TNotificationRecord& rec);

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
    std::unique_ptr<Workspace> ws_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<ListFiles> files_;
    SecondTicker* ticker_;
};
