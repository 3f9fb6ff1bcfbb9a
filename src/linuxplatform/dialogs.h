#pragma once

#include "platform/dialogs.h"

// The folder a dialog starts in: `wanted` when it is a folder, else the home folder
// (a missing documents folder would otherwise become the suggested file name).
QString dialogstartfolder(const QString& wanted);

// QMessageBox and QFileDialog, each owned by the window the user works in.
class QtDialogs : public Dialogs {
public:
    QtDialogs();
    void infobox(const QString& text) override;
    std::optional<QString> openfile(const FileDialogSetup& setup) override;
    std::optional<QString> savefile(const FileDialogSetup& setup) override;
};
