#include "app/commandline.h"
#include "app/remotecommands.h"
#include "framefixture.h"
#include "schedule/engine.h"
#include "schedule/listcontroller.h"
#include "schedule/secondticker.h"
#include "schedule/workspace.h"
#include "support/listparts.h"
#include "support/tempfolder.h"
#include "ui/dialogs/savenexit.h"
#include "ui/editor/nedit.h"
#include "ui/mainwindow/main.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

class RemoteCommandsTest : public FrameFixture {
protected:
    void SetUp() override {
        FrameFixture::SetUp();
        frame->startup();
        tickerof(frame->list()).stop();
    }
    void TearDown() override {
        frame->form2()->hide();
        frame->form1()->hide();
    }
    RemoteReply run(const char* verb, const QStringList& args = {}) {
        if (!commands) commands.emplace(*frame);
        return commands->run({QString::fromLatin1(verb), args});
    }
    // The Notification a user makes in the editor: New, the text and time, no picture,
    // no sound, Apply.
    void byhand(const QString& text, const QString& type, const QStringList& hms, bool repeat) {
        QTest::mouseClick(frame->form1()->BitBtn1, Qt::LeftButton);
        TForm2* e = frame->form2();
        e->Edit1->setText(text);
        e->ComboBox5->setCurrentText(type);
        e->Edit4->setText(hms[0]);
        e->Edit5->setText(hms[1]);
        e->Edit6->setText(hms[2]);
        e->CheckBox1->setChecked(false);
        e->CheckBox3->setChecked(false);
        e->CheckBox7->setChecked(repeat);
        QTest::mouseClick(e->BitBtn1, Qt::LeftButton);
    }
    QByteArray database() const { return readbytes(file("chdb.res")); }
    std::optional<RemoteCommands> commands;
};

} // namespace

TEST_F(RemoteCommandsTest, AddStoresTheRecordTheEditorsNewAndApplyStore) {
    byhand("Tea", "Countdown", {"1", "2", "3"}, false);
    byhand("Lunch", "Certain time", {"12", "30", "0"}, true);
    workspaceof(frame->list()).clearmodified();
    EXPECT_EQ(run("add", {"Tea", "in", "1h2m3s", "once"}).lines, QStringList{"@3"});
    EXPECT_TRUE(workspaceof(frame->list()).modified());
    EXPECT_EQ(run("add", {"Lunch", "at", "12:30", "repeat"}).lines, QStringList{"@4"});
    const QByteArray db = database();
    ASSERT_EQ(db.size(), 5 * 960);
    EXPECT_EQ(db.mid(3 * 960, 960), db.mid(960, 960));
    EXPECT_EQ(db.mid(4 * 960, 960), db.mid(2 * 960, 960));
    const QStringList lines = run("list", {"tsv"}).lines;
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2].section('\t', 2), lines[0].section('\t', 2));

    // Values a caller other than the command line sends are checked again.
    for (const QStringList& bad :
         {QStringList{"T", "in", "0s", "once"}, QStringList{"T", "soon", "5m", "once"},
          QStringList{"a\tb", "in", "5m", "once"}})
        EXPECT_EQ(run("add", bad).code, 2) << bad.join(' ').toStdString();
    EXPECT_EQ(database(), db);
}

TEST_F(RemoteCommandsTest, AMessageGoesToTheCallerOnlyAndNamesWhatItIsAbout) {
    byhand("Never set", "Countdown", {"0", "0", "0"}, false);
    RemoteReply reply = run("start", {"1"});
    EXPECT_EQ(reply.code, 1);
    EXPECT_EQ(reply.message, "row 1 (@1): " + QString::fromLatin1(kTimeNotSetMessage));
    EXPECT_EQ(run("open", {"relative.clt"}).code, 2);
    EXPECT_EQ(run("open", {file("missing.clt")}).message, file("missing.clt") + ": Load failed");
    EXPECT_EQ(run("save").code, 1); // no file yet
    reply = run("open", {"file://" + file("missing.clt")});
    EXPECT_EQ(reply.code, 1);
    if (reply.then) reply.then();
    EXPECT_TRUE(fakes.dialogs.messages.isEmpty()) << fakes.dialogs.messages.join('|').toStdString();
    EXPECT_EQ(run("list", {"tsv"}).lines.size(), 1);
}

// Quit on a changed list waits for "Save before exit?"; while it is open the list does
// not change, and "not now" is the caller's failure.
TEST_F(RemoteCommandsTest, QuitWaitsForTheQuestionAndNothingChangesMeanwhile) {
    byhand("Tea", "Countdown", {"0", "5", "0"}, false);
    RemoteReply reply = run("quit");
    ASSERT_TRUE(reply.later);
    std::optional<RemoteReply> outcome;
    reply.later([&](const RemoteReply& r) { outcome = r; });
    TForm12* ask = frame->form12();
    ASSERT_TRUE(ask->isVisible());
    EXPECT_FALSE(outcome);
    const QByteArray before = database();
    for (const char* verb : {"start-all", "stop-all"}) {
        const RemoteReply refused = run(verb);
        EXPECT_EQ(refused.code, 1) << verb;
        EXPECT_TRUE(refused.message.contains("Save before exit?")) << verb;
    }
    EXPECT_EQ(run("delete", {"@1"}).code, 1);
    EXPECT_EQ(run("add", {"More", "in", "5m", "once"}).code, 1);
    EXPECT_EQ(database(), before);
    EXPECT_EQ(run("list", {"tsv"}).code, 0);
    QTest::keyClick(ask, Qt::Key_Escape);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->code, 1);
    EXPECT_EQ(ended, -1) << "the program ended";
    EXPECT_EQ(run("stop-all").code, 0);

    // Answered "Just exit": the caller hears of it before the program ends.
    outcome.reset();
    run("quit").later([&](const RemoteReply& r) { outcome = r; });
    QTest::mouseClick(ask->exitfromabout, Qt::LeftButton);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->code, 0);
    EXPECT_EQ(ended, 0);
}

// The editor holds a record of the open list, so a list opened under it would have it
// write into another list: refused until it closes, and nothing of the list changes.
TEST_F(RemoteCommandsTest, OpenWhileTheEditorIsOpenIsRefusedAndTheListStays) {
    byhand("Tea", "Countdown", {"0", "5", "0"}, false);
    const QString other = file("other.clt");
    writebytes(other, database());
    byhand("Lunch", "Certain time", {"12", "30", "0"}, true);
    frame->list().edit(0);
    ASSERT_TRUE(frame->form2()->isVisible());
    const QByteArray before = database();
    const RemoteReply refused = run("open", {other});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.message.contains("Editor")) << refused.message.toStdString();
    EXPECT_EQ(frame->list().rows().size(), 2);
    EXPECT_EQ(database(), before);
    EXPECT_TRUE(frame->form2()->isVisible());

    QTest::mouseClick(frame->form2()->BitBtn2, Qt::LeftButton); // Cancel
    ASSERT_FALSE(frame->form2()->isVisible());
    EXPECT_EQ(run("open", {other}).code, 0);
    EXPECT_EQ(frame->list().rows().size(), 1);
}

// Each value at its limit passes the command line and the running copy alike; one past it
// is refused by the command line, before anything is started, and by the running copy.
TEST_F(RemoteCommandsTest, ValuesAtTheirLimitsPassAndOnePastIsRefusedOnBothSides) {
    byhand("Tea", "Countdown", {"0", "5", "0"}, false);
    struct Case {
        QStringList line;
        RemoteCommand command;
    };
    const auto add = [](const QString& text, const char* how, const char* when) {
        return Case{{"--add", text, QString("--") + how, when}, {"add", {text, how, when, "once"}}};
    };
    const QString latin(255, u'\u00e9'), cyrillic(127, u'\u0436'); // 255 and 254 bytes stored
    // In pairs: the value at its limit, then the one past it.
    const Case cases[] = {
        add(QString(255, 'a'), "in", "5m"),
        add(QString(256, 'a'), "in", "5m"),
        add(latin, "in", "5m"),
        add(latin + 'a', "in", "5m"),
        add(cyrillic, "in", "5m"),
        add(cyrillic + u'\u0436', "in", "5m"),
        add("T", "in", "1s"),
        add("T", "in", "0s"),
        add("T", "in", "23:59:59"),
        add("T", "in", "24:00:00"),
        add("T", "at", "23:59:59"),
        add("T", "at", "24:00:00"),
        {{"--start", "1"}, {"start", {"1"}}},
        {{"--start", "0"}, {"start", {"0"}}},
        {{"--stop", "1"}, {"stop", {"1"}}},
        {{"--stop", "0"}, {"stop", {"0"}}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const bool passes = i % 2 == 0;
        SCOPED_TRACE(c.line.join(' ').left(40).toStdString());
        const CommandLine line = parsecommandline(QStringList{"chimelet"} + c.line, "/");
        EXPECT_EQ(line.action,
                  passes ? CommandLine::Action::Command : CommandLine::Action::Refused);
        if (passes) {
            EXPECT_EQ(line.command, c.command);
        }
        const RemoteReply reply = run(c.command.verb.toLatin1().constData(), c.command.args);
        EXPECT_EQ(reply.code, passes ? 0 : 2) << reply.message.toStdString();
    }
}
