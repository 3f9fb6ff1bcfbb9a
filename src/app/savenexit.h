#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class AppGlobals;
class QPushButton;

// "Save before exit?": stands between an exit command and unsaved changes.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12(AppGlobals& g, QWidget* parent = nullptr);

    QPushButton* exitfromabout; // "Just exit"
    QPushButton* BitBtn1;       // "Save then exit"

    // Saves the list the way the Save File command does; wired by the frame.
    std::function<void()> savelist;
    std::function<void(const QString&)> saveas;
    std::function<std::optional<QString>()> savedialog;

public slots:
    void BitBtn1Click();
    void exitfromaboutClick();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    AppGlobals& g_;
};
