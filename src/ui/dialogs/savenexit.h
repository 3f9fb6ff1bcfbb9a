#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class ErrorReporter;
class Workspace;
class QPushButton;

// "Save before exit?": stands between an exit command and unsaved changes.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12(const Workspace& ws, ErrorReporter& reporter, QWidget* parent = nullptr);

    QPushButton* exitfromabout; // "Just exit"
    QPushButton* BitBtn1;       // "Save then exit"

    // Saves the list the way the Save File command does; wired by the frame.
    std::function<void()> savelist;
    std::function<void(const QString&)> saveas;
    std::function<std::optional<QString>()> savedialog;

signals:
    // The user chose to leave, after saving or not; the frame ends the program.
    void leave();

public slots:
    void BitBtn1Click();
    void exitfromaboutClick();
    // Escape goes the way of the close box: hiding the window would lose the exit request.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    const Workspace& ws_;
    ErrorReporter& reporter_;
};
