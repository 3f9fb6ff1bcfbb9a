#include "mainfixture.h"

#include "schedule/timetext.h"
#include "ui/mainwindow/listcolumns.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <algorithm>

namespace {

// Collects the model tester's complaints instead of letting them scroll by.
struct ContractWatch {
    static inline QStringList complaints;
    QtMessageHandler previous;
    ContractWatch() {
        complaints.clear();
        previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& msg) {
                if (type != QtDebugMsg) complaints << msg;
            });
    }
    ~ContractWatch() { qInstallMessageHandler(previous); }
};

// The region a widget was asked to paint.
struct PaintRecorder : QObject {
    QRegion painted;
    explicit PaintRecorder(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

// What the window's backing store holds for a widget: what is on screen.
QImage onscreen(QWidget* w) {
    const QPoint at = w->mapTo(w->window(), QPoint(0, 0));
    return w->screen()
        ->grabWindow(w->window()->winId(), at.x(), at.y(), w->width(), w->height())
        .toImage();
}

// Everything painted afresh, as the screen then shows it.
QImage repainted(QWidget* w) {
    PaintRecorder again(w);
    w->update();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !again.painted.isEmpty(); }));
    return onscreen(w);
}

using ListView = MainWindowFixture;

TEST_F(ListView, ShowsEachRowPartInItsColumnWithTheRowsIcons) {
    TNotificationRecord rec = note("Tea", 0);
    rec.ImageFile = "/pics/a.jpg";
    rec.RepeatFlag = 1;
    add(rec);
    const NotificationRow& row = g.ws.rows().row(0);
    EXPECT_EQ(cell(0, 0).toString(), row.caption);
    EXPECT_EQ(iconat(0, 0), row.itemImage);
    for (int part = 0; part < 8; ++part) {
        EXPECT_EQ(cell(0, part + 1).toString(), row.sub[part]) << part;
        EXPECT_EQ(iconat(0, part + 1), row.subImage[part]) << part;
    }
    EXPECT_EQ(iconat(0, 1), icon::Image);
    EXPECT_EQ(iconat(0, 6), icon::Inactive);
    EXPECT_EQ(iconat(0, 7), icon::Repeat);
    EXPECT_FALSE(cell(0, kFillerColumn).isValid());
    // The narrow icon columns still tell their text on hover.
    EXPECT_EQ(cell(0, 7, Qt::ToolTipRole).toString(), "Repeat");
}

// At their starting widths the columns show their headings, their icons and a certain time
// whole, and the hidden ones take no room. A drag may narrow a text column, never an icon
// column below its icon.
TEST_F(ListView, ColumnsStartWideEnoughForWhatTheyShowAndIconsKeepTheirRoom) {
    add(SampleRecord("Tea").at(23, 59, 59).active().repeating());
    QTreeView* view = form->ListView1;
    QHeaderView* header = view->header();
    QStyle* style = view->style();
    const int headermargins = 2 * (style->pixelMetric(QStyle::PM_HeaderMargin) + 1);
    const int cellmargins =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const int iconwidth = view->iconSize().isValid()
                              ? view->iconSize().width()
                              : style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
    for (int c = 0; c < kRecordIndexColumn; ++c) {
        const QString heading =
            form->listmodel()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString text = cell(0, c).toString();
        int needed = header->fontMetrics().horizontalAdvance(heading) + headermargins;
        if (iconat(0, c) >= 0) needed = std::max(needed, iconwidth + cellmargins);
        if (c == columnofpart(rowpart::Time))
            needed = std::max(needed, view->fontMetrics().horizontalAdvance(text) + cellmargins);
        EXPECT_GE(header->sectionSize(c), needed) << c << " " << text.toStdString();
    }
    EXPECT_TRUE(view->isColumnHidden(kRecordIndexColumn));
    EXPECT_EQ(header->sectionSize(kFillerColumn), 0);
    EXPECT_FALSE(header->sectionsClickable());
    EXPECT_FALSE(view->isSortingEnabled());

    for (int c : {columnofpart(rowpart::TimerType), columnofpart(rowpart::State),
                  columnofpart(rowpart::Repeat)}) {
        ASSERT_GE(iconat(0, c), 0) << c;
        header->resizeSection(c, 4);
        EXPECT_GE(header->sectionSize(c), iconwidth) << c;
    }
    header->resizeSection(columnofpart(rowpart::Time), 30);
    EXPECT_EQ(header->sectionSize(columnofpart(rowpart::Time)), 30);
}

TEST_F(ListView, AtTheDefaultSizeTheCaptionColumnHasItsFittedWidthAndWholeCaption) {
    add(note("Almost a day", 0));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTreeView* view = form->ListView1;
    QHeaderView* header = view->header();
    // The fit rule's width, not what the others leave it: the list scrolls instead.
    EXPECT_EQ(header->sectionSize(0), form->frameGeometry().width() / 4 - 5);
    const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_HeaderMargin) + 1);
    EXPECT_GE(header->sectionSize(0),
              header->fontMetrics().horizontalAdvance("Notification Text") + margins);
    EXPECT_EQ(header->sectionSize(4), 70);
    EXPECT_EQ(header->sectionSize(5), 70);

    // A selected row keeps its icons as they are, not tinted into the highlight.
    const QIcon state = qvariant_cast<QIcon>(cell(0, 6, Qt::DecorationRole));
    ASSERT_FALSE(state.isNull());
    EXPECT_EQ(state.pixmap(16, QIcon::Selected).toImage(),
              state.pixmap(16, QIcon::Normal).toImage());
}

TEST_F(ListView, FollowsEveryKindOfRowChangeWithinTheModelContract) {
    ContractWatch watch;
    QAbstractItemModelTester tester(form->listmodel(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy changed(form->listmodel(), &QAbstractItemModel::dataChanged);
    for (int s : {10, 20, 30, 40})
        add(note("n", s));

    // One engine step writes "Left" only, and the view hears of that one cell.
    g.ws.rows().setsubitem(2, rowpart::Left, countdownstep(g.ws.rows().subitem(2, rowpart::Left)));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), form->listmodel()->index(2, 5));
    EXPECT_EQ(cell(2, 5).toString(), "29s");

    TNotificationRecord edited = note("edited", 15);
    g.ws.updatelist(1, edited);
    EXPECT_EQ(cell(1, 0).toString(), "edited");
    EXPECT_EQ(cell(1, 5).toString(), "15s");

    g.ws.rows().remove(1);
    EXPECT_EQ(form->listmodel()->rowCount(), 3);
    EXPECT_EQ(cell(1, 8).toString(), "3");
    EXPECT_EQ(cell(2, 8).toString(), "4");

    g.ws.emptylist();
    EXPECT_EQ(form->listmodel()->rowCount(), 0);
    add(note("again", 5));
    EXPECT_EQ(cell(0, 0).toString(), "again");
    EXPECT_TRUE(watch.complaints.isEmpty()) << watch.complaints.join('\n').toStdString();
}

TEST_F(ListView, CommandButtonsFollowTheSelectionAndThePreview) {
    EXPECT_FALSE(commandsenabled());
    EXPECT_TRUE(form->BitBtn1->isEnabled());
    const int first = add(note("First", 10));
    const int second = add(note("Second", 20));

    select(0);
    EXPECT_TRUE(commandsenabled());
    EXPECT_EQ(g.ws.lastpreview(), first);
    EXPECT_EQ(form->StaticText2->text(), "First");

    clearselection();
    EXPECT_FALSE(commandsenabled());
    EXPECT_EQ(form->StaticText2->text(), "First"); // the preview stays

    // The same Notification again is no change of the preview: the buttons stay off.
    select(0);
    EXPECT_FALSE(commandsenabled());

    select(1);
    EXPECT_TRUE(commandsenabled());
    EXPECT_EQ(g.ws.lastpreview(), second);
    EXPECT_EQ(form->StaticText2->text(), "Second");

    // With several rows selected the first one counts.
    form->ListView1->selectionModel()->select(
        form->listmodel()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(form->itemindex(), 0);
    EXPECT_EQ(g.ws.lastpreview(), first);

    // A row without a usable record index is no Notification.
    NotificationRow orphan = g.ws.rows().row(1);
    orphan.record = RecordIndex();
    g.ws.rows().replace(1, orphan);
    select(1);
    EXPECT_FALSE(commandsenabled());
    EXPECT_EQ(g.ws.lastpreview(), first);
    EXPECT_TRUE(fake.dialogs.messages.isEmpty());
}

TEST_F(ListView, RemovingOrClearingTheSelectedRowsTurnsTheButtonsOff) {
    for (int s : {10, 20, 30})
        add(note("n", s));
    select(1);
    ASSERT_TRUE(commandsenabled());
    g.ws.rows().remove(1);
    EXPECT_EQ(form->itemindex(), -1);
    EXPECT_FALSE(commandsenabled());

    select(0);
    ASSERT_TRUE(commandsenabled());
    g.ws.emptylist();
    EXPECT_FALSE(commandsenabled());
}

TEST_F(ListView, ATickRepaintsTheLeftCellsInViewAndTheScreenShowsWhatAFullRepaintWould) {
    for (int i = 0; i < 300; ++i)
        add(note("n", 100 + i));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTreeView* view = form->ListView1;
    // Rows cut by both edges of the viewport, one of them selected.
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2 + 7);
    const int top = view->indexAt(QPoint(0, 0)).row();
    select(top + 2);
    QApplication::processEvents();

    PaintRecorder recorder(view->viewport());
    {
        RowTable::Batch tick(g.ws.rows());
        for (int r = 0; r < g.ws.rows().size(); ++r)
            g.ws.rows().stepcountdown(r, 1);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.painted.isEmpty(); }));
    const QRect painted = recorder.painted.boundingRect();
    const QHeaderView* header = view->header();
    EXPECT_GE(painted.left(), header->sectionViewportPosition(5));
    EXPECT_LE(painted.right(), header->sectionViewportPosition(5) + header->sectionSize(5) - 1);

    const QImage shown = onscreen(view->viewport());
    EXPECT_TRUE(shown == repainted(view->viewport())) << "a row in view kept its old text";
    // The Left cells look as the style's own drawing of them.
    QAbstractItemDelegate* ticking = view->itemDelegateForColumn(5);
    ASSERT_NE(ticking, nullptr);
    view->setItemDelegateForColumn(5, nullptr);
    EXPECT_TRUE(shown == repainted(view->viewport()));
    view->setItemDelegateForColumn(5, ticking);
}

// Of a tick's range only what changed is repainted: nothing of a row whose text stayed, the
// changed characters of one that kept its start, the whole of one that did not; and the
// screen shows the texts as a full repaint does.
TEST_F(ListView, ATickRepaintsOnlyTheCharactersThatChanged) {
    add(note("kept start", 3725)); // 1h2m5s -> 1h2m4s
    add(note("unchanged", 3725));
    add(note("all new", 90)); // 1m30s -> 59s
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTreeView* view = form->ListView1;
    repainted(view->viewport());

    PaintRecorder recorder(view->viewport());
    {
        RowTable::Batch tick(g.ws.rows());
        ASSERT_TRUE(g.ws.rows().stepcountdown(0, 1));
        ASSERT_TRUE(g.ws.rows().stepcountdown(2, 31));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !recorder.painted.isEmpty(); }));
    const int left = columnofpart(rowpart::Left);
    auto cellof = [&](int row) { return view->visualRect(form->listmodel()->index(row, left)); };
    EXPECT_EQ(cell(0, left).toString(), "1h2m4s");
    EXPECT_TRUE((recorder.painted & cellof(1)).isEmpty()) << "a cell whose text stayed";
    EXPECT_TRUE(QRegion(cellof(2)).subtracted(recorder.painted).isEmpty()) << "a new text";
    const QRect kept = cellof(0);
    const int start = QFontMetrics(view->font()).horizontalAdvance(QStringLiteral("1h"));
    EXPECT_FALSE((recorder.painted & kept).isEmpty());
    EXPECT_TRUE((recorder.painted & QRect(kept.left(), kept.top(), start, kept.height())).isEmpty())
        << "the characters that stayed were painted again";
    const QImage shown = onscreen(view->viewport());
    EXPECT_TRUE(shown == repainted(view->viewport()));
}

// The list paints its rows itself (Qt's tree painting asks the X server for the pointer at
// every paint); what it paints is what Qt's would: rows cut by the edges, a selection, the
// focused row, a column scrolled half out.
TEST_F(ListView, PaintsItsRowsAsQtsOwnTreePaintingDoes) {
    for (int i = 0; i < 60; ++i)
        add(note("n", i % 3 == 0 ? 0 : 100 + i));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTreeView* view = form->ListView1;
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 3 + 5);
    view->header()->resizeSection(0, view->viewport()->width());
    view->horizontalScrollBar()->setValue(17);
    const int top = view->indexAt(QPoint(0, 0)).row();
    select(top + 1);
    view->selectionModel()->select(form->listmodel()->index(top + 3, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QApplication::setActiveWindow(form.get());
    view->setFocus();
    view->selectionModel()->setCurrentIndex(form->listmodel()->index(top + 3, 2),
                                            QItemSelectionModel::NoUpdate);
    QApplication::processEvents();

    const QImage own = repainted(view->viewport());
    view->setUniformRowHeights(false); // painted by Qt's tree painting
    const QImage qts = repainted(view->viewport());
    view->setUniformRowHeights(true);
    EXPECT_TRUE(own == qts);
    QApplication::processEvents();
    // A sliver across a row's edge, painted on its own.
    PaintRecorder sliver(view->viewport());
    view->viewport()->update(QRect(5, 9, 40, 3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sliver.painted.isEmpty(); }));
    EXPECT_TRUE(onscreen(view->viewport()) == qts);
}

} // namespace
