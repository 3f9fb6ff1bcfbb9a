#include "ui/mainwindow/main.h"

#include "chimeletversion.h"
#include "platform/clock.h"
#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/timetext.h"
#include "schedule/workspace.h"
#include "store/apppaths.h"
#include "ui/mainwindow/listcolumns.h"
#include "ui/mainwindow/listmodel.h"
#include "ui/mainwindow/listview.h"
#include "ui/mainwindow/preview.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/hintedcontrols.h"
#include "ui/widgets/returnkey.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Room a status panel keeps free on each side of its text.
constexpr int kPanelMargin = 3;

// A status panel keeps its width: a text too wide for it in the desktop's font is drawn
// smaller instead.
void fitpaneltext(QLabel* panel, const QString& widest) {
    QFont font = panel->font();
    const int room = panel->width() - 2 * (panel->frameWidth() + kPanelMargin);
    const bool points = font.pointSizeF() > 0;
    for (int step = 0; step < 40 && QFontMetrics(font).horizontalAdvance(widest) > room; ++step) {
        if (points && font.pointSizeF() > 5)
            font.setPointSizeF(font.pointSizeF() - 0.5);
        else if (!points && font.pixelSize() > 7)
            font.setPixelSize(font.pixelSize() - 1);
        else
            break;
    }
    panel->setFont(font);
}

} // namespace

TForm1::TForm1(ListController& list, Dialogs& dialogs, const AppPaths& paths,
               ErrorReporter& reporter)
    : list_(list), dialogs_(dialogs), paths_(paths), reporter_(reporter) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Chimlet"));
    QApplication::setWindowIcon(programicon());
    setWindowIcon(QApplication::windowIcon());
    returnpressesbuttons(this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->addWidget(buildtoppanel());
    layout->addWidget(buildnotifications(), 1);
    setCentralWidget(central);
    buildstatusbar();
    buildmenus();
    nameforaccess(this);
    taborder({BitBtn6, BitBtn7, BitBtn8, BitBtn9, BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5,
              ComboBox5, ListView1});

    connect(&list_, &ListController::modifiedChanged, BitBtn8, &QPushButton::setEnabled);
    connect(&list_, &ListController::clockChanged, this,
            [this](const QString& t) { setpaneltext(2, t); });
    connect(&list_, &ListController::fileNameChanged, this,
            [this](const QString& t) { setpaneltext(4, t); });
    connect(&list_, &ListController::playmodeChanged, this, &TForm1::showmode);
    connectguarded(reporter_, &list_, &ListController::previewChanged, this, &TForm1::showpreview);
    connect(&list_, &ListController::editRequested, this, &TForm1::editRequested);

    resize(652, 659);
}

QWidget* TForm1::buildtoppanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    BitBtn6 = button(QStringLiteral("New File"), QStringLiteral("Create a new Chimelet file"),
                     glyphicon(Glyph::NewFile), panel);
    BitBtn7 = button(QStringLiteral("Open File"), QStringLiteral("Open an existing Chimelet file"),
                     glyphicon(Glyph::OpenFile), panel);
    BitBtn8 = button(QStringLiteral("Save File"), QStringLiteral("Save the current Chimelet file"),
                     glyphicon(Glyph::SaveFile), panel);
    BitBtn8->setEnabled(false);
    BitBtn9 = button(QStringLiteral("Chimelet Settings"), QStringLiteral("General program options"),
                     glyphicon(Glyph::Settings), panel);
    BitBtn6->setObjectName(QStringLiteral("BitBtn6"));
    BitBtn7->setObjectName(QStringLiteral("BitBtn7"));
    BitBtn8->setObjectName(QStringLiteral("BitBtn8"));
    BitBtn9->setObjectName(QStringLiteral("BitBtn9"));
    for (QPushButton* b : {BitBtn6, BitBtn7, BitBtn8})
        row->addWidget(b);
    row->addStretch();
    row->addWidget(BitBtn9);
    return panel;
}

QGroupBox* TForm1::buildnotifications() {
    GroupBox1 = new QGroupBox(QStringLiteral("Notifications"), this);
    Panel3 = new PreviewPanel(GroupBox1);
    Image1 = Panel3->Image1;
    StaticText2 = Panel3->StaticText2;

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Notifications:"), GroupBox1));
    BitBtn1 = button(QStringLiteral("New"), QStringLiteral("Make a new Notification"),
                     imagelist_.icon(icon::Notification), GroupBox1);
    BitBtn2 = button(QStringLiteral("Edit"), QStringLiteral("Edit the selected Notification"),
                     glyphicon(Glyph::Edit), GroupBox1);
    BitBtn3 = button(QStringLiteral("Delete"), QStringLiteral("Delete the selected Notification"),
                     glyphicon(Glyph::Delete), GroupBox1);
    BitBtn4 = button(QStringLiteral("Stop"), QStringLiteral("Stop the current Notification"),
                     imagelist_.icon(icon::Inactive), GroupBox1);
    BitBtn5 = button(QStringLiteral("Resume"), QStringLiteral("Resume the selected Notification"),
                     imagelist_.icon(icon::Active), GroupBox1);
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5})
        buttons->addWidget(b);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    BitBtn5->setObjectName(QStringLiteral("BitBtn5"));
    for (QPushButton* b : {BitBtn2, BitBtn3, BitBtn4, BitBtn5})
        b->setEnabled(false);
    buttons->addStretch();

    // The mode selector gets a line of its own: beside the buttons it would squeeze them.
    auto* mode = new QHBoxLayout;
    ComboBox5 = new QComboBox(GroupBox1);
    ComboBox5->setObjectName(QStringLiteral("ComboBox5"));
    ComboBox5->addItems({QStringLiteral("Lateral"), QStringLiteral("Sequential")});
    ComboBox5->setToolTip(
        QStringLiteral("Play Notifications in their programmed order(Lateral) or play "
                       "Notifications one by one in sequence (Sequential)"));
    auto* modeLabel = new QLabel(QStringLiteral("Countdown activation mode:"), GroupBox1);
    modeLabel->setBuddy(ComboBox5);
    mode->addWidget(modeLabel);
    mode->addWidget(ComboBox5);
    mode->addStretch();

    buildlist();

    auto* layout = new QVBoxLayout(GroupBox1);
    layout->addWidget(Panel3);
    layout->addLayout(buttons);
    layout->addLayout(mode);
    layout->addWidget(ListView1, 1);
    return GroupBox1;
}

void TForm1::buildlist() {
    ListView1 = new NotificationListView(GroupBox1);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Notification list"));
    model_ = new NotificationListModel(list_.rows(), imagelist_, this);
    ListView1->setModel(model_);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false);
    ListView1->setIconSize(QSize(ImageList::kSize, ImageList::kSize));
    ListView1->setTextElideMode(Qt::ElideNone);
    ListView1->setItemDelegateForColumn(columnofpart(rowpart::Left),
                                        new TickingCellDelegate(ListView1));

    // The selection stays as visible as with focus, so the previewed row is clear.
    QPalette pal = ListView1->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    ListView1->setPalette(pal);

    QHeaderView* header = ListView1->header();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < kListColumns; ++c)
        header->resizeSection(c, listcolumns()[static_cast<std::size_t>(c)].width);
    ListView1->setColumnHidden(kRecordIndexColumn, true);
    // A vertical scroll bar coming or going changes the room the filler may take.
    ListView1->viewport()->installEventFilter(this);
    connect(header, &QHeaderView::sectionResized, this, [header](int c, int, int size) {
        const int minimum = listcolumns()[static_cast<std::size_t>(c)].minimum;
        if (size < minimum) header->resizeSection(c, minimum);
    });

    // A selected row's preview reads its record.
    connectguarded(reporter_, ListView1->selectionModel(), &QItemSelectionModel::selectionChanged,
                   this, &TForm1::ListView1SelectItem);
    // Rows removed or cleared may take the selection with them without a word.
    connectguarded(reporter_, model_, &QAbstractItemModel::rowsRemoved, this,
                   &TForm1::ListView1SelectItem);
    connectguarded(reporter_, model_, &QAbstractItemModel::modelReset, this,
                   &TForm1::ListView1SelectItem);
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    // Any double click in the list is Edit, also on its empty part.
    if (watched == ListView1->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        const auto* click = static_cast<QMouseEvent*>(e);
        if (click->button() != Qt::LeftButton) return false;
        // A click on no row selects nothing, so Edit asks for a Notification.
        if (!ListView1->indexAt(click->position().toPoint()).isValid()) ListView1->clearSelection();
        guarded(reporter_, [this] { BitBtn2Click(); });
    }
    if (watched == ListView1->viewport() && e->type() == QEvent::Resize) fitfiller();
    return QMainWindow::eventFilter(watched, e);
}

void TForm1::buildstatusbar() {
    static const int widths[6] = {50, 55, 150, 50, 200, 50};
    for (int i = 0; i < 6; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setFixedWidth(widths[i]);
        if (i >= 1 && i <= 4) panels_[i]->setAlignment(Qt::AlignCenter);
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFont(unshapedfont(panels_[i]->font()));
        // Fixed in both directions, a new text (the clock's, every second) repaints its
        // panel without laying out the status bar again.
        panels_[i]->setFixedHeight(panels_[i]->sizeHint().height());
        statusBar()->addWidget(panels_[i]);
    }
    panels_[1]->setText(QStringLiteral("Ver " CHIMELET_VERSION));
    statusBar()->setAccessibleName(QStringLiteral("Status"));
    panels_[1]->setAccessibleDescription(QStringLiteral("Version"));
    panels_[2]->setAccessibleDescription(QStringLiteral("Current time"));
    panels_[4]->setAccessibleDescription(QStringLiteral("Current file"));
    fitpaneltext(panels_[1], panels_[1]->text());
    // Every digit of the clock as wide as the widest.
    fitpaneltext(panels_[2], currenttimetext(QTime(0, 0, 0)).replace(u'0', u'8'));
}

int TForm1::itemindex() const {
    const QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& i : selected)
        if (first == -1 || i.row() < first) first = i.row();
    return first;
}

void TForm1::ListView1SelectItem() {
    if (model_->catchingup()) return; // called again once the view has caught up
    const int index = list_.rows().recordindex(itemindex()).value;
    if (index == -1) {
        for (QPushButton* b : {BitBtn2, BitBtn3, BitBtn4, BitBtn5})
            b->setEnabled(false);
        return;
    }
    if (index == list_.lastpreview()) return;
    for (QPushButton* b : {BitBtn2, BitBtn3, BitBtn4, BitBtn5})
        b->setEnabled(true);
    showpreview(index);
    list_.setlastpreview(index);
}

void TForm1::showpreview(int index) {
    // Record 0 is the header, never a Notification.
    if (index <= 0) {
        Panel3->clear();
        return;
    }
    Panel3->present(list_.readnotification(RecordIndex(index)));
}

void TForm1::fitcolumns() {
    QHeaderView* header = ListView1->header();
    if (const auto fit = columnfit(frameGeometry().width())) {
        header->resizeSection(0, fit->caption);
        header->resizeSection(1, fit->image);
        header->resizeSection(2, fit->audio);
    }
    fitfiller();
}

void TForm1::fitfiller() {
    // The filler takes only the room the others leave: it never makes the list scroll.
    // Where the others do not fit, the list scrolls rather than cut a column's caption.
    QHeaderView* header = ListView1->header();
    header->resizeSection(kFillerColumn, 0);
    header->resizeSection(kFillerColumn,
                          std::max(0, ListView1->viewport()->width() - header->length()));
}

void TForm1::FormResize() {
    fitcolumns();
}

void TForm1::shownotice(const QString& text) {
    if (!notice_) {
        notice_ = new QLabel(this);
        notice_->setObjectName(QStringLiteral("notice"));
        statusBar()->addWidget(notice_, 1);
    }
    notice_->setText(text);
    notice_->setToolTip(text);
}

void TForm1::setpaneltext(int panel, const QString& text) {
    panels_[panel]->setText(text);
}

void TForm1::showmode(PlayMode mode) {
    const QSignalBlocker quiet(ComboBox5);
    ComboBox5->setCurrentIndex(static_cast<int>(mode));
}

void TForm1::showchecking(bool checking) {
    Checkforupdates2->setEnabled(!checking);
    if (checking)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void TForm1::updatetimerTimer() {
    list_.tick();
}

void TForm1::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    emit firstShown();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    // An Escape no control here took: the reminder on screen goes, the focus stays.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        emit dismissRequested();
        return;
    }
    QMainWindow::keyPressEvent(e);
}

void TForm1::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    FormResize();
}
