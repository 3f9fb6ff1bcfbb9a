#include <gtest/gtest.h>

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

// Every test program gets a real application object; window tests run offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
