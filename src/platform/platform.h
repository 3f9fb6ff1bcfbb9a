#pragma once

class AudioDevice;
class Clock;
class Dialogs;
class TrayIcon;
class Shell;
class DesktopWallpaper;
class HttpClient;
class WindowOpacity;
class Autostart;
class WindowShape;
class SingleInstance;
class SleepWatch;

// The operating-system services the program uses, one interface each. The program
// gets the real ones; tests hand in fakes. Add new services at the end.
struct Platform {
    Clock* clock = nullptr;
    Dialogs* dialogs = nullptr;
    TrayIcon* tray = nullptr;
    Shell* shell = nullptr;
    DesktopWallpaper* desktop = nullptr;
    AudioDevice* audio = nullptr;
    WindowOpacity* opacity = nullptr;
    Autostart* autostart = nullptr;
    HttpClient* http = nullptr;
    WindowShape* shape = nullptr;
    SingleInstance* instance = nullptr;
    SleepWatch* sleep = nullptr;
};
