#pragma once

#include "app/appglobals.h"
#include "app/lifecycle.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <set>
#include <vector>

class ListController;
class Presentation;
class QObject;
class QWidget;
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

// The program frame: creates the list controller and the twelve windows once (those not
// needed at start at their first use), hands each the services it uses and connects their
// signals. Start-up and the way out are the Lifecycle's.
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

    TForm1* form1() const { return form1_.get(); }
    TForm3* form3() const { return form3_.get(); }
    TForm4* form4() const { return form4_.get(); }
    TForm5* form5() const { return form5_.get(); }
    TForm6* form6() const { return form6_.get(); }
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
    void showmain() { lifecycle_->showmain(); }
    // A list to open at start-up instead of the default start-up file.
    void openatstart(const QString& path) { lifecycle_->openatstart(path); }
    // Whether the editor is open on a record of the list.
    bool editing() const;
    // While `held` is set, the list's messages are collected there instead of shown.
    void holdmessages(QStringList* held) { held_ = held; }
    // The start-up sequence; runs on the main window's first show.
    void startup() { lifecycle_->startup(); }
    // Timers off, audio closed, files closed, tray icon removed, process ended;
    // `keepchanges` for an end the user did not ask for (see Lifecycle::shutdown).
    void shutdown(bool keepchanges = false) { lifecycle_->shutdown(keepchanges); }
    // Exit commands and the main window's close: straight out, or ask to save first.
    void exitrequest();
    // Whether "Save before exit?" is open.
    bool askingtoexit() const;
    // `outcome` hears how the open "Save before exit?" ends: true just before the program
    // ends, false when the exit was cancelled.
    void tellexit(std::function<void(bool leaving)> outcome);

private:
    void connectwindows();
    void connecttray();
    void connectsecondarywindows();
    void holdwhileshown(SecondaryWindow* window);
    void tellexitwaiters(bool leaving);
    // Secondary windows hold the main window and the editor, where visible, while one is up.
    void holdmainwindows(const QObject* by, bool hold);
    // The editor, the secondary windows and the save question where they are up.
    std::vector<QWidget*> heldby() const;

    QString exeFolder_;
    std::unique_ptr<AppGlobals> g_;
    std::set<const QObject*> holders_; // the secondary windows up now
    QStringList* held_ = nullptr;
    std::vector<std::function<void(bool)>> exitwaiters_;
    // Declared in the order that lets each go before what it uses: the overlays outlive
    // the presentation, the list outlives the windows showing it.
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TForm6> form6_;
    std::unique_ptr<Presentation> presentation_;
    std::unique_ptr<ListController> list_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm7> form7_;
    std::unique_ptr<TForm8> form8_;
    std::unique_ptr<TForm9> form9_;
    std::unique_ptr<TForm10> form10_;
    std::unique_ptr<TForm11> form11_;
    std::unique_ptr<TForm12> form12_;
    std::unique_ptr<Lifecycle> lifecycle_;
};
