#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

void QtDialogs::infobox(const QString& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<QString> QtDialogs::openfile(const FileDialogSpec& spec) {
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), spec.title, spec.folder,
                                     spec.filter, nullptr, QFileDialog::ReadOnly);
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::savefile(const FileDialogSpec& spec) {
    QFileDialog::Options options;
    if (!spec.confirmOverwrite) options |= QFileDialog::DontConfirmOverwrite;
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), spec.title,
                                                      spec.folder, spec.filter, nullptr, options);
    if (path.isEmpty()) return std::nullopt;
    return path;
}
