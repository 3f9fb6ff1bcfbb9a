#pragma once

#include "update/updatecheck.h"

#include <QObject>
#include <QString>

// Runs the update check and the news fetch off the GUI thread, with the client's own
// time-outs, so a slow server holds up no window and no tick; the answers arrive as
// signals on this object's thread. One question at a time. Deleted while a question runs,
// it does not wait: the question ends by the client's time-outs, answered to nobody.
class UpdateQuery : public QObject {
    Q_OBJECT
public:
    explicit UpdateQuery(HttpClient& http, QObject* parent = nullptr);

    // Asks for the newest release, and for its news when it is newer; false while busy.
    bool check();
    // Asks for the news alone; false while busy.
    bool fetchnews();
    bool running() const { return running_; }

signals:
    // `error` is the text of a server answer that could not be read; `news` is fetched
    // only for an available release.
    void checked(UpdateCheck result, const QString& news, const QString& error);
    void newsFetched(const QString& news);

private:
    HttpClient& http_;
    bool running_ = false;
};
