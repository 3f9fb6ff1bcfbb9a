#include "neditfixture.h"

#include "schedule/engine.h"
#include "store/colortable.h"
#include "store/integertext.h"
#include "support/picturejobs.h"
#include "ui/mainwindow/preview.h"
#include "ui/widgets/picturepane.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>

using EditorLifecycle = EditorFixture;

TEST_F(EditorLifecycle, NewThenCancelKeepsADefaultInactiveNotification) {
    editor->makenew();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(g.ws.modified());
    editor->BitBtn2Click();
    EXPECT_FALSE(editor->isVisible());

    EXPECT_EQ(g.ws.recordcount(), 1);
    EXPECT_EQ(g.ws.db().readheader().RecordCount, 1);
    ASSERT_EQ(g.ws.rowcount(), 1);
    ASSERT_EQ(g.ws.rows().size(), 1);
    const TNotificationRecord rec = stored(1);
    EXPECT_EQ(rec.TimerType, "Countdown");
    EXPECT_EQ(rec.FontSize, 68);
    EXPECT_EQ(rec.FontColor, "clRed");
    EXPECT_EQ(rec.DisplayDuration, 5);
    EXPECT_EQ(rec.TextDisplayType, "Balloon & Overlay");
    EXPECT_EQ(rec.ImageDisplayType, "Desktop Overlay (Small Window)");
    EXPECT_EQ(rec.Active, 0);
    EXPECT_EQ(rec.RepeatFlag, 1);
    EXPECT_EQ(rowtext(0, rowpart::State), "Inactive");
    EXPECT_EQ(rowtext(0, rowpart::RecordIndex), "1");
}

TEST_F(EditorLifecycle, EditThenCancelLeavesTheNotificationInactive) {
    addstored(sample());
    Engine engine(g.ws, sink);
    QObject::connect(&engine, &Engine::editRequested, &engine,
                     [this](RecordIndex index, int row) { editor->editnotification(index, row); });
    engine.edit(0);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->Edit1->text(), "Tea");
    EXPECT_EQ(editor->Edit5->text(), "10");
    EXPECT_EQ(editor->ComboBox4->currentText(), "Balloon Bubble");
    EXPECT_TRUE(editor->CheckBox4->isChecked());

    editor->BitBtn2Click();
    TNotificationRecord expected = sample();
    expected.Active = 0;
    EXPECT_EQ(stored(1), expected) << "only Active changed";
    EXPECT_EQ(rowtext(0, rowpart::State), "Inactive");
}

TEST_F(EditorLifecycle, ApplyArmsByTheTimerAndRestartsTheCountdown) {
    editor->makenew();
    editor->BitBtn1Click();
    EXPECT_EQ(stored(1).Active, 0) << "a countdown of 0:0:0 stays off";
    EXPECT_EQ(rowtext(0, rowpart::State), "Inactive");

    editor->makenew();
    editor->ComboBox5->setCurrentText("Certain time");
    editor->BitBtn1Click();
    EXPECT_EQ(stored(2).Active, 1) << "00:00:00 is a time of day";
    EXPECT_EQ(rowtext(1, rowpart::State), "Active");

    const int index = addstored(sample());
    const QString full = rowtext(2, rowpart::Left);
    g.ws.rows().setsubitem(2, rowpart::Left, "3s");
    editor->editnotification(RecordIndex(index), 2);
    editor->Edit1->setText("Tea is ready");
    editor->BitBtn1Click();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(rowtext(2, rowpart::Left), full);
    EXPECT_EQ(g.ws.rows().row(2).caption, "Tea is ready");
    EXPECT_EQ(stored(index).MessageText, "Tea is ready");
    EXPECT_EQ(stored(index).Active, 1);
    EXPECT_EQ(main->StaticText2->text(), "Tea is ready") << "shown in the preview";
}

TEST_F(EditorLifecycle, StoredTextsComeBackInTheListsOwnSpelling) {
    TNotificationRecord rec = sample();
    rec.TimerType = "countdown";
    rec.TextDisplayType = "BALLOON BUBBLE";
    rec.FontColor = "clSilver";
    rec.ImageDisplayType = "Somewhere else";
    const int index = addstored(rec);
    editor->editnotification(RecordIndex(index), 0);
    settlepictures();
    editor->BitBtn1Click();

    const TNotificationRecord back = stored(index);
    EXPECT_EQ(back.TimerType, "Countdown");
    EXPECT_EQ(back.TextDisplayType, "Balloon Bubble");
    EXPECT_EQ(back.FontColor, "clScrollBar") << "clSilver is not offered";
    EXPECT_EQ(back.ImageDisplayType, "");
}

TEST_F(EditorLifecycle, FailedApplyWritesNothingAndStaysOpen) {
    editor->makenew();
    editor->Edit5->clear(); // minutes refill only on entering
    const QByteArray before = databasebytes();
    const NotificationRow row = g.ws.rows().row(0);
    try {
        editor->BitBtn1Click();
        ADD_FAILURE() << "Apply went through";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
    EXPECT_EQ(databasebytes(), before);
    EXPECT_EQ(g.ws.rows().row(0).sub, row.sub);
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(EditorLifecycle, PreviewPresentsWithoutStoring) {
    editor->makenew();
    editor->Edit1->setText("Tea");
    const QByteArray before = databasebytes();
    const NotificationRow row = g.ws.rows().row(0);
    editor->BitBtn5Click();
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].MessageText, "Tea");
    EXPECT_EQ(sink.shown[0].Active, 0);
    EXPECT_EQ(databasebytes(), before);
    EXPECT_EQ(g.ws.rows().row(0).caption, row.caption);
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(EditorLifecycle, EveryWayOutEnablesTheMainWindow) {
    main->show();
    for (auto leave : {+[](TForm2& e) { e.BitBtn2Click(); }, +[](TForm2& e) { e.BitBtn1Click(); },
                       +[](TForm2& e) { e.close(); }}) {
        editor->makenew();
        EXPECT_FALSE(main->isEnabled());
        leave(*editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_TRUE(main->isEnabled());
    }
    // Hidden into the tray meanwhile, the main window still comes back usable.
    editor->makenew();
    main->hide();
    editor->BitBtn2Click();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(EditorLifecycle, ThumbnailFollowsTheNotification) {
    const QString picture = tmp.file("cup.bmp");
    QImage(30, 20, QImage::Format_RGB32).save(picture, "BMP");
    TNotificationRecord rec = sample();
    rec.ImageFile = picture.toStdString();
    const int index = addstored(rec);

    editor->editnotification(RecordIndex(index), 0);
    settlepictures();
    EXPECT_EQ(editor->Image1->picture().size(), QSize(30, 20));
    editor->close();
    EXPECT_FALSE(editor->Image1->picture().isNull()) << "the close box leaves it";
    editor->BitBtn2Click();
    EXPECT_TRUE(editor->Image1->picture().isNull());

    // A stored picture that is gone leaves the thumbnail empty, silently.
    rec.ImageFile = tmp.file("gone.jpg").toStdString();
    editor->editnotification(RecordIndex(addstored(rec)), 1);
    settlepictures();
    EXPECT_TRUE(editor->Image1->picture().isNull());
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(EditorLifecycle, FontsAlphabeticalAndColoursShowThemselves) {
    editor->fillfonts();
    const QStringList families = QFontDatabase::families();
    ASSERT_GT(editor->ComboBox2->count(), 0);
    EXPECT_EQ(editor->ComboBox2->count(), QSet<QString>(families.begin(), families.end()).size());
    for (int i = 1; i < editor->ComboBox2->count(); ++i)
        EXPECT_LE(editor->ComboBox2->itemText(i - 1).compare(editor->ComboBox2->itemText(i),
                                                             Qt::CaseInsensitive),
                  0);

    ASSERT_EQ(editor->ColorBox1->count(), 19);
    EXPECT_EQ(editor->ColorBox1->findText("clSilver"), -1);
    for (const NamedColor& c : colornames()) {
        const int i = editor->ColorBox1->findText(c.name);
        if (i < 0) continue;
        const QImage swatch = editor->ColorBox1->itemIcon(i).pixmap(16, 12).toImage();
        EXPECT_EQ(swatch.pixelColor(8, 6), QColor(c.rgb.r, c.rgb.g, c.rgb.b)) << c.name;
    }
}
