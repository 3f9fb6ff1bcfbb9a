#pragma once

#include <QDialog>

class ErrorReporter;
class QPushButton;

// "Save before exit?": stands between an exit command and unsaved changes.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(ErrorReporter& reporter, QWidget* parent = nullptr);

    QPushButton* exitfromabout; // "Just exit"
    QPushButton* BitBtn1;       // "Save then exit"

signals:
    // Save then exit: the list is saved the way the Save File command saves it.
    void saveRequested();
    // The user chose to leave, after saving or not; the frame ends the program.
    void leave();
    // "Not now": the program runs on.
    void exitCancelled();

public slots:
    void BitBtn1Click();
    void exitfromaboutClick();
    // Escape means "not now": the question goes and the program runs on as before.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;
};
