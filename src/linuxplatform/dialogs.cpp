#include "linuxplatform/dialogs.h"

#include "linuxplatform/dialogowner.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

QtDialogs::QtDialogs() {
    followactivewindow();
}

void QtDialogs::infobox(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
                    dialogowner());
    fitmessagebox(box);
    box.exec();
}

QString dialogstartfolder(const QString& wanted) {
    return QFileInfo(wanted).isDir() ? wanted : QDir::homePath();
}

namespace {
std::optional<QString> runfiledialog(const FileDialogSetup& setup, bool saving) {
    QFileDialog dialog(dialogowner(), setup.title, dialogstartfolder(setup.folder), setup.filter);
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
