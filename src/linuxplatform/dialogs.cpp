#include "linuxplatform/dialogs.h"

#include "linuxplatform/dialogowner.h"

#include <QApplication>
#include <QFileDialog>
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

std::optional<QString> QtDialogs::openfile(const FileDialogSetup& setup) {
    const QString path = QFileDialog::getOpenFileName(dialogowner(), setup.title, setup.folder,
                                                      setup.filter, nullptr, QFileDialog::ReadOnly);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::savefile(const FileDialogSetup& setup) {
    QFileDialog::Options options;
    if (!setup.confirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
    const QString path = QFileDialog::getSaveFileName(dialogowner(), setup.title, setup.folder,
                                                      setup.filter, nullptr, options);
    if (path.isEmpty()) return std::nullopt;
    return path;
}
