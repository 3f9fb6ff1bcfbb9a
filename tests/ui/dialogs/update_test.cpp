#include "httpmodule/httplibclient.h"
#include "linuxplatform/clock.h"
#include "offthread/offthread.h"
#include "schedule/secondticker.h"
#include "store/apppaths.h"
#include "support/fakeplatform.h"
#include "support/loopbackserver.h"
#include "support/tempfolder.h"
#include "ui/dialogs/update.h"
#include "update/installerdownload.h"
#include "update/updatecheck.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
constexpr const char* kInstaller = "/chimelet/update/ud.exe";
}

TEST(UpdateArithmetic, PercentofAndInstallerName) {
    EXPECT_EQ(percentof(3, 1), 33);
    EXPECT_EQ(percentof(1000, 1000), 100);
    EXPECT_EQ(percentof(3 << 20, 3 << 20), 100);
    EXPECT_EQ(percentof(0, 5), 0);
    EXPECT_EQ(percentof(1, INT64_MAX), 0); // overflow

    EXPECT_EQ(installername({"application/octet-stream", "attachment; filename=\"c-2.1.deb\""}),
              "chimelet-update.deb");
    EXPECT_EQ(installername({"application/vnd.debian.binary-package", "filename=../../x/.."}),
              "chimelet-update.deb");
    EXPECT_EQ(installername({"", "filename=a.$(rm)"}), "chimelet-update");
}

struct UpdateWindowTest : ::testing::Test {
    FakeDialogs dialogs;
    FakeShell shell;
    TempFolder tmp;
    AppPaths paths;
    LoopbackServer server;
    std::unique_ptr<HttplibClient> http;
    std::unique_ptr<TForm10> form;

    std::string release = "3";

    // The window does not wait for its transfers; the server and client outlive them.
    ~UpdateWindowTest() override {
        form.reset();
        transferpool().waitForDone();
    }

    void open() {
        server.server().Get("/chimelet/update/cur.dat",
                            [this](const httplib::Request&, httplib::Response& res) {
                                res.set_content(release, "text/plain");
                            });
        server.text("/chimelet/update/niw.dat", "CHIMELET 3 IS OUT");
        http = std::make_unique<HttplibClient>(server.start(),
                                               HttplibClient::Settings{5000ms, 400ms, {}});
        paths.datafolder = tmp.path() + '/';
        form = std::make_unique<TForm10>(*http, dialogs, shell, paths);
        form->checkforupdates();
        answered();
    }
    // The check's answer, which comes from its thread.
    void answered() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !form->checking(); }, 10000));
        QCoreApplication::processEvents();
    }
    // The message of a check against a server whose "cur.dat" is `body`.
    QString check(const std::string& body) {
        release = body;
        dialogs.messages.clear();
        form->hide();
        form->checkforupdates();
        answered();
        return dialogs.messages.value(0);
    }
    QStringList files() const { return QDir(tmp.path()).entryList(QDir::Files); }
    SystemClock clock;
    SecondTicker ticker{clock};
    int ticks = 0;
    // The program's second tick, running beside the window.
    void countticks() {
        QObject::connect(&ticker, &SecondTicker::tick, [this] { ++ticks; });
        ticker.start();
    }
    bool download() {
        form->doupdateClick();
        return QTest::qWaitFor([this] { return !form->downloading(); }, 10000);
    }
};

TEST_F(UpdateWindowTest, CheckOffersANewerReleaseWithItsNewsLowerCased) {
    open();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->StaticText1->text(), "chimelet 3 is out");

    EXPECT_EQ(check("2"), kNoUpdatesMessage);
    EXPECT_EQ(check("1"), kNoUpdatesMessage);
    EXPECT_EQ(check(""), kNoConnectionMessage);
    EXPECT_EQ(check("3\n"), "'3\n' is not a valid integer value");
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(check("4"), "");
    EXPECT_TRUE(form->isVisible());

    server.stop();
    EXPECT_EQ(check("3"), kNoConnectionMessage);
    // Without news the window closes itself again.
    form->hide();
    form->show();
    answered();
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UpdateWindowTest, DownloadRunsBesideTheTickAndIsHandedToTheDesktop) {
    constexpr std::size_t size = 3 << 20;
    server.file(kInstaller, size, 48, 40ms); // about two seconds
    open();
    countticks();
    QSignalSpy end(form.get(), &TForm10::endprogram);

    ASSERT_TRUE(download());
    EXPECT_GE(ticks, 1);
    EXPECT_EQ(form->StaticText5->text(), "100%");
    EXPECT_EQ(form->ProgressBar1->value(), form->ProgressBar1->maximum());
    const QString saved = tmp.file("chimelet-update.deb");
    ASSERT_EQ(shell.files, QStringList{saved});
    EXPECT_EQ(QFileInfo(saved).size(), qint64(size));
    EXPECT_EQ(files(), QStringList{"chimelet-update.deb"});
    EXPECT_EQ(end.count(), 1);
}

TEST_F(UpdateWindowTest, CutOrStalledDownloadFailsAndLeavesNothing) {
    server.file(kInstaller, 1 << 20, 16, 0ms, 300'000);
    open();
    for (bool stall : {false, true}) {
        server.stall = stall;
        form->show();
        ASSERT_TRUE(download());
        EXPECT_FALSE(form->doupdate->isEnabled());
        EXPECT_TRUE(form->noupdate->isEnabled());
        EXPECT_EQ(form->noupdate->text(), "Ok");
        EXPECT_EQ(form->StaticText1->text(), "Download failed. Try later.");
        EXPECT_FALSE(form->ProgressBar1->isVisible());
        EXPECT_TRUE(files().isEmpty());
        EXPECT_TRUE(shell.files.isEmpty());
        form->noupdateClick(); // "Ok" puts the buttons back for the next time
        EXPECT_EQ(form->noupdate->text(), "Cancel");
        EXPECT_TRUE(form->doupdate->isEnabled());
    }
}

// Closed part way through a slow transfer, the window stops it there and keeps nothing. On
// the way every report counts no more than the whole, and the percent shown is its share.
TEST_F(UpdateWindowTest, ClosedPartWayTheDownloadStopsAndEveryReportAddsUp) {
    constexpr qint64 size = 1 << 20;
    server.file(kInstaller, size, 256, 40ms); // ten seconds, if nobody stops it
    open();
    QSignalSpy end(form.get(), &TForm10::endprogram);
    QList<std::pair<qint64, qint64>> reports;
    QObject::connect(form->findChild<InstallerDownload*>(), &InstallerDownload::progress,
                     form.get(), [&](qint64 done, qint64 total) {
                         reports.append({done, total});
                         EXPECT_LE(done, total);
                         EXPECT_EQ(total, size);
                         EXPECT_EQ(form->StaticText5->text(),
                                   QString::number(done * 100 / size) + '%');
                     });
    form->doupdateClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.size() >= 3; }, 10000));
    form->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->downloading(); }, 3000));
    QCoreApplication::processEvents();
    EXPECT_LT(reports.last().first, size);
    EXPECT_TRUE(files().isEmpty()) << files().join(' ').toStdString();
    EXPECT_TRUE(shell.files.isEmpty());
    EXPECT_EQ(end.count(), 0);
}

// Deleted part way through, the window does not wait for the transfer: it ends at its next
// piece, keeps nothing and reaches nobody.
TEST_F(UpdateWindowTest, DeletedPartWayTheDownloadEndsUnheardAndLeavesNothing) {
    server.file(kInstaller, 1 << 20, 256, 40ms); // ten seconds, if nobody stops it
    open();
    form->doupdateClick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->ProgressBar1->value() > 0; }, 10000));
    form.reset();
    transferpool().waitForDone();
    QCoreApplication::processEvents();
    EXPECT_TRUE(files().isEmpty()) << files().join(' ').toStdString();
    EXPECT_TRUE(shell.files.isEmpty());
}

// A server that answers after four seconds holds up neither the tick nor the windows:
// the check returns at once, says it is checking, and its answer comes later.
TEST_F(UpdateWindowTest, ASlowServerHoldsUpNoTick) {
    server.server().Get("/chimelet/update/cur.dat",
                        [](const httplib::Request&, httplib::Response& res) {
                            std::this_thread::sleep_for(4s);
                            res.set_content("2", "text/plain");
                        });
    http = std::make_unique<HttplibClient>(server.start(),
                                           HttplibClient::Settings{5000ms, 5000ms, {}});
    form = std::make_unique<TForm10>(*http, dialogs, shell, paths);
    countticks();
    QSignalSpy checking(form.get(), &TForm10::checkingChanged);

    form->checkforupdates();
    EXPECT_TRUE(form->checking());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(checking.size(), 1);
    EXPECT_TRUE(checking[0][0].toBool());
    answered();
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(dialogs.messages, QStringList{kNoUpdatesMessage});
    ASSERT_EQ(checking.size(), 2);
    EXPECT_FALSE(checking[1][0].toBool());
}
