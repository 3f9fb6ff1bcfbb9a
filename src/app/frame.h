#pragma once

#include "platform/singleinstance.h"
#include "ui/appglobals.h"

#include <memory>

class Presentation;
class TForm12;

// The program frame: creates the twelve windows once, in order, runs the
// single-instance check, the start-up sequence on the main window's first show,
// and owns the one way out.
class Frame {
public:
    // `exeFolder` is where the program's files live; tests pass a temporary folder.
    Frame(Platform platform, const QString& exeFolder);
    ~Frame();

    AppGlobals& globals() { return *g_; }
    TForm12* form12() const { return form12_; }
    bool secondinstance() const { return g_->secondinstance; }

    // Shows the main window, which runs the start-up sequence the first time.
    void showmain();

private:
    void FormCreate();

    QString exeFolder_;
    std::unique_ptr<AppGlobals> g_;
    SingleInstance instance_;
    std::unique_ptr<Presentation> presentation_;
    TForm12* form12_ = nullptr;
};

inline constexpr const char* kMutexName = "chimeletapprunoncechecknowk";
inline constexpr const char* kMessageName = "chimeletapprunoncechecknowktwo";
inline constexpr const char* kUnstableMessage =
    "Chimelet system unstable, Program Halted. Try reinstalling or contact support if error "
    "persists.";

// A secondary window holds the main window and the editor, where visible, while it is up.
void holdmainwindows(AppGlobals& g, bool hold);
// The start-up sequence; runs on the main window's first show.
void startup(AppGlobals& g, const QString& exeFolder);
// Timers off, audio closed, files closed, tray icon removed, process ended.
[[noreturn]] void shutdown(AppGlobals& g);
// Exit commands and the main window's close: straight out, or ask to save first.
void exitrequest(AppGlobals& g);
