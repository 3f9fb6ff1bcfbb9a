#pragma once

#include <QString>
#include <QUrl>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

// A transfer that did not complete: no connection, a time-out, a refused certificate,
// an answer other than 200, a body cut short or larger than allowed, or a cancel.
class HttpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the server said about a downloaded file.
struct HttpFileInfo {
    std::string contenttype;
    std::string disposition; // Content-Disposition, empty when absent
};

// Plain GETs from one server (scheme, host, optional port). Redirects are not followed
// and no cookies are kept. Every call makes its own connection, so calls may run on
// any thread, also at the same time.
class HttpClient {
public:
    // Bytes of a download: one more piece of the body. Return false to cancel.
    using Receiver = std::function<bool(const char* data, std::size_t size)>;
    // Bytes done so far and the announced total (0 when the server announced none).
    using Progress = std::function<void(int64_t done, int64_t total)>;

    virtual ~HttpClient() = default;

    // The server's host name, for the User-Agent texts.
    virtual std::string host() const = 0;
    // The body of a 200 answer to GET `path`, at most `limit` bytes. Throws HttpError.
    virtual std::string gettext(const std::string& path, const std::string& useragent,
                                std::size_t limit) = 0;
    // Streams the body of a 200 answer to GET `path` into `receive`, at most `limit`
    // bytes; a body shorter than its announced length fails. Throws HttpError.
    virtual HttpFileInfo download(const std::string& path, const std::string& useragent,
                                  std::size_t limit, const Receiver& receive,
                                  const Progress& progress) = 0;
};

// The host name in a server address "scheme://host[:port]".
inline std::string serverhost(const std::string& url) {
    return QUrl(QString::fromStdString(url)).host().toStdString();
}
