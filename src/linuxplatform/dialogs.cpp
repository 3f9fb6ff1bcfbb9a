#include "linuxplatform/dialogs.h"

#include "linuxplatform/dialogowner.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSettings>

QtDialogs::QtDialogs() {
    followactivewindow();
}

void QtDialogs::infobox(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
                    dialogowner());
    fitmessagebox(box);
    box.exec();
}

void keepdialogstatein(const QString& folder) {
    // The dialog writes its state to Qt's own settings of the user scope.
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder);
}

QString qtnamefilter(const QString& filter) {
    const int open = filter.lastIndexOf(u'(');
    if (open < 0 || !filter.endsWith(u')')) return filter;
    const QStringList patterns =
        filter.mid(open + 1, filter.size() - open - 2)
            .split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    return filter.left(open) + u'(' + patterns.join(u' ') + u')';
}

QString dialogstartfolder(const QString& wanted) {
    return QFileInfo(wanted).isDir() ? wanted : QDir::homePath();
}

namespace {
std::optional<QString> runfiledialog(const FileDialogSetup& setup, bool saving) {
    QFileDialog dialog(dialogowner(), setup.title, dialogstartfolder(setup.folder));
    // Qt's own dialog: it shows the filters' texts as given and adds nothing to the
    // desktop's list of recent files.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList shown = setup.filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    QStringList filters;
    for (const QString& f : shown)
        filters << qtnamefilter(f);
    dialog.setNameFilters(filters);
    if (auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < types->count() && i < shown.size(); ++i)
            types->setItemText(i, shown[i]);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!saving) dialog.setOption(QFileDialog::ReadOnly);
    if (saving && !setup.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (setup.showHidden) dialog.setFilter(dialog.filter() | QDir::Hidden);
    keepontop(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) return std::nullopt;
    return path;
}
} // namespace

std::optional<QString> QtDialogs::openfile(const FileDialogSetup& setup) {
    return runfiledialog(setup, false);
}

std::optional<QString> QtDialogs::savefile(const FileDialogSetup& setup) {
    return runfiledialog(setup, true);
}
