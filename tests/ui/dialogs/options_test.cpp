#include "schedule/errorreporter.h"
#include "store/ansitext.h"
#include "store/apppaths.h"
#include "store/secure.h"
#include "support/fakeplatform.h"
#include "support/tempfolder.h"
#include "ui/dialogs/options.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
struct OptionsTest : ::testing::Test {
    FakeDialogs dialogs;
    TempFolder tmp;
    SettingsStore settings;
    AppPaths paths;
    ErrorReporter reporter{dialogs};
    FakeAutostart autostart;
    std::unique_ptr<TForm11> form;

    void SetUp() override {
        ASSERT_TRUE(settings.opensettings(tmp.file("chsb.rez")));
        paths.docfolder = tmp.path();
        form = std::make_unique<TForm11>(settings, dialogs, autostart, paths, reporter,
                                         tmp.file("chimelet"));
    }
    QString recorded(int number) {
        return fromansi(SettingsStore::plaintext(settings.readsetting(number).Text));
    }
    void ok(bool autostartWanted) {
        form->show();
        form->CheckBox7->setChecked(autostartWanted);
        form->BitBtn1->click();
    }
};
} // namespace

TEST_F(OptionsTest, OnlyExactlyOneShowsStartMinimisedAndOkRewritesRecordZero) {
    TSettingsRecord old;
    old.Text = SettingsStore::storedtext(toansi(QStringLiteral("/home/zoë/list.clt")));
    old.Value = 2;
    settings.writesetting(old, 0);
    form->show();
    EXPECT_FALSE(form->CheckBox6->isChecked());
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("/home/zoë/list.clt"));
    form->BitBtn1->click();
    EXPECT_FALSE(form->isVisible());
    const TSettingsRecord now = settings.readsetting(0);
    EXPECT_EQ(now.Value, 0);
    EXPECT_EQ(now.Text, old.Text);
}

TEST_F(OptionsTest, AutostartEntryIsMadeRecordedKeptAndRemoved) {
    const QString entry = QStringLiteral("/autostart/") + tmp.file("chimelet");
    ok(true);
    EXPECT_TRUE(autostart.exists(entry));
    EXPECT_EQ(recorded(3), entry);
    EXPECT_EQ(settings.readsetting(0).Flag, 1);

    // Checked again with the entry in place: it is left as it is.
    form->show();
    EXPECT_TRUE(form->CheckBox7->isChecked());
    form->BitBtn1->click();
    EXPECT_EQ(autostart.created, 1);

    ok(false);
    EXPECT_FALSE(autostart.exists(entry));
    EXPECT_EQ(settings.readsetting(0).Flag, 0);
    ok(true); // gone since: made again
    EXPECT_EQ(autostart.created, 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(OptionsTest, ChooserRefusesAPathTheStoreCannotHold) {
    const QString list = tmp.file("liste é.clt");
    dialogs.openAnswers = {list, QString(300, u'a')};
    form->show();
    form->BitBtn3->click();
    EXPECT_EQ(form->Edit2->text(), list);
    EXPECT_EQ(dialogs.asked.value(0).folder, tmp.path());
    form->BitBtn3->click();
    EXPECT_EQ(form->Edit2->text(), list);
    EXPECT_EQ(dialogs.messages, QStringList{QString::fromLatin1(kUnstorablePath)});
}
