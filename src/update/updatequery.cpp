#include "update/updatequery.h"

#include <exception>

UpdateQuery::UpdateQuery(HttpClient& http, QObject* parent) : QObject(parent), http_(http) {}

UpdateQuery::~UpdateQuery() {
    if (worker_.joinable()) worker_.join();
}

// `work` runs on the worker and returns what to do with its answer on this thread.
bool UpdateQuery::run(std::function<std::function<void()>()> work) {
    if (worker_.joinable()) return false;
    worker_ = std::thread([this, work = std::move(work)] {
        const std::function<void()> answer = work();
        QMetaObject::invokeMethod(
            this,
            [this, answer] {
                worker_.join();
                answer();
            },
            Qt::QueuedConnection);
    });
    return true;
}

bool UpdateQuery::check() {
    return run([this]() -> std::function<void()> {
        UpdateCheck result = UpdateCheck::NoConnection;
        QString news, error;
        try {
            result = checkforupdates(http_);
            if (result == UpdateCheck::Available) news = releasenews(http_);
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        return [this, result, news, error] { emit checked(result, news, error); };
    });
}

bool UpdateQuery::fetchnews() {
    return run([this]() -> std::function<void()> {
        const QString news = releasenews(http_);
        return [this, news] { emit newsFetched(news); };
    });
}
