#pragma once

#include "ui/dialogs/secondarywindow.h"

class Autostart;
class Dialogs;
class ErrorReporter;
class SettingsStore;
struct AppPaths;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The options window: default start-up file, start minimised, start with the desktop.
class TForm11 : public SecondaryWindow {
    Q_OBJECT
public:
    // `paths` is filled by start-up; `program` is the executable the autostart entry runs.
    TForm11(SettingsStore& settings, Dialogs& dialogs, Autostart& autostart, const AppPaths& paths,
            ErrorReporter& reporter, QString program, QWidget* parent = nullptr);

    QCheckBox* CheckBox6 = nullptr; // "Start Minimized"
    QCheckBox* CheckBox7 = nullptr; // "Load Chimelet when Windows Starts"
    QLabel* Label3 = nullptr;
    QLineEdit* Edit2 = nullptr;     // default start-up file, set through the chooser
    QPushButton* BitBtn3 = nullptr; // "..."
    QPushButton* BitBtn4 = nullptr; // "c"
    QPushButton* BitBtn1 = nullptr; // "OK"
    QPushButton* BitBtn2 = nullptr; // "Cancel"
    QLabel* Image1 = nullptr;

    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    // Writes the autostart entry and records its path in record 3.
    void makestartuplink();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    SettingsStore& settings_;
    Dialogs& dialogs_;
    Autostart& autostart_;
    const AppPaths& paths_;
    ErrorReporter& reporter_;
    QString program_;
};

inline constexpr const char* kUnstorablePath =
    "This file cannot be the default startup file: its path is too long to be stored.";
