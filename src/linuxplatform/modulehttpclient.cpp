#include "linuxplatform/modulehttpclient.h"

ModuleHttpClient::ModuleHttpClient(QStringList folders, std::string url)
    : loader_(std::move(folders), kHttpModule), url_(std::move(url)), host_(serverhost(url_)) {}

ModuleHttpClient::~ModuleHttpClient() = default;

HttpClient& ModuleHttpClient::client() {
    const std::lock_guard lock(mutex_);
    if (!client_) {
        try {
            client_.reset(loader_.entry<decltype(&chimelet_httpclient)>()(url_.c_str()));
        } catch (const std::runtime_error& e) {
            throw HttpError(url_ + ": " + e.what());
        }
    }
    return *client_;
}

std::string ModuleHttpClient::gettext(const std::string& path, const std::string& useragent,
                                      std::size_t limit) {
    return client().gettext(path, useragent, limit);
}

HttpFileInfo ModuleHttpClient::download(const std::string& path, const std::string& useragent,
                                        std::size_t limit, const Receiver& receive,
                                        const Progress& progress) {
    return client().download(path, useragent, limit, receive, progress);
}
