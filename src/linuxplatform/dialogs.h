#pragma once

#include "platform/dialogs.h"

// QMessageBox and QFileDialog over the active window.
class QtDialogs : public Dialogs {
public:
    void infobox(const QString& text) override;
    std::optional<QString> openfile(const FileDialogSetup& setup) override;
    std::optional<QString> savefile(const FileDialogSetup& setup) override;
};
