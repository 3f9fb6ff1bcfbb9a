#pragma once

#include "app/frame.h"
#include "schedule/listcontroller.h"
#include "schedule/workspace.h"
#include "support/fakeplatform.h"
#include "support/listparts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The whole program over fakes, in a temporary folder that stands for the executable's.
// Ending the process is recorded instead of carried out.
class FrameFixture : public ::testing::Test {
protected:
    void SetUp() override { makeframe(exe.path()); }
    void makeframe(const QString& folder) {
        frame = std::make_unique<Frame>(fakes.platform(), folder);
        g().endprocess = [this](int code) { ended = code; };
    }
    AppGlobals& g() { return frame->globals(); }
    Workspace& ws() { return workspaceof(frame->list()); }
    QString file(const char* name) const { return exe.filePath(name); }
    // The code the process was ended with during `act`, -1 when it went on.
    int ending(const std::function<void()>& act) {
        ended = -1;
        act();
        return ended;
    }

    QTemporaryDir exe;
    FakePlatform fakes;
    std::unique_ptr<Frame> frame;
    int ended = -1;
};
