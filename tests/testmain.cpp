#include "support/testdesktop.h"

#include <gtest/gtest.h>

#include <memory>

#if defined(CHIMELET_TESTS_WITH_GUI)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#elif defined(CHIMELET_TESTS_WITHOUT_WIDGETS)
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

// Every test program gets a real application object; window tests run offscreen, or on
// a desktop of their own when CHIMELET_TEST_DESKTOP is set.
int main(int argc, char** argv) {
    std::unique_ptr<TestDesktop> desktop;
    if (qEnvironmentVariableIsSet("CHIMELET_TEST_DESKTOP")) {
        desktop = std::make_unique<TestDesktop>();
        if (!desktop->ready()) {
            fprintf(stderr, "no desktop: Xvfb, openbox, trayer, xdotool and wmctrl are needed\n");
            return 1;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
