#include "present/wmfrender.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test program gets a real QApplication so window tests can run offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    setmetafilehelper(QStringLiteral(CHIMELET_HELPER_DIR "/") + QLatin1String(kMetafileHelperName));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
