#pragma once

#include "linuxplatform/moduleloader.h"
#include "platform/httpclient.h"

#include <memory>
#include <mutex>

// The HTTP client of the HTTP module, loaded at the first request. Without the module,
// every request fails as one to an unreachable server does.
class ModuleHttpClient : public HttpClient {
public:
    // `url` is scheme, host and optional port, e.g. "https://updates.example.org".
    ModuleHttpClient(QStringList folders, std::string url);
    ~ModuleHttpClient() override;

    std::string host() const override { return host_; }
    std::string gettext(const std::string& path, const std::string& useragent,
                        std::size_t limit) override;
    HttpFileInfo download(const std::string& path, const std::string& useragent, std::size_t limit,
                          const Receiver& receive, const Progress& progress) override;

private:
    HttpClient& client();

    ModuleLoader loader_;
    const std::string url_;
    const std::string host_;
    std::mutex mutex_;
    std::unique_ptr<HttpClient> client_;
};
