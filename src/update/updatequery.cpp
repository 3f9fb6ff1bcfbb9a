#include "update/updatequery.h"

#include "offthread/offthread.h"

#include <exception>

UpdateQuery::UpdateQuery(HttpClient& http, QObject* parent) : QObject(parent), http_(http) {}

namespace {
struct CheckAnswer {
    UpdateCheck result = UpdateCheck::NoConnection;
    QString news, error;
};
} // namespace

bool UpdateQuery::check() {
    if (running_) return false;
    running_ = true;
    runoffthread(
        transferpool(), this,
        [&http = http_] {
            CheckAnswer a;
            try {
                a.result = checkforupdates(http);
                if (a.result == UpdateCheck::Available) a.news = releasenews(http);
            } catch (const std::exception& e) {
                a.error = QString::fromUtf8(e.what());
            }
            return a;
        },
        [this](const CheckAnswer& a) {
            running_ = false;
            emit checked(a.result, a.news, a.error);
        });
    return true;
}

bool UpdateQuery::fetchnews() {
    if (running_) return false;
    running_ = true;
    runoffthread(
        transferpool(), this,
        [&http = http_] {
            try {
                return releasenews(http);
            } catch (const std::exception&) {
                return QString(); // as a news line that could not be fetched
            }
        },
        [this](const QString& news) {
            running_ = false;
            emit newsFetched(news);
        });
    return true;
}
