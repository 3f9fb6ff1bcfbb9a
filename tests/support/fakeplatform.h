#pragma once

#include "platform/audiodevice.h"
#include "platform/autostart.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/shell.h"
#include "platform/singleinstance.h"
#include "platform/tray.h"
#include "support/manualclock.h"

#include <QSet>
#include <QStringList>

#include <deque>
#include <functional>

// Recording fakes of the platform services.
class FakeDialogs : public Dialogs {
public:
    QStringList messages;
    std::deque<QString> openAnswers, saveAnswers; // empty: cancelled
    QList<FileDialogSetup> asked;
    // Runs while a box is open, as the event loop does behind a modal box.
    std::function<void()> whileopen;

    void infobox(const QString& text) override {
        messages << text;
        if (whileopen) whileopen();
    }
    std::optional<QString> openfile(const FileDialogSetup& setup) override {
        asked << setup;
        return next(openAnswers);
    }
    std::optional<QString> savefile(const FileDialogSetup& setup) override {
        asked << setup;
        return next(saveAnswers);
    }

private:
    // An empty answer stands for a cancelled dialog.
    static std::optional<QString> next(std::deque<QString>& q) {
        if (q.empty()) return std::nullopt;
        const QString answer = q.front();
        q.pop_front();
        if (answer.isEmpty()) return std::nullopt;
        return answer;
    }
};

class FakeTray : public TrayIcon {
public:
    bool visible = false;
    QStringList balloons; // every balloon shown, as "title|text|msecs"
    int withdrawn = 0;
    std::function<QMenu*()> menu;

    void show() override { visible = true; }
    void hide() override { visible = false; }
    bool isVisible() const override { return visible; }
    void setmenu(std::function<QMenu*()> m) override { menu = std::move(m); }
    bool hostavailable() const override { return host; }

    bool host = true;
    // The desktop's tray host comes or goes.
    void sethost(bool available) {
        host = available;
        emit hostChanged(available);
    }

protected:
    void popballoon(const QString& title, const QString& text, int msecs) override {
        balloons << title + "|" + text + "|" + QString::number(msecs);
    }
    void withdrawballoon() override { ++withdrawn; }
};

class FakeShell : public Shell {
public:
    QStringList opened;
    QStringList files;
    void brow(const QString& url) override { opened << url; }
    void openfile(const QString& path) override { files << path; }
};

#include "platform/desktopwallpaper.h"

#include <stdexcept>

// Records wallpaper changes instead of touching the desktop; can be told to refuse.
class FakeDesktopWallpaper : public DesktopWallpaper {
public:
    struct Change {
        QString bitmap;
        WallpaperPlacement placement;
    };
    QList<Change> changes;
    bool refuse = false;

    void apply(const QString& bitmap, WallpaperPlacement placement) override {
        if (refuse) throw std::runtime_error("refused");
        changes << Change{bitmap, placement};
    }
};

// A sound output that only remembers what it was told.
class FakeAudio : public AudioDevice {
public:
    QStringList calls;
    bool opened = false;
    bool playing = false;

    void open(const QString& path) override {
        calls << "open " + path;
        opened = true;
    }
    QString play() override {
        calls << "play";
        playing = opened;
        return {};
    }
    void stop() override {
        calls << "stop";
        playing = false;
    }
    void close() override {
        calls << "close";
        opened = playing = false;
    }
    bool isopen() const override { return opened; }
    bool isplaying() const override { return playing; }
};

// One desktop session's copies of the program, as the fake sees them.
class FakeSingleInstance : public SingleInstance {
public:
    bool othercopy = false; // another copy runs already
    bool listening = false;
    int broadcasts = 0;

    bool acquire() override { return !othercopy; }
    void listen() override { listening = true; }
    void broadcast() override { ++broadcasts; }
    void setcommands(RemoteHandler h) override { handler = std::move(h); }
    RemoteHandler handler;
    // A later copy was started.
    void startagain() { emit startedAgain(); }
};

// Keeps autostart entries in memory.
class FakeAutostart : public Autostart {
public:
    QSet<QString> entries;
    int created = 0;
    QString create(const QString& program) override {
        ++created;
        const QString entry = QStringLiteral("/autostart/") + program;
        entries << entry;
        return entry;
    }
    bool exists(const QString& entry) const override { return entries.contains(entry); }
    void remove(const QString& entry) override { entries.remove(entry); }
};

#include "platform/httpclient.h"

// A server that is never reached.
class UnreachableHttp : public HttpClient {
public:
    std::string host() const override { return "unreachable.invalid"; }
    std::string gettext(const std::string&, const std::string&, std::size_t) override {
        throw HttpError("no connection");
    }
    HttpFileInfo download(const std::string&, const std::string&, std::size_t, const Receiver&,
                          const Progress&) override {
        throw HttpError("no connection");
    }
};

// All fakes together, wired into a Platform.
struct FakePlatform {
    ManualClock clock;
    FakeDialogs dialogs;
    FakeTray tray;
    FakeShell shell;
    FakeDesktopWallpaper desktop;
    FakeAudio audio;
    FakeSingleInstance instance;
    FakeAutostart autostart;
    UnreachableHttp http;

    Platform platform() {
        Platform p;
        p.clock = &clock;
        p.dialogs = &dialogs;
        p.tray = &tray;
        p.shell = &shell;
        p.desktop = &desktop;
        p.audio = &audio;
        p.instance = &instance;
        p.autostart = &autostart;
        p.http = &http;
        return p;
    }
};
