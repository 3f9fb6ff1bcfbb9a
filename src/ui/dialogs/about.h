#pragma once

#include "ui/dialogs/secondarywindow.h"

class Shell;
class QLabel;
class QPushButton;

// The about window: product, version, attribution and the way to the maker's site.
class TForm8 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm8(Shell& shell, QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;             // product name
    QLabel* Label2 = nullptr;             // version
    QLabel* Label3 = nullptr;             // attribution
    QLabel* Label4 = nullptr;             // web host
    QLabel* Label5 = nullptr;             // last line
    QPushButton* exitfromabout = nullptr; // "Ok"
    QPushButton* BitBtn1 = nullptr;       // "Visit ..."

    void FormCreate();
    void exitfromaboutClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Shell& shell_;
};
