#include "neditfixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QScreen>
#include <QTest>

// Not a check: shows the editor on a real display for a look and a screenshot.
// Run under Xvfb with QT_QPA_PLATFORM=xcb and CHIMELET_SHOT=<png path>, filter
// --gtest_also_run_disabled_tests --gtest_filter='*Screenshot*'.
TEST_F(EditorFixture, DISABLED_ScreenshotOfTheEditor) {
    QDir().mkpath(g.paths.docfolder);
    editor->fillfonts();
    main->show();

    QImage photo(320, 200, QImage::Format_RGB32);
    photo.fill(QColor(60, 120, 170));
    const QString jpeg = g.paths.docfolder + "/Tea time.jpg";
    photo.save(jpeg, "JPG");

    // Two Notifications made the way a user makes them.
    editor->makenew();
    QTest::keyClicks(editor->Edit1, "Stretch your legs");
    editor->Edit4->setText("1");
    editor->ComboBox2->setCurrentText("DejaVu Sans");
    editor->BitBtn1Click();

    editor->makenew();
    QTest::keyClicks(editor->Edit1, "Tea is ready");
    editor->Edit5->setText("4");
    editor->Edit6->setText("30");
    editor->ComboBox2->setCurrentText("DejaVu Serif");
    editor->ComboBox1->setCurrentText("48");
    editor->ColorBox1->setCurrentText("clNavy");
    editor->CheckBox4->setChecked(true);
    fake.dialogs.openAnswers.push_back(jpeg);
    editor->BitBtn3Click();
    editor->BitBtn1Click();
    ASSERT_EQ(g.ws.rowcount(), 2);

    editor->editnotification(RecordIndex(2), 1);
    QTest::qWait(800);
    const QString shot = qEnvironmentVariable("CHIMELET_SHOT");
    if (!shot.isEmpty()) QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
    QTest::qWait(qEnvironmentVariableIntValue("CHIMELET_SHOT_WAIT"));
    editor->BitBtn2Click();
}
