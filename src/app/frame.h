#pragma once

#include "app/appglobals.h"

#include <QStringList>

#include <memory>
#include <set>

class ListController;
class Presentation;
class QObject;
class SecondaryWindow;
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

// The program frame: creates the twelve windows once (those
// not needed at start at their first use), hands each the services
// it uses, connects their signals, runs the single-instance check, the start-up sequence
// on the main window's first show, and owns the one way out.
class Frame {
public:
    // `exeFolder` is the executable's folder (files live there when it can be written);
    // tests pass a temporary folder.
    Frame(Platform platform, const QString& exeFolder);
    ~Frame();

    AppGlobals& globals() { return *g_; }
    // The open list and its tick.
    ListController& list() { return *list_; }
    bool secondinstance() const { return g_->secondinstance; }

    TForm1* form1() const { return form1_; }
    TForm3* form3() const { return form3_; }
    TForm4* form4() const { return form4_; }
    TForm5* form5() const { return form5_; }
    TForm6* form6() const { return form6_; }
    // The other windows are made at their first use and kept from then on.
    TForm2* form2();
    TForm7* form7();
    TForm8* form8();
    TForm9* form9();
    TForm10* form10();
    TForm11* form11();
    TForm12* form12();
    Presentation& presentation() { return *presentation_; }

    // Shows the main window, which runs the start-up sequence the first time.
    void showmain();
    // A list to open at start-up instead of the default start-up file.
    void openatstart(const QString& path) { startfile_ = path; }
    // Whether the editor is open on a record of the list.
    bool editing() const;
    // While `held` is set, the list's messages are collected there instead of shown.
    void holdmessages(QStringList* held) { held_ = held; }

    // The start-up sequence; runs on the main window's first show.
    void startup();
    // Timers off, audio closed, files closed, tray icon removed, process ended.
    void shutdown();
    // Exit commands and the main window's close: straight out, or ask to save first.
    void exitrequest();

private:
    void FormCreate();
    void connectwindows();
    void connecttray();
    void connectsecondarywindows();
    void holdwhileshown(SecondaryWindow* window);
    // Secondary windows hold the main window and the editor, where visible, while one is up.
    void holdmainwindows(const QObject* by, bool hold);

    QString exeFolder_;
    std::unique_ptr<AppGlobals> g_;
    std::set<const QObject*> holders_; // the secondary windows up now
    bool showing_ = false;             // the first show, whose start-up has run already
    QString startfile_;
    QStringList* held_ = nullptr;
    std::unique_ptr<Presentation> presentation_;
    std::unique_ptr<ListController> list_;
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
