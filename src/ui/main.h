#pragma once

#include <QMainWindow>

class AppGlobals;
class QLabel;
class QPushButton;
class QTimer;

// The main window: list, commands, status bar and the one-second tick.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(AppGlobals& g);

    AppGlobals& globals() { return g_; }
    QTimer* updatetimer() const { return updatetimer_; }
    QLabel* statuspanel(int i) const { return panels_[i]; }
    QPushButton* BitBtn8 = nullptr; // "Save File": its enabled state is the unsaved-changes mark

    // Status bar panel texts.
    void setpaneltext(int panel, const QString& text);

public slots:
    void updatetimerTimer();

signals:
    void firstShown();

protected:
    void showEvent(QShowEvent* e) override;

private:
    AppGlobals& g_;
    QTimer* updatetimer_;
    QLabel* panels_[6] = {};
};
