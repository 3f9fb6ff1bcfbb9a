#pragma once

#include "update/updatecheck.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <thread>

// Runs the update check and the news fetch on a worker thread, with the client's own
// time-outs, so a slow server holds up no window and no tick; the answers arrive as
// signals on this object's thread. One question at a time.
class UpdateQuery : public QObject {
    Q_OBJECT
public:
    explicit UpdateQuery(HttpClient& http, QObject* parent = nullptr);
    // Waits for a running question (the client's time-outs bound it).
    ~UpdateQuery() override;

    // Asks for the newest release, and for its news when it is newer; false while busy.
    bool check();
    // Asks for the news alone; false while busy.
    bool fetchnews();
    bool running() const { return worker_.joinable(); }

signals:
    // `error` is the text of a server answer that could not be read; `news` is fetched
    // only for an available release.
    void checked(UpdateCheck result, const QString& news, const QString& error);
    void newsFetched(const QString& news);

private:
    bool run(std::function<std::function<void()>()> work);

    HttpClient& http_;
    std::thread worker_;
};
