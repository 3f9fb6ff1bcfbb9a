#pragma once

#include "platform/httpclient.h"

#include <chrono>
#include <string>

// The HTTP client over cpp-httplib. An https address is checked against the system's
// certificate store (or `cafile` when one is given); plain http only when the address
// says so.
class HttplibClient : public HttpClient {
public:
    struct Settings {
        std::chrono::milliseconds connecttimeout{5000};
        std::chrono::milliseconds readtimeout{5000};
        std::string cafile; // empty: the system's store
    };

    // `url` is scheme, host and optional port, e.g. "https://updates.example.org".
    explicit HttplibClient(std::string url);
    HttplibClient(std::string url, Settings settings);

    std::string host() const override { return host_; }
    std::string gettext(const std::string& path, const std::string& useragent,
                        std::size_t limit) override;
    HttpFileInfo download(const std::string& path, const std::string& useragent, std::size_t limit,
                          const Receiver& receive, const Progress& progress) override;

private:
    HttpFileInfo get(const std::string& path, const std::string& useragent, std::size_t limit,
                     const Receiver& receive, const Progress& progress, bool wholedeadline);

    std::string url_;
    std::string host_;
    Settings settings_;
};
