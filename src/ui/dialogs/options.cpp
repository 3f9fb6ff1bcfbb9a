#include "ui/dialogs/options.h"
#include "ui/dialogs/picturedialog.h"

#include "platform/autostart.h"
#include "platform/dialogs.h"
#include "schedule/errorreporter.h"
#include "schedule/listfiles.h"
#include "store/ansitext.h"
#include "store/apppaths.h"
#include "store/secure.h"
#include "ui/widgets/accessiblenames.h"
#include "ui/widgets/filechoice.h"
#include "ui/widgets/hintedcontrols.h"
#include "ui/widgets/listicons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
constexpr int kStartupRecord = 0;
constexpr int kLinkRecord = 3;

std::string stored(const QString& text) {
    return SettingsStore::storedtext(toansi(text)).substr(0, 255);
}
QString plain(const std::string& text) {
    return fromansi(SettingsStore::plaintext(text));
}

} // namespace

TForm11::TForm11(SettingsStore& settings, Dialogs& dialogs, Autostart& autostart,
                 const AppPaths& paths, ErrorReporter& reporter, QString program, QWidget* parent)
    : SecondaryWindow(parent), settings_(settings), dialogs_(dialogs), autostart_(autostart),
      paths_(paths), reporter_(reporter), program_(std::move(program)) {
    setWindowTitle(QStringLiteral("Chimelet - Options"));

    CheckBox6 = new QCheckBox(QStringLiteral("Start Minimized"), this);
    CheckBox7 = new QCheckBox(QStringLiteral("Load Chimelet when Windows Starts"), this);
    Label3 = new QLabel(QStringLiteral("Default Startup File:"), this);
    Edit2 = new QLineEdit(this);
    Edit2->setReadOnly(true);
    Edit2->setToolTip(QStringLiteral("Click to choose a startup file"));
    Edit2->installEventFilter(this);
    BitBtn3 = button(QStringLiteral("..."), QStringLiteral("Choose a startup file"), this);
    BitBtn4 = button(QStringLiteral("c"), QStringLiteral("Clear default startup file"), this);
    for (QPushButton* b : {BitBtn3, BitBtn4})
        b->setFixedWidth(28);
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn1->setDefault(true);
    Image1 = new QLabel(this);
    Image1->setPixmap(drawprogramicon(48));
    Image1->setAccessibleName(QStringLiteral("Chimelet"));
    Label3->setBuddy(Edit2);

    // A store that fails leaves the window open with its error shown.
    for (auto [b, handler] :
         {std::pair{BitBtn1, &TForm11::BitBtn1Click}, std::pair{BitBtn2, &TForm11::BitBtn2Click},
          std::pair{BitBtn3, &TForm11::BitBtn3Click}, std::pair{BitBtn4, &TForm11::BitBtn4Click}})
        connectguarded(reporter_, b, &QPushButton::clicked, this, handler);
    const std::pair<QObject*, const char*> names[] = {
        {CheckBox6, "CheckBox6"}, {CheckBox7, "CheckBox7"}, {Label3, "Label3"},
        {Edit2, "Edit2"},         {BitBtn1, "BitBtn1"},     {BitBtn2, "BitBtn2"},
        {BitBtn3, "BitBtn3"},     {BitBtn4, "BitBtn4"},     {Image1, "Image1"}};
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));

    auto* file = new QHBoxLayout;
    file->addWidget(Edit2, 1);
    file->addWidget(BitBtn3);
    file->addWidget(BitBtn4);
    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addWidget(CheckBox6);
    settingsColumn->addWidget(CheckBox7);
    settingsColumn->addWidget(Label3);
    settingsColumn->addLayout(file);
    picturedialoglayout(this, Image1, settingsColumn, {BitBtn1, BitBtn2});
    nameforaccess(this);
    taborder({CheckBox6, CheckBox7, Edit2, BitBtn3, BitBtn4, BitBtn1, BitBtn2});
    setFixedSize(sizeHint().expandedTo(QSize(364, 153)));
}

void TForm11::showEvent(QShowEvent* e) {
    SecondaryWindow::showEvent(e);
    if (!e->spontaneous()) guarded(reporter_, [this] { FormShow(); });
}

bool TForm11::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Edit2 && e->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        guarded(reporter_, [this] { BitBtn3Click(); });
        return true;
    }
    return SecondaryWindow::eventFilter(watched, e);
}

void TForm11::FormShow() {
    const TSettingsRecord rec = settings_.readsetting(kStartupRecord);
    CheckBox6->setChecked(rec.Value == 1);
    CheckBox7->setChecked(rec.Flag == 1);
    Edit2->setText(plain(rec.Text));
}

void TForm11::BitBtn1Click() {
    TSettingsRecord rec;
    rec.Text = stored(Edit2->text());
    rec.Value = CheckBox6->isChecked() ? 1 : 0;
    rec.Flag = CheckBox7->isChecked() ? 1 : 0;
    settings_.writesetting(rec, kStartupRecord);

    const QString link = plain(settings_.readsetting(kLinkRecord).Text);
    if (CheckBox7->isChecked()) {
        if (!autostart_.exists(link)) makestartuplink();
    } else {
        autostart_.remove(link);
    }
    hide();
}

void TForm11::BitBtn2Click() {
    hide();
}

void TForm11::BitBtn3Click() {
    FileDialogSetup setup;
    setup.title = QStringLiteral("Open");
    setup.filter = QString::fromLatin1(kListFileFilter);
    setup.folder = paths_.docfolder;
    setup.confirmOverwrite = false;
    const std::optional<QString> chosen = dialogs_.openfile(setup);
    if (!chosen) return;
    // A path cut to fit the record would open nothing at the next start.
    if (!storablepath(*chosen)) {
        dialogs_.infobox(QString::fromLatin1(kUnstorablePath));
        return;
    }
    Edit2->setText(*chosen);
}

void TForm11::BitBtn4Click() {
    Edit2->clear();
}

void TForm11::makestartuplink() {
    TSettingsRecord rec = settings_.readsetting(kLinkRecord);
    rec.Text = stored(autostart_.create(program_));
    settings_.writesetting(rec, kLinkRecord);
}
