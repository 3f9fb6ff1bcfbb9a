#pragma once

#include <QString>

#include <optional>

// A file dialog's set-up. Filters are separated by ";;", each a text shown as it is, with
// its patterns in its last parentheses, separated by blanks or ";": "Chimelet File (*.clt)",
// "All (*.wav; *.mp3)".
struct FileDialogSetup {
    QString title;
    QString filter;
    QString folder;
    bool confirmOverwrite = true;
    bool showHidden = false;
};

// The program's message box and file dialogs.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal "Information" box with one OK button; returns when closed.
    virtual void infobox(const QString& text) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<QString> openfile(const FileDialogSetup& setup) = 0;
    virtual std::optional<QString> savefile(const FileDialogSetup& setup) = 0;
};
