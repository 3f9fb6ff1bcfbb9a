#include "app/frame.h"
#include "framefixture.h"
#include "present/dispatcher.h"
#include "present/presentation.h"
#include "present/txtbx.h"
#include "schedule/engine.h"
#include "schedule/listfiles.h"
#include "schedule/secondticker.h"
#include "schedule/timetext.h"
#include "support/fakeplatform.h"
#include "support/tempfolder.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The whole program in a temporary folder, driven through its real windows.
class UserJourney : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        frame->startup();
        // The test steps the clock itself.
        tickerof(frame->list()).stop();
    }
    void TearDown() override {
        frame->form2()->hide();
        frame->form1()->hide();
    }
    void newCountdown(const QString& text, const QString& seconds) {
        QTest::mouseClick(frame->form1()->BitBtn1, Qt::LeftButton);
        TForm2* editor = frame->form2();
        EXPECT_TRUE(editor->isVisible());
        EXPECT_FALSE(frame->form1()->isEnabled());
        editor->Edit1->setText(text);
        editor->Edit6->setText(seconds);
        editor->Edit9->setText("3");
        QTest::mouseClick(editor->BitBtn1, Qt::LeftButton);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_TRUE(frame->form1()->isEnabled());
    }
    void tick() {
        fakes.clock.advance(1000);
        frame->form1()->updatetimerTimer();
    }
};

} // namespace

TEST_F(UserJourney, ANewCountdownFiresOnTheDesktop) {
    newCountdown("Tea", "2");
    ASSERT_EQ(ws().rows().size(), 1);
    EXPECT_EQ(ws().rows().subitem(0, rowpart::State), "Active");
    EXPECT_EQ(ws().rows().subitem(0, rowpart::Left), "2s");
    EXPECT_TRUE(frame->form1()->BitBtn8->isEnabled()); // unsaved changes

    tick();
    EXPECT_EQ(ws().rows().subitem(0, rowpart::Left), "1s");
    EXPECT_FALSE(frame->form5()->isVisible());
    tick(); // due: the strip and the balloon appear, the countdown starts again
    EXPECT_TRUE(frame->form5()->isVisible());
    EXPECT_EQ(ws().rows().subitem(0, rowpart::Left), "2s");
    ASSERT_EQ(fakes.tray.balloons.size(), 1);
    EXPECT_EQ(fakes.tray.balloons[0], "Chimelet Message:|Tea|3000");
    EXPECT_TRUE(frame->presentation().dispatcher().popdur->isActive());
    EXPECT_EQ(frame->presentation().dispatcher().popdur->interval(), 3000);
    EXPECT_EQ(frame->form1()->statuspanel(2)->text(), currenttimetext(fakes.clock.now().time()));

    // The display timer ends it.
    frame->presentation().dispatcher().popdurTimer();
    QTRY_VERIFY_WITH_TIMEOUT(!frame->form5()->isVisible(), 3000);
    EXPECT_TRUE(fakes.tray.balloontext().isEmpty());
}

TEST_F(UserJourney, SavedListsOpenAgainAsTheyWere) {
    newCountdown("First", "5");
    newCountdown("Second", "7");
    EXPECT_FALSE(frame->form1()->BitBtn2->isEnabled()); // nothing selected
    frame->form1()->BitBtn2Click();                     // as the menu's Edit would
    ASSERT_FALSE(fakes.dialogs.messages.isEmpty());
    EXPECT_EQ(fakes.dialogs.messages.last(), kSelectOrCreateMessage);

    const QString file = exe.filePath("mine");
    fakes.dialogs.saveAnswers.push_back(file);
    QTest::mouseClick(frame->form1()->BitBtn8, Qt::LeftButton);
    EXPECT_EQ(ws().currentfile(), file + ".clt");
    EXPECT_EQ(readbytes(file + ".clt"), readbytes(exe.filePath("chdb.res")));
    EXPECT_FALSE(frame->form1()->BitBtn8->isEnabled());
    EXPECT_EQ(frame->form1()->statuspanel(4)->text(), "mine.clt");

    QTest::mouseClick(frame->form1()->BitBtn6, Qt::LeftButton); // New File
    EXPECT_EQ(ws().rows().size(), 0);
    EXPECT_EQ(frame->form1()->ComboBox5->currentText(), "Sequential");
    EXPECT_TRUE(frame->form1()->statuspanel(4)->text().isEmpty());

    fakes.dialogs.openAnswers.push_back(file + ".clt");
    QTest::mouseClick(frame->form1()->BitBtn7, Qt::LeftButton);
    ASSERT_EQ(ws().rows().size(), 2);
    EXPECT_EQ(ws().rows().row(0).caption, "First");
    EXPECT_EQ(ws().rows().row(1).caption, "Second");
    EXPECT_EQ(ws().rows().subitem(1, rowpart::Left), "7s");
    EXPECT_EQ(frame->form1()->ComboBox5->currentText(), "Lateral");
}

TEST_F(UserJourney, ADefaultFileThatIsGoneLeavesAnEmptyUnnamedList) {
    frame->shutdown(); // a clean end: the next start begins empty
    frame.reset();
    QFile settings(exe.filePath("chsb.rez"));
    ASSERT_TRUE(settings.open(QIODevice::ReadWrite));
    TSettingsRecord first{SettingsStore::storedtext(exe.filePath("gone.clt").toStdString()), 0, 0};
    const auto raw = encodesettings(first);
    settings.write(reinterpret_cast<const char*>(raw.data()), raw.size());
    settings.close();
    fakes.dialogs.messages.clear();
    SetUp();
    EXPECT_EQ(fakes.dialogs.messages, QStringList{"Load failed"});
    EXPECT_TRUE(ws().currentfile().isEmpty());
    EXPECT_EQ(ws().rows().size(), 0);
}
