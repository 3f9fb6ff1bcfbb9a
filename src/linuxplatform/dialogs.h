#pragma once

#include "platform/dialogs.h"

// QMessageBox and QFileDialog, each owned by the window the user works in.
class QtDialogs : public Dialogs {
public:
    QtDialogs();
    void infobox(const QString& text) override;
    std::optional<QString> openfile(const FileDialogSetup& setup) override;
    std::optional<QString> savefile(const FileDialogSetup& setup) override;
};
