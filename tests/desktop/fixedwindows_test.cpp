#include "desktopframe.h"
#include "ui/dialogs/about.h"
#include "ui/dialogs/options.h"
#include "ui/dialogs/savenexit.h"
#include "ui/dialogs/update.h"
#include "ui/editor/nedit.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace {
QString xprop(const QWidget* w, const char* property) {
    return TestDesktop::run("xprop", {"-id", QString::number(w->winId()), property});
}
bool iconic(const QWidget* w) {
    return xprop(w, "WM_STATE").contains("Iconic");
}
bool shownnormally(const QWidget* w) {
    return w->isVisible() && xprop(w, "WM_STATE").contains("Normal");
}
} // namespace

// Each fixed window offers no minimise, or, minimised by the window manager all the same,
// comes back with the next command that shows it.
TEST_F(DesktopFrame, FixedWindowsCannotBeLostByMinimising) {
    const AppGlobals& g = frame->globals();
    const auto restore = [&g] { emit g.platform.tray->clicked(); };
    struct Case {
        const char* name;
        std::function<QWidget*()> open;
        std::function<void()> again;
    };
    const Case cases[] = {
        {"about",
         [this] {
             main()->About1->trigger();
             return frame->form8();
         },
         [this] { main()->traymenu()->findChild<QAction*>("TrayAbout1")->trigger(); }},
        {"options",
         [this] {
             main()->Options2->trigger();
             return frame->form11();
         },
         [this] { main()->traymenu()->findChild<QAction*>("Options3")->trigger(); }},
        {"update",
         [this] {
             main()->Checkforupdates2->trigger();
             EXPECT_TRUE(QTest::qWaitFor([this] { return !frame->form10()->checking(); }));
             return frame->form10();
         },
         restore},
        {"editor",
         [this] {
             main()->BitBtn1->click();
             return frame->form2();
         },
         restore},
        {"save question",
         [this] {
             main()->Exit2->trigger();
             return frame->form12();
         },
         [this] { main()->traymenu()->findChild<QAction*>("Exit1")->trigger(); }},
    };
    for (const Case& c : cases) {
        QWidget* w = c.open();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w)) << c.name;
        EXPECT_TRUE(xprop(w, "_NET_WM_WINDOW_TYPE").contains("_NET_WM_WINDOW_TYPE_DIALOG"))
            << c.name;
        const QString actions = xprop(w, "_NET_WM_ALLOWED_ACTIONS");
        EXPECT_FALSE(actions.contains("MAXIMIZE")) << c.name;
        if (actions.contains("MINIMIZE")) {
            xdotool({"windowminimize", QString::number(w->winId())});
            ASSERT_TRUE(QTest::qWaitFor([w] { return iconic(w); }, 5000)) << c.name;
            c.again();
            EXPECT_TRUE(QTest::qWaitFor([w] { return shownnormally(w); }, 5000))
                << c.name << " stayed minimised";
        }
        if (c.name == std::string("editor")) ws().markmodified(); // for the save question
        if (w == frame->form12()) {
            w->hide();
        } else {
            w->close();
        }
        ASSERT_TRUE(QTest::qWaitFor([w] { return !w->isVisible(); }, 3000)) << c.name;
        EXPECT_TRUE(main()->isEnabled()) << c.name;
    }
    EXPECT_EQ(ended, -1);
}
