#pragma once

#include "app/frame.h"
#include "linuxplatform/dialogs.h"
#include "linuxplatform/tray.h"
#include "schedule/listcontroller.h"
#include "schedule/workspace.h"
#include "support/fakeplatform.h"
#include "support/listparts.h"
#include "support/testdesktop.h"
#include "ui/mainwindow/main.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

// An update server that has a newer release and a line about it.
class NewsHttp : public UnreachableHttp {
public:
    std::string gettext(const std::string& path, const std::string&, std::size_t) override {
        return path.ends_with("cur.dat") ? "3" : "a newer chimelet";
    }
};

// The whole program on the test program's desktop (openbox, trayer): real windows, real
// message boxes and file dialogs, the real tray icon; the other services are fakes.
// Ending the process is recorded instead of carried out.
class DesktopFrame : public ::testing::Test {
protected:
    void SetUp() override {
        Platform p = fakes.platform();
        p.dialogs = &dialogs;
        p.tray = tray.get();
        p.http = &news;
        frame = std::make_unique<Frame>(p, exe.path());
        frame->globals().endprocess = [this](int code) { ended = code; };
        frame->showmain();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main()));
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
        frame.reset();
    }
    TForm1* main() const { return frame->form1(); }
    Workspace& ws() const { return workspaceof(frame->list()); }

    // Real input through the X server, to whatever has the pointer or the focus.
    static void xdotool(const QStringList& args) { TestDesktop::run("xdotool", args); }
    static void presskey(const char* key) { xdotool({"key", key}); }
    static void clickat(QPoint global, int button = 1) {
        xdotool({"mousemove", "--sync", QString::number(global.x()), QString::number(global.y()),
                 "click", QString::number(button)});
    }
    // The window manager's close (its title bar's close button, its menu's Close).
    static void closebox(const QWidget* w) {
        TestDesktop::run("wmctrl", {"-i", "-c", QString::number(w->winId())});
    }
    // Where the window manager stacks `w` among the program's windows; -1 when it does not.
    static int stackplace(const QWidget* w) { return TestDesktop::stacking().indexOf(w->winId()); }

    QTemporaryDir exe;
    FakePlatform fakes;
    QtDialogs dialogs;
    std::unique_ptr<SystemTrayIcon> tray = std::make_unique<SystemTrayIcon>();
    NewsHttp news;
    std::unique_ptr<Frame> frame;
    int ended = -1;
};
