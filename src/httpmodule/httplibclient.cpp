#include "httpmodule/httplibclient.h"

#include <httplib.h>

#include <QSemaphore>
#include <QThread>

#include <charconv>
#include <memory>

namespace {

// Stops a request from another thread once it runs past its deadline. The library
// bounds each read but neither a whole answer nor the number of header lines, so a
// server that keeps sending would otherwise hold us forever. The request blocks the
// thread it runs on (already off the GUI thread), so the deadline needs one of its own.
class Watchdog {
public:
    Watchdog(httplib::Client& client, std::chrono::milliseconds limit)
        : thread_(QThread::create([this, &client, limit] {
              if (disarmed_.tryAcquire(1, static_cast<int>(limit.count()))) return;
              // A connect under way has no socket to stop yet: keep stopping until done.
              do
                  client.stop();
              while (!disarmed_.tryAcquire(1, 20));
          })) {
        thread_->start();
    }
    ~Watchdog() { disarm(); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void disarm() {
        if (!thread_) return;
        disarmed_.release();
        thread_->wait();
        thread_.reset();
    }

private:
    QSemaphore disarmed_;
    std::unique_ptr<QThread> thread_;
};

// The announced body length; nothing when none was announced.
std::optional<uint64_t> announcedlength(const httplib::Response& r) {
    if (!r.has_header("Content-Length") || r.has_header("Transfer-Encoding")) return std::nullopt;
    const std::string text = r.get_header_value("Content-Length");
    uint64_t n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        throw HttpError("bad Content-Length");
    return n;
}

} // namespace

HttplibClient::HttplibClient(std::string url) : HttplibClient(std::move(url), Settings{}) {}

HttplibClient::HttplibClient(std::string url, Settings settings)
    : url_(std::move(url)), host_(serverhost(url_)), settings_(std::move(settings)) {}

std::string HttplibClient::gettext(const std::string& path, const std::string& useragent,
                                   std::size_t limit) {
    std::string body;
    get(
        path, useragent, limit,
        [&body](const char* data, std::size_t size) {
            body.append(data, size);
            return true;
        },
        nullptr, true);
    return body;
}

HttpFileInfo HttplibClient::download(const std::string& path, const std::string& useragent,
                                     std::size_t limit, const Receiver& receive,
                                     const Progress& progress) {
    return get(path, useragent, limit, receive, progress, false);
}

HttpFileInfo HttplibClient::get(const std::string& path, const std::string& useragent,
                                std::size_t limit, const Receiver& receive,
                                const Progress& progress, bool wholedeadline) {
    std::optional<httplib::Client> made;
    try {
        made.emplace(url_);
    } catch (const std::exception& e) {
        throw HttpError(url_ + ": " + e.what());
    }
    httplib::Client& client = *made;
    if (!client.is_valid()) throw HttpError(url_ + ": not a server address");
    client.set_connection_timeout(settings_.connecttimeout);
    client.set_read_timeout(settings_.readtimeout);
    client.set_write_timeout(settings_.readtimeout);
    client.set_follow_location(false);
    client.set_keep_alive(false);
    // Bytes as served: no expansion of a compressed body behind the limits' back.
    client.set_decompress(false);
    client.enable_server_certificate_verification(true);
    if (!settings_.cafile.empty()) client.set_ca_cert_path(settings_.cafile.c_str());

    Watchdog watchdog(client, settings_.connecttimeout + settings_.readtimeout);
    HttpFileInfo info;
    std::optional<uint64_t> total;
    uint64_t done = 0;
    std::string failure;
    const httplib::Headers headers{{"User-Agent", useragent}};

    const auto onhead = [&](const httplib::Response& r) {
        if (r.status != 200) {
            failure = "answer " + std::to_string(r.status);
            return false;
        }
        try {
            total = announcedlength(r);
        } catch (const HttpError& e) {
            failure = e.what();
            return false;
        }
        if (total && *total > limit) {
            failure = "answer larger than allowed";
            return false;
        }
        info.contenttype = r.get_header_value("Content-Type");
        info.disposition = r.get_header_value("Content-Disposition");
        // A download may take as long as it needs; a stall still ends at the read time-out.
        if (!wholedeadline) watchdog.disarm();
        return true;
    };
    const auto onbody = [&](const char* data, std::size_t size) {
        if (size > limit - done) {
            failure = "answer larger than allowed";
            return false;
        }
        done += size;
        if (!receive(data, size)) {
            failure = "cancelled";
            return false;
        }
        if (progress) progress(static_cast<int64_t>(done), static_cast<int64_t>(total.value_or(0)));
        return true;
    };

    const httplib::Result result = client.Get(path, headers, onhead, onbody);
    watchdog.disarm();
    if (!result) {
        if (failure.empty()) failure = httplib::to_string(result.error());
        throw HttpError(url_ + path + ": " + failure);
    }
    if (result->status != 200)
        throw HttpError(url_ + path + ": answer " + std::to_string(result->status));
    if (total && done != *total) throw HttpError(url_ + path + ": answer cut short");
    return info;
}
