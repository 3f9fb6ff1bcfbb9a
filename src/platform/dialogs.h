#pragma once

#include <QString>

#include <optional>

class QWidget;

// A file dialog's set-up: Qt filter syntax, e.g. "Chimelet File (*.clt)".
struct FileDialogSetup {
    QString title;
    QString filter;
    QString folder;
    bool confirmOverwrite = true;
    bool showHidden = false;
};

// The folder a dialog starts in: `wanted` when it is a folder, else the home folder
// (a missing documents folder would otherwise become the suggested file name).
QString dialogstartfolder(const QString& wanted);

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

class QtDialogs : public Dialogs {
public:
    void infobox(const QString& text) override;
    std::optional<QString> openfile(const FileDialogSetup& setup) override;
    std::optional<QString> savefile(const FileDialogSetup& setup) override;
};
