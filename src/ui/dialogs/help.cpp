#include "ui/dialogs/help.h"

#include "platform/shell.h"
#include "readers/rtfreader.h"
#include "store/ansitext.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/escapekey.h"
#include "ui/widgets/hintedcontrols.h"
#include "ui/widgets/returnkey.h"
#include "ui/widgets/screenfit.h"
#include "ui/widgets/weblinks.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include <optional>
#include <vector>

namespace {
constexpr int kBaseSize = 9;

// The help file's bytes, or nothing when it cannot serve as one.
std::optional<QByteArray> readhelp(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxHelpBytes) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray data = file.read(kMaxHelpBytes + 1);
    if (data.size() > kMaxHelpBytes || file.error() != QFileDevice::NoError) return std::nullopt;
    return data;
}
} // namespace

TForm9::TForm9(Shell& shell, QString helpfile, QWidget* parent)
    : QWidget(parent), shell_(shell), helpfile_(std::move(helpfile)) {
    setWindowTitle(QStringLiteral("Chimelet - Help"));
    setWindowFlag(Qt::WindowStaysOnTopHint);

    StaticText5 = new QLabel(QStringLiteral("Font Size:"), this);
    StaticText5->setToolTip(QStringLiteral("Change font size by clicking the + or - buttons"));
    BitBtn1 = button(QStringLiteral("+"), QStringLiteral("Increase Font Size"), this);
    BitBtn5 = button(QStringLiteral("-"), QStringLiteral("Decrease Font Size"), this);
    for (QPushButton* b : {BitBtn1, BitBtn5})
        b->setFixedWidth(28);
    CheckBox1 = new QCheckBox(QStringLiteral("Word Wrap"), this);
    CheckBox1->setToolTip(QStringLiteral("Toggle word wrap"));
    CheckBox1->setChecked(true);
    BitBtn2 = button(QStringLiteral("Contact Support"), {}, this);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->setContextMenuPolicy(Qt::PreventContextMenu);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    RichEdit1->setAccessibleName(QStringLiteral("Help text"));
    applyfontsize();

    connect(BitBtn1, &QPushButton::clicked, this, &TForm9::BitBtn1Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm9::BitBtn5Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm9::CheckBox1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm9::BitBtn2Click);

    auto* bar = new QHBoxLayout;
    bar->addWidget(StaticText5);
    bar->addWidget(BitBtn1);
    bar->addWidget(BitBtn5);
    bar->addSpacing(12);
    bar->addWidget(CheckBox1);
    bar->addStretch();
    bar->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(bar);
    layout->addWidget(RichEdit1, 1);
    resize(505, 404);
    nameforaccess(this);
    taborder({RichEdit1, BitBtn1, BitBtn5, CheckBox1, BitBtn2});
    onescape(this, [this] { close(); });
    returnpressesbuttons(this);
}

void TForm9::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (e->spontaneous()) return;
    placeatfirstshow(this);
    FormShow();
}

void TForm9::FormShow() {
    RichEdit1->clear();
    QTextDocument* doc = RichEdit1->document();
    if (const std::optional<QByteArray> data = readhelp(helpfile_)) {
        if (isrtf(*data))
            readrtf(*data, *doc);
        else
            RichEdit1->setPlainText(fromansi(data->toStdString()));
    } else {
        RichEdit1->setPlainText(QString::fromLatin1(kHelpMissing));
    }
    applyfontsize();
    RichEdit1->moveCursor(QTextCursor::Start);
    RichEdit1->setFocus();
}

void TForm9::BitBtn1Click() {
    if (size_ + 1 < 120) ++size_;
    applyfontsize();
}

void TForm9::BitBtn5Click() {
    if (size_ - 2 > 0) --size_;
    applyfontsize();
}

void TForm9::CheckBox1Click() {
    RichEdit1->setLineWrapMode(CheckBox1->isChecked() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TForm9::BitBtn2Click() {
    shell_.brow(QString::fromLatin1(kSupportPage));
}

// Text without a size of its own takes the base size; sized text keeps its proportion.
void TForm9::applyfontsize() {
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSize(size_);
    RichEdit1->setFont(base); // the document takes the widget's font as its default
    struct Sized {
        int from, to, halfpoints;
    };
    std::vector<Sized> sized;
    QTextDocument* doc = RichEdit1->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant half = fragment.charFormat().property(kRtfHalfPoints);
            if (half.isValid())
                sized.push_back(
                    {fragment.position(), fragment.position() + fragment.length(), half.toInt()});
        }
    QTextCursor cursor(doc);
    for (const Sized& s : sized) {
        cursor.setPosition(s.from);
        cursor.setPosition(s.to, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setFontPointSize(std::max(1.0, s.halfpoints / 2.0 * size_ / kBaseSize));
        cursor.mergeCharFormat(f);
    }
}
