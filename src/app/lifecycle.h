#pragma once

#include "store/runstate.h"

#include <QString>

#include <optional>

struct AppGlobals;
class ListController;
class Presentation;
class TForm1;
class TForm6;

// The program's start and end, apart from making and wiring the windows: the
// single-instance check, the start-up sequence, the first show and the one way out.
class Lifecycle {
public:
    Lifecycle(AppGlobals& g, ListController& list, Presentation& presentation, TForm1& main,
              TForm6& audio, const QString& exeFolder);

    // Takes the program's single-instance lock, or tells the running copy to come forward.
    void claiminstance();
    // Shows the main window, which runs the start-up sequence the first time.
    void showmain();
    // The start-up sequence; runs on the main window's first show.
    void startup();
    // A list to open at start-up instead of the default start-up file.
    void openatstart(const QString& path) { startfile_ = path; }
    // Whether the main window's first show is the one showmain makes (its start-up ran).
    bool showing() const { return showing_; }
    // Timers off, audio closed, files closed, tray icon removed, process ended. The next
    // start then begins with an empty list, unless `keepchanges` asks it to reopen one
    // with unsaved changes (an end the user did not ask for).
    void shutdown(bool keepchanges = false);

private:
    // Keeps the run state in the data folder up to date with the list's file and mark.
    void keeprunstate();
    // Says once, without a box that would stop the tick, that the list was reopened.
    void tellreopened();

    AppGlobals& g_;
    ListController& list_;
    Presentation& presentation_;
    TForm1& main_;
    TForm6& audio_;
    QString exeFolder_;
    bool showing_ = false;
    QString startfile_;
    std::optional<RunState> written_;
    bool keeping_ = false;
};

// The folder the program's files live in when it runs from `executable`: the one whose
// lock a copy takes. Empty when no folder can be written.
QString datafolderof(const QString& executable);

inline constexpr const char* kReopenedMessage =
    "Chimelet did not end properly last time: your list was reopened as it was then.";
inline constexpr const char* kUnstableMessage =
    "Chimelet system unstable, Program Halted. Try reinstalling or contact support if error "
    "persists.";
