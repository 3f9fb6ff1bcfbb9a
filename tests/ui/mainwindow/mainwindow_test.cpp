#include "mainfixture.h"

#include "ui/mainwindow/listcolumns.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, FileCommandsStartOnAndSaveFollowsTheUnsavedMark) {
    for (QPushButton* on : {form->BitBtn6, form->BitBtn7, form->BitBtn9})
        EXPECT_TRUE(on->isEnabled()) << on->text().toStdString();
    EXPECT_EQ(form->ComboBox5->currentText(), "Lateral");
    EXPECT_FALSE(form->BitBtn8->isEnabled());
    g.ws.markmodified();
    EXPECT_TRUE(form->BitBtn8->isEnabled());
    g.ws.clearmodified();
    EXPECT_FALSE(form->BitBtn8->isEnabled());
}

// Whatever the desktop's font, the status panels keep their widths and the version and the
// clock fit inside theirs, clear of the edges.
TEST_F(MainWindow, StatusPanelsKeepTheirWidthsAndTheirTextsFit) {
    const QFont desktop = QApplication::font();
    for (const qreal points : {desktop.pointSizeF() > 0 ? desktop.pointSizeF() : 9.0, 16.0}) {
        QFont font = desktop;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        TForm1 window(g.list, fake.dialogs, g.paths, g.reporter);
        const QList<QLabel*> panels =
            window.statusBar()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_EQ(panels.size(), 6);
        const int widths[] = {50, 55, 150, 50, 200, 50};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(panels[i]->width(), widths[i]) << i << " at " << points << " pt";
        panels[2]->setText(QStringLiteral("     Current Time: 23:58:08"));
        for (QLabel* panel : {panels[1], panels[2]})
            EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()) +
                          2 * panel->frameWidth() + 4,
                      panel->width())
                << panel->text().toStdString() << " at " << points << " pt";
    }
    QApplication::setFont(desktop);
}

TEST_F(MainWindow, ProgramIconIsTheWindowsAndTheApplicationsAndListIconsAreDistinct) {
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_EQ(form->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    QList<QImage> seen;
    for (int i = 0; i < form->ImageList1().count(); ++i) {
        const QImage img = form->ImageList1().pixmap(i).toImage();
        EXPECT_EQ(img.size(), QSize(16, 16)) << i;
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(img.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 30) << "icon " << i << " is nearly empty";
        for (const QImage& other : seen)
            EXPECT_NE(img, other) << "icon " << i;
        seen << img;
    }
    EXPECT_TRUE(form->ImageList1().icon(-1).isNull());
    EXPECT_TRUE(form->ImageList1().icon(9).isNull());
}

TEST_F(MainWindow, ResizingFitsTheColumnsToTheWindowWidth) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QHeaderView* header = form->ListView1->header();
    // Start from the first widths, as a drag of the user might leave them.
    for (int c : {0, 1, 2, kFillerColumn})
        header->resizeSection(c, listcolumns()[static_cast<std::size_t>(c)].width);

    // The width that counts is the outer one, frame included.
    const int frame = form->frameGeometry().width() - form->width();
    form->resize(643 - frame, 659);
    ASSERT_EQ(form->frameGeometry().width(), 643) << "the window must be able to get this narrow";
    EXPECT_EQ(header->sectionSize(0), 178);
    EXPECT_EQ(header->sectionSize(1), 120);
    EXPECT_EQ(header->sectionSize(2), 120);
    EXPECT_EQ(header->sectionSize(kFillerColumn), 0);

    form->resize(644 - frame, 659);
    // Each takes its share even where the list then scrolls; the filler takes nothing.
    EXPECT_EQ(header->sectionSize(0), 644 / 4 - 5);
    EXPECT_EQ(header->sectionSize(1), 644 / 5 - 5);
    EXPECT_EQ(header->sectionSize(2), 644 / 5 - 5);
    EXPECT_GE(header->length(), form->ListView1->viewport()->width());
    EXPECT_EQ(header->sectionSize(4), 70); // the others keep theirs
    EXPECT_EQ(header->sectionSize(6), 23);

    // Wide enough, every column takes its share and the filler the rest.
    form->resize(1000 - frame, 659);
    EXPECT_EQ(header->sectionSize(0), 1000 / 4 - 5);
    EXPECT_EQ(header->sectionSize(1), 1000 / 5 - 5);
    EXPECT_EQ(header->length(), form->ListView1->viewport()->width());
    EXPECT_GT(header->sectionSize(kFillerColumn), 0);

    // Narrowing again leaves the widened columns as they are.
    form->resize(500, 659);
    EXPECT_EQ(header->sectionSize(1), 1000 / 5 - 5);
}

} // namespace
