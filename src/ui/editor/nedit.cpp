#include "ui/editor/nedit.h"

#include "platform/dialogs.h"
#include "present/mp3r.h"
#include "present/picturejob.h"
#include "readers/imageconvert.h"
#include "readers/pictureloader.h"
#include "schedule/errorreporter.h"
#include "schedule/listcontroller.h"
#include "schedule/timeentry.h"
#include "store/ansitext.h"
#include "store/apppaths.h"
#include "store/colortable.h"
#include "store/integertext.h"
#include "store/notificationsink.h"
#include "ui/editor/bytelimit.h"
#include "ui/editor/fontchoice.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/escapekey.h"
#include "ui/widgets/filechoice.h"
#include "ui/widgets/fixedwindow.h"
#include "ui/widgets/hintedcontrols.h"
#include "ui/widgets/picturepane.h"
#include "ui/widgets/returnkey.h"
#include "ui/widgets/screenfit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kInvalidFile = "Error: Invalid File.";
const char* const kTimeHint = "Enter a time in 24hr or a countdown duration time";

QComboBox* droplist(const QStringList& items, const QString& hint, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->addItems(items);
    c->setToolTip(hint);
    return c;
}

QLineEdit* edit(const QString& hint, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setToolTip(hint);
    return e;
}

QLineEdit* timeedit(const QString& hint, const QString& initial, QWidget* parent) {
    QLineEdit* e = edit(hint, parent);
    e->setText(initial);
    e->setFixedWidth(24);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QIcon swatch(const Rgb& rgb) {
    QPixmap pixmap(16, 12);
    pixmap.fill(QColor(rgb.r, rgb.g, rgb.b));
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

void select(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(matchitem(items(combo), text));
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

// Only a move of the focus inside the window counts as entering or leaving an edit;
// a message box or another window taking the focus does not.
bool insidewindow(Qt::FocusReason reason) {
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason ||
           reason == Qt::OtherFocusReason;
}

// A bordered panel holding time edits with their unit letters.
QFrame* timepanel(QWidget* parent,
                  std::initializer_list<std::pair<QLineEdit*, const char*>> parts) {
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setToolTip(QString::fromLatin1(kTimeHint));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 3, 4, 3);
    row->setSpacing(2);
    for (const auto& [e, unit] : parts) {
        if (row->count() > 0) row->addSpacing(3);
        e->setParent(panel);
        row->addWidget(e);
        row->addWidget(caption(QString::fromLatin1(unit), e, panel));
    }
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return panel;
}

} // namespace

TForm2::TForm2(ListController& list, Dialogs& dialogs, const AppPaths& paths, TForm6& audio,
               ErrorReporter& reporter, QWidget* parent)
    : QWidget(parent), list_(list), dialogs_(dialogs), paths_(paths), audio_(audio),
      reporter_(reporter), thumbnailjob_(new PictureJob(this)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Notification Editor"));
    makefixedwindow(this);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildtopbar());
    auto* columns = new QHBoxLayout;
    columns->setSpacing(6);
    auto* left = new QVBoxLayout;
    left->addWidget(buildactivation());
    left->addWidget(buildmessage(), 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildimage(), 1);
    right->addWidget(buildaudio());
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns, 1);
    setFixedSize(471, 408);
    onescape(this, [this] { BitBtn2->click(); });
    returnpressesbuttons(this);

    for (QLineEdit* e : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit9})
        e->installEventFilter(this);
    Image1->installEventFilter(this);

    connectguarded(reporter_, BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connectguarded(reporter_, BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    connectguarded(reporter_, BitBtn5, &QPushButton::clicked, this, &TForm2::BitBtn5Click);
    connectguarded(reporter_, BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
    connectguarded(reporter_, BitBtn4, &QPushButton::clicked, this, &TForm2::BitBtn4Click);
    connectguarded(reporter_, BitBtn6, &QPushButton::clicked, this, &TForm2::BitBtn6Click);
    connectguarded(reporter_, BitBtn7, &QPushButton::clicked, this, &TForm2::BitBtn7Click);
    connectguarded(reporter_, BitBtn8, &QPushButton::clicked, this, &TForm2::BitBtn8Click);
    connectguarded(reporter_, BitBtn9, &QPushButton::clicked, this, &TForm2::BitBtn9Click);
    connectguarded(reporter_, Edit4, &QLineEdit::textChanged, this, &TForm2::Edit4Change);
    connectguarded(reporter_, Edit5, &QLineEdit::textChanged, this, &TForm2::Edit5Change);
    connectguarded(reporter_, Edit6, &QLineEdit::textChanged, this, &TForm2::Edit6Change);
    connectguarded(reporter_, Edit9, &QLineEdit::textChanged, this, &TForm2::Edit9Change);
    // Every control answers to its designer name.
    for (const auto& [w, name] :
         std::initializer_list<std::pair<QWidget*, const char*>>{{BitBtn1, "BitBtn1"},
                                                                 {BitBtn2, "BitBtn2"},
                                                                 {BitBtn3, "BitBtn3"},
                                                                 {BitBtn4, "BitBtn4"},
                                                                 {BitBtn5, "BitBtn5"},
                                                                 {BitBtn6, "BitBtn6"},
                                                                 {BitBtn7, "BitBtn7"},
                                                                 {BitBtn8, "BitBtn8"},
                                                                 {BitBtn9, "BitBtn9"},
                                                                 {CheckBox1, "CheckBox1"},
                                                                 {CheckBox2, "CheckBox2"},
                                                                 {CheckBox3, "CheckBox3"},
                                                                 {CheckBox4, "CheckBox4"},
                                                                 {CheckBox5, "CheckBox5"},
                                                                 {CheckBox6, "CheckBox6"},
                                                                 {CheckBox7, "CheckBox7"},
                                                                 {CheckBox9, "CheckBox9"},
                                                                 {Edit1, "Edit1"},
                                                                 {Edit2, "Edit2"},
                                                                 {Edit3, "Edit3"},
                                                                 {Edit4, "Edit4"},
                                                                 {Edit5, "Edit5"},
                                                                 {Edit6, "Edit6"},
                                                                 {Edit9, "Edit9"},
                                                                 {ComboBox1, "ComboBox1"},
                                                                 {ComboBox2, "ComboBox2"},
                                                                 {ComboBox3, "ComboBox3"},
                                                                 {ComboBox4, "ComboBox4"},
                                                                 {ComboBox5, "ComboBox5"},
                                                                 {ComboBox6, "ComboBox6"},
                                                                 {ColorBox1, "ColorBox1"},
                                                                 {GroupBox1, "GroupBox1"},
                                                                 {GroupBox2, "GroupBox2"},
                                                                 {GroupBox3, "GroupBox3"},
                                                                 {GroupBox4, "GroupBox4"},
                                                                 {Image1, "Image1"},
                                                                 {LabeledEdit1, "LabeledEdit1"},
                                                                 {LabeledEdit2, "LabeledEdit2"}})
        w->setObjectName(QString::fromLatin1(name));

    // The unit letters alone would name the time fields "h", "m" and "s".
    Edit4->setAccessibleName(QStringLiteral("Activation Time, hours"));
    Edit5->setAccessibleName(QStringLiteral("Activation Time, minutes"));
    Edit6->setAccessibleName(QStringLiteral("Activation Time, seconds"));
    Edit9->setAccessibleName(QStringLiteral("Display Duration, seconds"));
    Image1->setAccessibleName(QStringLiteral("Image thumbnail"));
    nameforaccess(this);
    taborder({BitBtn1,   BitBtn2,   BitBtn5,   CheckBox9, CheckBox7, Edit4,     Edit5,
              Edit6,     Edit9,     ComboBox5, CheckBox2, ComboBox2, ComboBox1, ColorBox1,
              CheckBox5, CheckBox4, CheckBox6, Edit1,     ComboBox4, CheckBox1, Edit2,
              BitBtn3,   BitBtn8,   ComboBox3, ComboBox6, CheckBox3, BitBtn6,   BitBtn7,
              Edit3,     BitBtn4,   BitBtn9});

    FormCreate();
}

QWidget* TForm2::buildtopbar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    BitBtn1 = button(QStringLiteral("&Apply"),
                     QStringLiteral("Apply changes made and close window"), bar);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    BitBtn2 = button(QStringLiteral("&Cancel"),
                     QStringLiteral("Cancel any changes and close window"), bar);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn5 = button(QStringLiteral("&Preview"),
                     QStringLiteral("See what your Notification  looks like"), bar);
    BitBtn5->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    CheckBox9 = checkbox(QStringLiteral("&Fade In/Out"),
                         QStringLiteral("Soften display with fade effect"), bar);
    CheckBox7 =
        checkbox(QStringLiteral("&Repeat"), QStringLiteral("Replay notification forever"), bar);
    LabeledEdit1 = new QLineEdit(bar);
    LabeledEdit2 = new QLineEdit(bar);
    LabeledEdit1->hide();
    LabeledEdit2->hide();
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn5})
        row->addWidget(b);
    row->addStretch();
    row->addWidget(CheckBox9);
    row->addWidget(CheckBox7);
    return bar;
}

QGroupBox* TForm2::buildactivation() {
    GroupBox1 = new QGroupBox(QStringLiteral("Notification Activation"), this);
    Edit4 = timeedit(QStringLiteral("Hours"), QStringLiteral("0"), GroupBox1);
    Edit5 = timeedit(QStringLiteral("Minutes"), QStringLiteral("0"), GroupBox1);
    Edit6 = timeedit(QStringLiteral("Seconds"), QStringLiteral("0"), GroupBox1);
    Edit9 = timeedit(QStringLiteral("Seconds"), QStringLiteral("0"), GroupBox1);
    ComboBox5 =
        droplist(timertypes(), QStringLiteral("Select a certain time or countdown "), GroupBox1);

    QFrame* activation = timepanel(GroupBox1, {{Edit4, "h"}, {Edit5, "m"}, {Edit6, "s"}});
    QFrame* duration = timepanel(GroupBox1, {{Edit9, "s"}});
    auto* grid = new QGridLayout(GroupBox1);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(4);
    grid->addWidget(caption(QStringLiteral("Activation Time"), Edit4, GroupBox1), 0, 0);
    grid->addWidget(caption(QStringLiteral("Display Duration"), Edit9, GroupBox1), 0, 1);
    grid->addWidget(activation, 1, 0);
    grid->addWidget(duration, 1, 1);
    grid->addWidget(caption(QStringLiteral("Timer Type"), ComboBox5, GroupBox1), 2, 0);
    grid->addWidget(ComboBox5, 3, 0);
    grid->setColumnStretch(2, 1);
    return GroupBox1;
}

QGroupBox* TForm2::buildmessage() {
    GroupBox2 = new QGroupBox(QStringLiteral("Message Settings"), this);
    CheckBox2 = checkbox(QStringLiteral("Display &Text"),
                         QStringLiteral("Display text in your notification"), GroupBox2);
    ComboBox2 = droplist({}, QStringLiteral("Select a font"), GroupBox2);
    ComboBox1 = droplist(fontsizes(), QStringLiteral("Select font size"), GroupBox2);
    ColorBox1 = new QComboBox(GroupBox2);
    ColorBox1->setToolTip(QStringLiteral("Select font colour"));
    for (const NamedColor& c : colornames())
        ColorBox1->addItem(swatch(c.rgb), QString::fromLatin1(c.name));
    CheckBox5 = checkbox(QStringLiteral("&Italic"), QStringLiteral("Italic Font"), GroupBox2);
    CheckBox4 = checkbox(QStringLiteral("&Bold"), QStringLiteral("Bold Font"), GroupBox2);
    CheckBox6 =
        checkbox(QStringLiteral("&Underlined"), QStringLiteral("Underlined font"), GroupBox2);
    Edit1 = edit(QStringLiteral("Enter your notification message here"), GroupBox2);
    Edit1->setMaxLength(255);
    Edit1->setValidator(new ByteLimit(255, Edit1));
    ComboBox4 = droplist(textdisplaytypes(),
                         QStringLiteral("Select how you want your notification text to appear on "
                                        "screen"),
                         GroupBox2);

    auto* column = new QVBoxLayout(GroupBox2);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(2);
    column->addWidget(CheckBox2);
    column->addWidget(caption(QStringLiteral("Font Style"), ComboBox2, GroupBox2));
    column->addWidget(ComboBox2);
    auto* sizecolour = new QHBoxLayout;
    sizecolour->addWidget(ComboBox1);
    sizecolour->addWidget(ColorBox1, 1);
    column->addLayout(sizecolour);
    auto* styles = new QHBoxLayout;
    for (QCheckBox* c : {CheckBox5, CheckBox4, CheckBox6})
        styles->addWidget(c);
    column->addLayout(styles);
    column->addWidget(caption(QStringLiteral("Text Message / Name"), Edit1, GroupBox2));
    column->addWidget(Edit1);
    column->addWidget(caption(QStringLiteral("Text Display Type"), ComboBox4, GroupBox2));
    column->addWidget(ComboBox4);
    column->addStretch();
    return GroupBox2;
}

QGroupBox* TForm2::buildimage() {
    GroupBox3 = new QGroupBox(QStringLiteral("Image Settings"), this);
    const QString pick = QStringLiteral("Click here to select an image file");
    CheckBox1 = checkbox(QStringLiteral("Display &Image"),
                         QStringLiteral("Display an image in your notification"), GroupBox3);
    Edit2 = edit(pick, GroupBox3);
    Edit2->setReadOnly(true);
    BitBtn3 = button(QStringLiteral("..."), pick, GroupBox3);
    BitBtn8 = button(QStringLiteral("c"), QStringLiteral("Clear"), GroupBox3);
    for (QPushButton* b : {BitBtn3, BitBtn8})
        b->setFixedWidth(24);
    Image1 = new PicturePane(GroupBox3);
    Image1->setMinimumSize(0, 0);
    Image1->setFixedSize(142, 89);
    Image1->setToolTip(pick);
    Image1->setCursor(Qt::PointingHandCursor);
    ComboBox3 =
        droplist(imagedisplaytypes(),
                 QStringLiteral("Select how you want your image to appear on screen"), GroupBox3);
    ComboBox6 = droplist(
        wallpaperstyles(),
        QStringLiteral("Select how you want your image to appear on the desktop background"),
        GroupBox3);

    auto* column = new QVBoxLayout(GroupBox3);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(2);
    column->addWidget(CheckBox1);
    column->addWidget(caption(QStringLiteral("Image File Location"), Edit2, GroupBox3));
    auto* file = new QHBoxLayout;
    file->setSpacing(2);
    file->addWidget(Edit2, 1);
    file->addWidget(BitBtn3);
    file->addWidget(BitBtn8);
    column->addLayout(file);
    column->addSpacing(3);
    column->addWidget(Image1, 0, Qt::AlignHCenter);
    column->addSpacing(3);
    column->addWidget(caption(QStringLiteral("Image Display Type"), ComboBox3, GroupBox3));
    column->addWidget(ComboBox3);
    column->addWidget(caption(QStringLiteral("Desktop Background"), ComboBox6, GroupBox3));
    column->addWidget(ComboBox6);
    column->addStretch();
    return GroupBox3;
}

QGroupBox* TForm2::buildaudio() {
    GroupBox4 = new QGroupBox(QStringLiteral("Audio Settings"), this);
    const QString pick = QStringLiteral("Click here to select an audio file for your notification");
    CheckBox3 = checkbox(QStringLiteral("Play A&udio"),
                         QStringLiteral("Play an audio file with your notification"), GroupBox4);
    Edit3 = edit(pick, GroupBox4);
    Edit3->setReadOnly(true);
    BitBtn4 = button(QStringLiteral("..."), pick, GroupBox4);
    BitBtn9 = button(QStringLiteral("c"), QStringLiteral("Clear"), GroupBox4);
    BitBtn6 = button(QString(), QStringLiteral("Play the audio file"), GroupBox4);
    BitBtn6->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    BitBtn7 = button(QString(), QStringLiteral("Stop playing the audio file"), GroupBox4);
    BitBtn7->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    for (QPushButton* b : {BitBtn4, BitBtn9, BitBtn6, BitBtn7})
        b->setFixedWidth(24);

    auto* column = new QVBoxLayout(GroupBox4);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(2);
    auto* top = new QHBoxLayout;
    top->addWidget(CheckBox3);
    top->addStretch();
    top->addWidget(BitBtn6);
    top->addWidget(BitBtn7);
    column->addLayout(top);
    column->addWidget(caption(QStringLiteral("Audio File Location"), Edit3, GroupBox4));
    auto* file = new QHBoxLayout;
    file->setSpacing(2);
    file->addWidget(Edit3, 1);
    file->addWidget(BitBtn4);
    file->addWidget(BitBtn9);
    column->addLayout(file);
    return GroupBox4;
}

void TForm2::FormCreate() {
    const int silver = ColorBox1->findText(QStringLiteral("clSilver"));
    if (silver >= 0) ColorBox1->removeItem(silver);
}

void TForm2::fillfonts() {
    fontsfilled_ = true;
    const QStringList families = fontfamilies();
    const QString current = ComboBox2->currentText();
    ComboBox2->clear();
    ComboBox2->addItems(families);
    select(ComboBox2, current);
}

NotificationForm TForm2::form() const {
    NotificationForm f;
    f.fade = CheckBox9->isChecked();
    f.repeat = CheckBox7->isChecked();
    f.hours = Edit4->text();
    f.minutes = Edit5->text();
    f.seconds = Edit6->text();
    f.displayDuration = Edit9->text();
    f.timerType = ComboBox5->currentText();
    f.displayText = CheckBox2->isChecked();
    f.fontName = ComboBox2->currentText();
    f.fontSize = ComboBox1->currentText();
    f.fontColor = ColorBox1->currentIndex() < 0 ? QString() : ColorBox1->currentText();
    f.fontItalic = CheckBox5->isChecked();
    f.fontBold = CheckBox4->isChecked();
    f.fontUnderline = CheckBox6->isChecked();
    f.messageText = Edit1->text();
    f.textDisplayType = ComboBox4->currentText();
    f.displayImage = CheckBox1->isChecked();
    f.imageFile = Edit2->text();
    f.imageDisplayType = ComboBox3->currentText();
    f.wallpaperStyle = ComboBox6->currentText();
    f.playAudio = CheckBox3->isChecked();
    f.audioFile = Edit3->text();
    return f;
}

void TForm2::setform(const NotificationForm& f) {
    // The font list waits for the editor's first use: listing every family is slow,
    // and a program that only runs its list never needs it.
    if (!fontsfilled_) fillfonts();
    CheckBox9->setChecked(f.fade);
    CheckBox7->setChecked(f.repeat);
    settimeedit(Edit4, timefield::Hours, f.hours);
    settimeedit(Edit5, timefield::Minutes, f.minutes);
    settimeedit(Edit6, timefield::Seconds, f.seconds);
    settimeedit(Edit9, timefield::Duration, f.displayDuration);
    select(ComboBox5, f.timerType);
    CheckBox2->setChecked(f.displayText);
    select(ComboBox2, f.fontName);
    select(ComboBox1, f.fontSize);
    select(ColorBox1, f.fontColor);
    CheckBox5->setChecked(f.fontItalic);
    CheckBox4->setChecked(f.fontBold);
    CheckBox6->setChecked(f.fontUnderline);
    Edit1->setText(f.messageText);
    select(ComboBox4, f.textDisplayType);
    CheckBox1->setChecked(f.displayImage);
    Edit2->setText(f.imageFile);
    select(ComboBox3, f.imageDisplayType);
    select(ComboBox6, f.wallpaperStyle);
    CheckBox3->setChecked(f.playAudio);
    Edit3->setText(f.audioFile);
}

void TForm2::setediting(int32_t index, int row) {
    editindex_ = index;
    editrow_ = row;
    LabeledEdit1->setText(QString::number(index));
    LabeledEdit2->setText(QString::number(row));
}

void TForm2::makenew() {
    clearthumbnail();
    setform(defaultform());
    const RecordIndex index = list_.newnotification(formtorecord(form(), ActiveFrom::Off));
    setediting(index.value, list_.editrow());
    bringforward(this);
}

void TForm2::editnotification(RecordIndex index, int row) {
    const TNotificationRecord rec = list_.beginedit(index, row);
    setediting(index.value, row);
    setform(recordtoform(rec));
    // The thumbnail shows this Notification's own picture or nothing.
    clearthumbnail();
    if (!rec.ImageFile.empty()) {
        const QString file = fromansi(rec.ImageFile);
        thumbnailjob_->start([file] { return loadpicture(file); },
                             [this](const QImage& picture) { Image1->setpicture(picture); });
    }
    bringforward(this);
}

void TForm2::BitBtn1Click() {
    list_.apply(formtorecord(form(), ActiveFrom::Timer));
    clearthumbnail();
    hide();
}

void TForm2::BitBtn2Click() {
    list_.cancel();
    clearthumbnail();
    hide();
}

void TForm2::BitBtn5Click() {
    const TNotificationRecord rec = formtorecord(form(), ActiveFrom::Off);
    if (sink_) sink_->shownotification(rec);
}

void TForm2::BitBtn3Click() {
    const std::optional<QString> chosen =
        dialogs_.openfile({QStringLiteral("Open"), imagefilter(), paths_.docfolder, false, true});
    if (!chosen) return;
    if (!choosableimage(*chosen)) {
        refusepicture();
        return;
    }
    // The path is taken once the picture proved readable.
    thumbnailjob_->start(
        [file = *chosen, scratch = paths_.tmpbmp] {
            imagetobitmap(file, scratch);
            return loadpicture(scratch);
        },
        [this, file = *chosen](const QImage& picture) {
            Edit2->setText(file);
            Image1->setpicture(picture);
        },
        [this](const QString&) { refusepicture(); });
}

void TForm2::refusepicture() {
    Edit2->clear();
    clearthumbnail();
    dialogs_.infobox(QString::fromLatin1(kInvalidFile));
}

void TForm2::BitBtn4Click() {
    stopaudio();
    const std::optional<QString> chosen = dialogs_.openfile(
        {QStringLiteral("Open"), QString::fromLatin1(kAudioFilter), paths_.docfolder, false, true});
    if (!chosen) return;
    if (choosablefile(*chosen)) {
        Edit3->setText(*chosen);
        return;
    }
    Edit3->clear();
    dialogs_.infobox(QString::fromLatin1(kInvalidFile));
}

void TForm2::BitBtn6Click() {
    if (!Edit3->text().isEmpty()) playaudio(Edit3->text());
}

void TForm2::BitBtn7Click() {
    stopaudio();
}

void TForm2::BitBtn8Click() {
    Edit2->clear();
    clearthumbnail();
}

void TForm2::BitBtn9Click() {
    Edit3->clear();
    closeaudio();
}

void TForm2::checktimeedit(QLineEdit* e, const TimeField& field) {
    const TimeCheck check = checktime(field, e->text());
    // Setting the text runs this check again, which then finds nothing to change.
    if (check.text != e->text()) e->setText(check.text);
    if (!check.message.isEmpty()) dialogs_.infobox(check.message);
}

void TForm2::settimeedit(QLineEdit* e, const TimeField& field, const QString& text) {
    // An equal text raises no change, but a loaded value is checked all the same.
    if (e->text() == text)
        checktimeedit(e, field);
    else
        e->setText(text);
}

void TForm2::Edit4Change() {
    checktimeedit(Edit4, timefield::Hours);
}
void TForm2::Edit5Change() {
    checktimeedit(Edit5, timefield::Minutes);
}
void TForm2::Edit6Change() {
    checktimeedit(Edit6, timefield::Seconds);
}
void TForm2::Edit9Change() {
    checktimeedit(Edit9, timefield::Duration);
}

void TForm2::refill(QLineEdit* e, const TimeField& field) {
    const QString text = refilled(field, e->text());
    if (text != e->text()) e->setText(text);
}

void TForm2::Edit4Exit() {
    refill(Edit4, timefield::Hours);
}
void TForm2::Edit5Enter() {
    refill(Edit5, timefield::Minutes);
}
void TForm2::Edit6Exit() {
    refill(Edit6, timefield::Seconds);
}
void TForm2::Edit9Exit() {
    refill(Edit9, timefield::Duration);
}

void TForm2::clearthumbnail() {
    thumbnailjob_->cancel();
    Image1->clear();
}

void TForm2::playaudio(const QString& path) {
    audio_.playaudio(path);
}

void TForm2::stopaudio() {
    try {
        audio_.mp3player.Stop();
    } catch (const std::exception&) {
        // Nothing open to stop.
    }
}

void TForm2::closeaudio() {
    audio_.mp3player.Close();
}

void TForm2::setmainenabled(bool enabled) {
    emit editingChanged(!enabled);
}

void TForm2::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    placeatfirstshow(this);
    // While the editor is up nothing in the main window may change the list under it.
    setmainenabled(false);
    Edit1->setFocus();
}

void TForm2::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (e->spontaneous()) return;
    // The close box ends the edit as Cancel does; the record stays as opening stored it.
    list_.cancel();
    setmainenabled(true);
}

bool TForm2::eventFilter(QObject* watched, QEvent* e) {
    guarded(reporter_, [&] {
        if (e->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            if (watched == Edit2 || watched == Image1) BitBtn3Click();
            if (watched == Edit3) BitBtn4Click();
        } else if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
            if (insidewindow(static_cast<QFocusEvent*>(e)->reason())) {
                if (e->type() == QEvent::FocusIn && watched == Edit5) Edit5Enter();
                if (e->type() == QEvent::FocusOut) {
                    if (watched == Edit4) Edit4Exit();
                    if (watched == Edit6) Edit6Exit();
                    if (watched == Edit9) Edit9Exit();
                }
            }
        }
    });
    return QWidget::eventFilter(watched, e);
}
