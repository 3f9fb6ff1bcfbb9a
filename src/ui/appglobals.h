#pragma once

#include "platform/platform.h"
#include "schedule/workspace.h"
#include "store/apppaths.h"
#include "store/secure.h"

#include <functional>

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
class QWidget;
class Dispatcher;

// What the main window's unit holds for the whole program: the services, the paths
// beside the executable, the settings store, the open list and the twelve windows.
struct AppGlobals {
    explicit AppGlobals(Platform p) : platform(p), ws(*p.clock) {}

    Platform platform;
    AppPaths paths;
    SettingsStore settings;
    Workspace ws;

    bool started = false;
    bool secondinstance = false;

    TForm1* form1 = nullptr;
    TForm2* form2 = nullptr;
    TForm3* form3 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    TForm6* form6 = nullptr;
    TForm7* form7 = nullptr;
    TForm8* form8 = nullptr;
    TForm9* form9 = nullptr;
    TForm10* form10 = nullptr;
    TForm11* form11 = nullptr;
    QWidget* form12 = nullptr;
    // The presentation dispatcher, owner of the display timer popdur.
    Dispatcher* dispatcher = nullptr;

    // Ends the process at once. Tests replace it to observe the end.
    std::function<void(int)> endprocess;
    // The save-before-exit decision, provided by the program frame.
    std::function<void()> exitrequest;

    void infobox(const QString& text);
};
