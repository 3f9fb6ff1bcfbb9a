#pragma once

#include <QDialog>

// A window that holds the main window and the editor still while it is up. Every way
// out (OK, Cancel, Escape, the close box) ends in a hide, so hidden() always follows
// shown(); the frame connects both.
class SecondaryWindow : public QDialog {
    Q_OBJECT
public:
    explicit SecondaryWindow(QWidget* parent = nullptr);

signals:
    void shown();
    void hidden();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
};
