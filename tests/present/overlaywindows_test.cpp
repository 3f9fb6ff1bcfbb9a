#include "present/announcement.h"
#include "present/dismissoverlays.h"
#include "present/fsimage.h"
#include "present/picturebox.h"
#include "present/puimage.h"
#include "present/txtbx.h"
#include "support/fakeplatform.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
QRect screenrect() {
    return QGuiApplication::primaryScreen()->geometry();
}

bool waitfor(const std::function<bool()>& done, int msecs = 3000) {
    return QTest::qWaitFor(done, msecs);
}

int opacity(const QWidget& w) {
    return qRound(w.windowOpacity() * 255);
}

struct Overlays {
    FakeTray tray;
    TForm5 text;
    TForm4 small;
    TForm3 full;
    Overlays() { linkoverlays(tray, text, small, full); }
};
} // namespace

TEST(OverlayWindows, AreBorderlessOnTopAndWithoutTaskbarButton) {
    Overlays o;
    for (QWidget* w : {static_cast<QWidget*>(&o.text), static_cast<QWidget*>(&o.small),
                       static_cast<QWidget*>(&o.full)}) {
        const Qt::WindowFlags f = w->windowFlags();
        EXPECT_TRUE(f.testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(f.testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Tool);
    }
    EXPECT_EQ(o.text.RichEdit1, nullptr) << "the strip's text is made at its first display";
    o.text.starttheshow(QStringLiteral("Tea"), false);
    EXPECT_EQ(o.text.RichEdit1->viewport()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(o.small.Image1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(o.full.Image1->cursor().shape(), Qt::PointingHandCursor);
}

TEST(OverlayWindows, SizesAndPlaces) {
    Overlays o;
    const QRect s = screenrect();

    EXPECT_EQ(o.text.size(), QSize(479, 170)) << "as designed until placed";
    o.text.placeonscreen(s);
    EXPECT_EQ(o.text.geometry(), QRect(s.x(), s.bottom() - 169, s.width(), 170));
    o.text.starttheshow("Tea", false);
    EXPECT_EQ(o.text.RichEdit1->geometry(), o.text.rect());

    o.small.setpicture(QImage(10, 10, QImage::Format_RGB32));
    o.small.starttheshow(false);
    EXPECT_EQ(o.small.size(), QSize(425, 387));
    EXPECT_EQ(o.small.geometry().center(), s.center());
    // Moved by the user, it stays there for later displays.
    o.small.move(3, 4);
    o.small.hide();
    o.small.starttheshow(false);
    EXPECT_EQ(o.small.pos(), QPoint(3, 4));

    o.full.setpicture(QImage(10, 10, QImage::Format_RGB32));
    o.full.starttheshow(false);
    EXPECT_EQ(o.full.geometry(), s);
    EXPECT_EQ(o.full.Image1->geometry(), o.full.rect());
}

TEST(OverlayWindows, KeyColourPixelsAreLeftOutOfTheMask) {
    Overlays o;
    // A wide picture: fitted to 425 x 212, with see-through bars above and below,
    // and a block of exactly the key grey in its middle.
    QImage pic(200, 100, QImage::Format_RGB32);
    pic.fill(qRgb(0, 90, 0));
    for (int y = 40; y < 60; ++y)
        for (int x = 90; x < 110; ++x)
            pic.setPixel(x, y, qRgb(128, 128, 128));
    o.small.setpicture(pic);
    o.small.starttheshow(false);
    const QRegion mask = o.small.mask();
    EXPECT_TRUE(mask.contains(QPoint(20, 193)));
    EXPECT_FALSE(mask.contains(QPoint(212, 193))) << "grey picture pixels";
    EXPECT_FALSE(mask.contains(QPoint(212, 20))) << "bar above the picture";
    EXPECT_FALSE(mask.contains(QPoint(212, 370))) << "bar below the picture";

    // The full-screen window stretches, so there are no bars.
    o.full.setpicture(pic);
    o.full.starttheshow(false);
    const QRect s = o.full.rect();
    EXPECT_TRUE(o.full.mask().contains(QPoint(2, 2)));
    EXPECT_TRUE(o.full.mask().contains(QPoint(s.width() - 3, s.height() - 3)));
    EXPECT_FALSE(o.full.mask().contains(s.center()));
}

TEST(OverlayWindows, OnlyTheLettersOfTheTextStay) {
    Overlays o;
    o.text.placeonscreen(screenrect());
    o.text.setfontface(QStringLiteral("DejaVu Sans"), 40, Qt::red);
    o.text.starttheshow(QStringLiteral("Tea time"), false);
    const QRegion letters = o.text.mask();
    ASSERT_FALSE(letters.isEmpty());
    EXPECT_LT(letters.boundingRect().width(), o.text.width() / 2);
    EXPECT_TRUE(o.text.rect().contains(letters.boundingRect()));
    EXPECT_FALSE(letters.contains(QPoint(2, 160))) << "silver background is see-through";

    // Silver letters vanish: nothing of the window stays.
    o.text.setfontface(QStringLiteral("DejaVu Sans"), 40, QColor(192, 192, 192));
    o.text.starttheshow(QStringLiteral("Tea time"), false);
    EXPECT_TRUE((o.text.mask() & QRegion(o.text.rect())).isEmpty());
    EXPECT_FALSE(o.text.mask().isEmpty()) << "an empty mask would show the whole strip";
}

TEST(OverlayWindows, TextFontAndLine) {
    TForm5 t;
    // Styles set before the first display reach the text made then.
    t.setfontstyles(true, false, false);
    t.starttheshow(QStringLiteral("zero"), true);
    EXPECT_EQ(t.RichEdit1->font().pointSize(), 8);
    EXPECT_TRUE(t.RichEdit1->font().bold());
    t.setfontstyles(true, false, true);
    t.setfontface(QStringLiteral("DejaVu Serif"), 30, Qt::blue);
    t.starttheshow(QStringLiteral("one line"), true);
    const QFont f = t.RichEdit1->font();
    EXPECT_TRUE(f.bold());
    EXPECT_FALSE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_EQ(f.pointSize(), 30);
    EXPECT_EQ(t.RichEdit1->palette().color(QPalette::Text), QColor(Qt::blue));
    EXPECT_EQ(t.text(), QStringLiteral("one line"));
    t.starttheshow(QStringLiteral("second"), true);
    EXPECT_EQ(t.text(), QStringLiteral("second")) << "a new display replaces the text";
    EXPECT_TRUE(t.RichEdit1->isReadOnly());
    EXPECT_EQ(t.Button1->size(), QSize(0, 0));
}

TEST(OverlayWindows, FadeInAndOutOnTheirTimers) {
    TForm5 t;
    t.placeonscreen(screenrect());
    t.starttheshow(QStringLiteral("Tea"), true);
    EXPECT_TRUE(t.isVisible());
    EXPECT_EQ(opacity(t), 5);
    EXPECT_TRUE(t.stimer->isActive());
    EXPECT_EQ(t.stimer->interval(), OverlayWindow::kFadeTickMsecs);
    ASSERT_TRUE(waitfor([&] { return !t.stimer->isActive(); }));
    EXPECT_EQ(opacity(t), 255);
    EXPECT_EQ(t.fadelevel(), 265);

    t.endtheshow();
    EXPECT_TRUE(t.etimer->isActive());
    ASSERT_TRUE(waitfor([&] { return !t.isVisible(); }));
    EXPECT_FALSE(t.etimer->isActive());
    EXPECT_EQ(opacity(t), 15);
    EXPECT_TRUE(t.text().isEmpty()) << "a hidden window holds no content";

    // Without fading: shown solid, gone on the first fade-out tick.
    t.starttheshow(QStringLiteral("Tea"), false);
    EXPECT_EQ(opacity(t), 255);
    t.etimerTimer(); // not running yet: nothing happens
    EXPECT_TRUE(t.isVisible());
    t.endtheshow();
    t.etimerTimer();
    EXPECT_FALSE(t.isVisible());
    EXPECT_EQ(opacity(t), 255) << "no intermediate opacity";
}

TEST(OverlayWindows, ClickOnOneEndsAllEachByItsOwnFade) {
    Overlays o;
    o.tray.setballoontext(QStringLiteral("Tea"));
    o.text.placeonscreen(screenrect());
    o.text.starttheshow(QStringLiteral("Tea"), false);
    QImage pic(50, 50, QImage::Format_RGB32);
    pic.fill(Qt::yellow);
    o.small.setpicture(pic);
    o.small.starttheshow(true);
    o.full.setpicture(pic);
    o.full.starttheshow(true);
    for (int i = 0; i < 3; ++i)
        o.full.stimerTimer(); // full-screen still fading in

    QTest::mouseClick(o.small.Image1, Qt::LeftButton, {}, QPoint(212, 193));

    EXPECT_TRUE(o.tray.balloontext().isEmpty());
    EXPECT_FALSE(o.text.isVisible()) << "no fading: hidden at once";
    EXPECT_TRUE(o.text.text().isEmpty());
    for (OverlayWindow* w :
         {static_cast<OverlayWindow*>(&o.small), static_cast<OverlayWindow*>(&o.full)}) {
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->stimer->isActive()) << "fade-in stopped";
        EXPECT_TRUE(w->etimer->isActive()) << "fading out";
    }
    EXPECT_EQ(o.full.fadelevel(), 125) << "the fade-out starts from the level reached";

    // The display timer firing now does not restart the fade-out.
    o.full.etimerTimer();
    o.full.endtheshow();
    EXPECT_EQ(o.full.fadelevel(), 85);

    ASSERT_TRUE(waitfor([&] { return !o.small.isVisible() && !o.full.isVisible(); }));
    EXPECT_TRUE(o.small.Image1->picture().isNull());
    EXPECT_TRUE(o.full.Image1->picture().isNull());
}

TEST(OverlayWindows, ClickOnTheTextEndsTheImagesToo) {
    Overlays o;
    o.text.placeonscreen(screenrect());
    o.text.starttheshow(QStringLiteral("Tea"), false);
    o.full.setpicture(QImage(8, 8, QImage::Format_RGB32));
    o.full.starttheshow(false);
    QTest::mouseClick(o.text.RichEdit1->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(o.text.isVisible());
    EXPECT_FALSE(o.full.isVisible());
    EXPECT_FALSE(o.small.isVisible()) << "a hidden window stays hidden";
}

TEST(OverlayWindows, RestartWhileFadingOutShowsTheNewDisplay) {
    TForm4 w;
    w.setpicture(QImage(8, 8, QImage::Format_RGB32));
    w.starttheshow(true);
    w.endtheshow();
    w.etimerTimer();
    w.setpicture(QImage(8, 8, QImage::Format_RGB32));
    w.starttheshow(true);
    EXPECT_EQ(opacity(w), 5);
    EXPECT_FALSE(w.etimer->isActive());
    ASSERT_TRUE(waitfor([&] { return !w.stimer->isActive(); }));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(opacity(w), 255);
}

TEST(OverlayWindows, AScreenReaderHearsTheTextOnceWhateverShowsIt) {
    installannouncing();
    Overlays o;
    const auto heard = [](QWidget* w) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        return i->role() == QAccessible::Notification ? i->text(QAccessible::Name) : QString();
    };
    o.text.starttheshow(QStringLiteral("Tea"), false);
    EXPECT_EQ(heard(&o.text), "Tea");
    o.small.announce(QStringLiteral("Tea"), false);
    EXPECT_EQ(heard(&o.small), "") << "a picture beside the strip stays silent";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&o.small)->text(QAccessible::Name), "Tea");
    o.full.announce(QStringLiteral("Soup"), true);
    EXPECT_EQ(heard(&o.full), "Soup");

    // A text only in the balloon: a window no one sees tells it, and goes with the balloon.
    o.text.announce(QStringLiteral("Bread"));
    const auto told = [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && heard(w) == "Bread") return w;
        return static_cast<QWidget*>(nullptr);
    };
    QWidget* teller = told();
    ASSERT_NE(teller, nullptr);
    EXPECT_FALSE(teller->geometry().intersects(screenrect())) << "nothing to see on the screen";
    EXPECT_TRUE(teller->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(waitfor([&] { return !teller->isVisible(); }, Announcer::kShownMsecs + 2000));
}

TEST(OverlayWindows, EscapeOnTheStripEndsEveryOverlay) {
    Overlays o;
    o.text.starttheshow(QStringLiteral("Tea"), false);
    o.full.starttheshow(false);
    ASSERT_TRUE(o.text.isVisible() && o.full.isVisible());
    QTest::keyClick(o.text.Button1, Qt::Key_Escape);
    EXPECT_FALSE(o.text.isVisible());
    EXPECT_FALSE(o.full.isVisible());
}
