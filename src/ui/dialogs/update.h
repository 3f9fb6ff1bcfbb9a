#pragma once

#include <QWidget>

#include <optional>

enum class UpdateCheck;

class Dialogs;
class HttpClient;
class InstallerDownload;
class Shell;
class UpdateQuery;
struct AppPaths;
class QLabel;
class QProgressBar;
class QPushButton;

// The update window: the line about the new release, "Update Now" and "Cancel", and
// the download's progress. The transfer runs beside the program; the window only
// shows it.
class TForm10 : public QWidget {
    Q_OBJECT
public:
    TForm10(HttpClient& http, Dialogs& dialogs, Shell& shell, const AppPaths& paths,
            QWidget* parent = nullptr);

    QLabel* Image1 = nullptr;
    QLabel* StaticText3 = nullptr; // product name
    QLabel* StaticText2 = nullptr; // running version
    QLabel* StaticText1 = nullptr; // the line about the new release, later the download state
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* StaticText5 = nullptr; // percentage
    QPushButton* doupdate = nullptr;
    QPushButton* noupdate = nullptr;

    bool downloading() const;
    // Whether the update check or the news is being fetched.
    bool checking() const;

public slots:
    // The user's update check: a message, or this window when a newer release exists.
    // The answer comes later; windows and the tick go on meanwhile.
    void checkforupdates();
    void FormShow();
    void doupdateClick();
    void noupdateClick();
    void downloadprogress(qint64 done, qint64 total);

signals:
    // Disable (false) or enable (true) the main window and the editor where visible.
    void enableothers(bool enabled);
    // The new release is with the desktop: the program ends.
    void endprogram();
    // The check runs (true) or has been answered (false).
    void checkingChanged(bool checking);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void checked(UpdateCheck result, const QString& news, const QString& error);
    void shownews(const QString& news);
    void downloadfinished(bool ok, const QString& path);
    void failed();

    HttpClient& http_;
    Dialogs& dialogs_;
    Shell& shell_;
    const AppPaths& paths_;
    UpdateQuery* query_;
    InstallerDownload* download_;
    std::optional<QString> news_; // the news the check brought, for the show that follows it
    bool awaitingnews_ = false;   // the shown window waits for its news
};
