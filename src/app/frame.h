#pragma once

#include "app/appglobals.h"
#include "linuxplatform/singleinstance.h"

#include <memory>

class Presentation;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;

// The program frame: creates the twelve windows once, in order, hands each the services
// it uses, connects their signals, runs the single-instance check, the start-up sequence
// on the main window's first show, and owns the one way out.
class Frame {
public:
    // `exeFolder` is the executable's folder (files live there when it can be written);
    // tests pass a temporary folder.
    Frame(Platform platform, const QString& exeFolder);
    ~Frame();

    AppGlobals& globals() { return *g_; }
    bool secondinstance() const { return g_->secondinstance; }

    TForm1* form1() const { return form1_; }
    TForm2* form2() const { return form2_; }
    TForm3* form3() const { return form3_; }
    TForm4* form4() const { return form4_; }
    TForm5* form5() const { return form5_; }
    TForm6* form6() const { return form6_; }
    TForm7* form7() const { return form7_; }
    TForm8* form8() const { return form8_; }
    TForm9* form9() const { return form9_; }
    TForm11* form11() const { return form11_; }
    TForm10* form10() const { return form10_; }
    TForm12* form12() const { return form12_; }
    Presentation& presentation() { return *presentation_; }

    // Shows the main window, which runs the start-up sequence the first time.
    void showmain();

    // The start-up sequence; runs on the main window's first show.
    void startup();
    // Timers off, audio closed, files closed, tray icon removed, process ended.
    void shutdown();
    // Exit commands and the main window's close: straight out, or ask to save first.
    void exitrequest();

private:
    void FormCreate();
    void connectwindows();
    // A secondary window holds the main window and the editor, where visible, while it is up.
    void holdmainwindows(bool hold);

    QString exeFolder_;
    std::unique_ptr<AppGlobals> g_;
    SingleInstance instance_;
    std::unique_ptr<Presentation> presentation_;
    TForm1* form1_ = nullptr;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
    TForm4* form4_ = nullptr;
    TForm5* form5_ = nullptr;
    TForm6* form6_ = nullptr;
    TForm7* form7_ = nullptr;
    TForm8* form8_ = nullptr;
    TForm9* form9_ = nullptr;
    TForm10* form10_ = nullptr;
    TForm11* form11_ = nullptr;
    TForm12* form12_ = nullptr;
};

inline constexpr const char* kMutexName = "chimeletapprunoncechecknowk";
inline constexpr const char* kMessageName = "chimeletapprunoncechecknowktwo";
inline constexpr const char* kUnstableMessage =
    "Chimelet system unstable, Program Halted. Try reinstalling or contact support if error "
    "persists.";
