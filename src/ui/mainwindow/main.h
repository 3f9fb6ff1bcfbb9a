#pragma once

#include "store/recordindex.h"
#include "ui/widgets/listicons.h"

#include <QKeySequence>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct AppPaths;
class Dialogs;
class ErrorReporter;
class ListController;
class NotificationListModel;
class PreviewPanel;
class PicturePane;
class QAction;
class QComboBox;
class QMenu;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeView;
enum class PlayMode : uint8_t;

// The main window: the Notification list with its preview, the command buttons and
// the status bar. The list, its rows and its tick belong to the list controller; the
// window sends it the commands and shows what it signals.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(ListController& list, Dialogs& dialogs, const AppPaths& paths, ErrorReporter& reporter);
    ~TForm1() override;

    // Connects the controls to their commands once every window exists.
    void connectcommands();
    // The Save dialog for notification files; nothing when cancelled.
    std::optional<QString> SaveDialog1();

    QLabel* statuspanel(int i) const { return panels_[i]; }

    // Top panel.
    QPushButton* BitBtn6 = nullptr; // "New File"
    QPushButton* BitBtn7 = nullptr; // "Open File"
    QPushButton* BitBtn8 = nullptr; // "Save File": enabled while the list has unsaved changes
    QPushButton* BitBtn9 = nullptr; // "Chimelet Settings"

    // The "Notifications" group.
    QGroupBox* GroupBox1 = nullptr;
    PreviewPanel* Panel3 = nullptr;
    PicturePane* Image1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QPushButton* BitBtn1 = nullptr; // "New"
    QPushButton* BitBtn2 = nullptr; // "Edit"
    QPushButton* BitBtn3 = nullptr; // "Delete"
    QPushButton* BitBtn4 = nullptr; // "Stop"
    QPushButton* BitBtn5 = nullptr; // "Resume"
    QComboBox* ComboBox5 = nullptr; // countdown activation mode
    QTreeView* ListView1 = nullptr;

    // Main menu "&File", "&Notifications", "&Settings" and "&Help".
    QAction *New1 = nullptr, *Open1 = nullptr, *Save1 = nullptr, *SaveAs1 = nullptr,
            *Close1 = nullptr, *Exit2 = nullptr;
    QAction *New2 = nullptr, *Edit2 = nullptr, *Delete2 = nullptr, *Stop2 = nullptr,
            *Resume2 = nullptr, *StopAll3 = nullptr, *StartAll3 = nullptr;
    QAction *Options2 = nullptr, *Checkforupdates2 = nullptr;
    QAction *About1 = nullptr, *Help4 = nullptr, *ContactSupport1 = nullptr, *VisitSite1 = nullptr,
            *Downloadfreeimages1 = nullptr;
    // The list's context menu and the tray icon's, made at their first showing (null until
    // then).
    QMenu* listmenu();
    QMenu* traymenu();
    QMenu* listpop = nullptr;
    QAction *AddNew1 = nullptr, *Edit1 = nullptr, *Delete1 = nullptr, *Stop1 = nullptr,
            *Resume1 = nullptr, *StopAll1 = nullptr, *StartAll1 = nullptr, *Help2 = nullptr;
    QMenu* traypop = nullptr;
    QAction *TrayTitle1 = nullptr, *TrayAbout1 = nullptr, *Help1 = nullptr, *StopAll2 = nullptr,
            *StartAll2 = nullptr, *Options3 = nullptr, *Restore1 = nullptr, *Exit1 = nullptr;

    // What the caption's close and minimise buttons ask of the window.
    enum class SysCommand { Close, Minimize };
    // Hides a normal or maximised window into the tray (iconifies it when no tray host
    // runs); true when handled, false for the default handling.
    bool WMSysCommand(SysCommand command);
    // Whether a tray host runs; without one the window never hides where no one can reach it.
    void settrayhost(bool available);
    bool trayhost() const { return trayhost_; }
    // Puts the window where the tray (or, without a host, the taskbar) gives it back.
    void hideintray();
    // Asked as the window is brought back: whether the desktop brings a window forward only
    // when it is shown anew. Without one, only on Wayland.
    void setforwardbyshowinganew(std::function<bool()> ask) { showanew_ = std::move(ask); }

    const ImageList& ImageList1() const { return imagelist_; }
    NotificationListModel* listmodel() const { return model_; }

    // The list's item index: the first selected row, -1 when none is selected.
    int itemindex() const;

    // Shows the Notification at a record index in the preview; -1 empties it.
    void showpreview(int index);
    // Widens the text, image and audio columns for a window wider than 643 pixels.
    void fitcolumns();
    // The filler column takes the room the others leave in the list's viewport.
    void fitfiller();

    // Status bar panel texts.
    void setpaneltext(int panel, const QString& text);
    // A notice beside the panels that stays until the next one.
    void shownotice(const QString& text);
    // Sets the mode selector without running its change handler.
    void showmode(PlayMode mode);
    // While the update check runs: a busy pointer, and no second check.
    void showchecking(bool checking);

public slots:
    void updatetimerTimer();
    void ListView1SelectItem();
    void FormResize();
    // Commands.
    void BitBtn1Click(); // New Notification
    void BitBtn2Click(); // Edit, also the list's double click
    void BitBtn3Click(); // Delete
    void BitBtn4Click(); // Stop
    void BitBtn5Click(); // Resume
    void BitBtn6Click(); // New File
    void BitBtn7Click(); // Open File
    void BitBtn8Click(); // Save File
    void SaveAs1Click();
    void StopAll1Click();
    void StartAll1Click();
    void ComboBox5Change();
    void BitBtn9Click();          // options window
    void Checkforupdates1Click(); // update check
    void About1Click();
    void Help1Click();
    void ContactSupport1Click();
    void VisitSite1Click();
    void Downloadfreeimages1Click();
    void Exit1Click();
    void Exit2Click();
    void Restore1Click();

signals:
    void firstShown();
    // Upward requests; the frame connects them.
    void newRequested();
    void editRequested(RecordIndex index, int row);
    void exitRequested();
    void optionsRequested();
    // Settings → Check for updates: the update window runs the check.
    void updatecheckRequested();
    void aboutRequested();
    void helpRequested();
    // A web address to open with the desktop's default handler.
    void browRequested(const QString& url);
    // Escape: a reminder on screen should go, as a click on it does.
    void dismissRequested();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* buildtoppanel();
    QGroupBox* buildnotifications();
    void buildlist();
    void buildstatusbar();
    void buildmenus();
    void buildlistmenu();
    void buildtraymenu();
    QAction* command(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& keys, void (TForm1::*handler)());

    ListController& list_;
    Dialogs& dialogs_;
    const AppPaths& paths_;
    ErrorReporter& reporter_;
    ImageList imagelist_;
    NotificationListModel* model_ = nullptr;
    QLabel* panels_[6] = {};
    QLabel* notice_ = nullptr;
    std::vector<std::pair<QAction*, void (TForm1::*)()>> commands_;
    bool commandsconnected_ = false; // a menu made later connects its own
    bool trayhost_ = true;
    bool intray_ = false; // hidden where only the tray gives it back
    std::function<bool()> showanew_;
};
