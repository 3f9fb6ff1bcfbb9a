#pragma once

#include "platform/dialogs.h"

// Where Qt's file dialog keeps what it remembers (view, history): in the program's own
// folder, never in the user's configuration.
void keepdialogstatein(const QString& folder);

// A filter of the dialog's set-up as Qt's file dialog reads it: its patterns separated by
// blanks only. The text shown stays the set-up's.
QString qtnamefilter(const QString& filter);

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
