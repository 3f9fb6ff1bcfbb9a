#include "update/updatecheck.h"

#include "store/integertext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstdio>
#include <limits>

namespace {

constexpr const char* kReleasePath = "/chimelet/update/cur.dat";
constexpr const char* kNewsPath = "/chimelet/update/niw.dat";
constexpr const char* kInstallerPath = "/chimelet/update/ud.exe";

// Both texts are a few bytes; anything longer is not ours.
constexpr std::size_t kTextLimit = std::size_t{64} * 1024;
constexpr std::size_t kInstallerLimit = std::size_t(1) << 30;

std::string agent(HttpClient& http, const char* prefix) {
    return prefix + http.host();
}

// Any failure gives an empty text.
QString fetch(HttpClient& http, const char* path, const char* agentprefix) {
    try {
        return QString::fromUtf8(http.gettext(path, agent(http, agentprefix), kTextLimit))
            .toLower();
    } catch (const HttpError&) {
        return {};
    }
}

} // namespace

UpdateCheck checkforupdates(HttpClient& http) {
    const QString text = fetch(http, kReleasePath, "Chimelet Updater: ");
    if (text.isEmpty()) return UpdateCheck::NoConnection;
    const int32_t newest = strtoint(text.toStdString());
    return newest > kReleaseNumber ? UpdateCheck::Available : UpdateCheck::NoUpdates;
}

QString releasenews(HttpClient& http) {
    return fetch(http, kNewsPath, "Chimelet Updater from ");
}

int64_t percentof(int64_t total, int64_t done) {
    if (total <= 0 || done <= 0) return 0;
    // Scaling the total first would lose precision and show a finished download as 99.
    const __int128 percent = static_cast<__int128>(done) * 100 / total;
    return percent > INT64_MAX ? 0 : static_cast<int64_t>(percent);
}

QString installername(const HttpFileInfo& info) {
    static const QRegularExpression filename(QStringLiteral("filename\\s*=\\s*\"?([^\";]*)"));
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]{1,16}$"));
    const QString disposition = QString::fromUtf8(info.disposition);
    QString suffix = QFileInfo(filename.match(disposition).captured(1).trimmed()).suffix();
    if (!plain.match(suffix).hasMatch()) {
        const QString type = QString::fromUtf8(info.contenttype).section(';', 0, 0).trimmed();
        suffix = QMimeDatabase().mimeTypeForName(type).preferredSuffix();
    }
    const QString name = QStringLiteral("chimelet-update");
    return plain.match(suffix).hasMatch() ? name + '.' + suffix : name;
}

bool downloadinstaller(HttpClient& http, const QString& folder,
                       const HttpClient::Progress& progress, const std::atomic<bool>& cancel,
                       QString& saved) {
    // No writable folder for the program's files: nowhere to put the download either.
    if (folder.isEmpty()) return false;
    QTemporaryFile part(QDir(folder).filePath(QStringLiteral("chimelet-update-XXXXXX.part")));
    if (!part.open()) return false;
    try {
        const HttpFileInfo info = http.download(
            kInstallerPath, agent(http, "Chimelet Updater: "), kInstallerLimit,
            [&](const char* data, std::size_t size) {
                return !cancel && part.write(data, qint64(size)) == qint64(size);
            },
            progress);
        if (!part.flush()) return false;
        const QString target = QDir(folder).filePath(installername(info));
        // Replaces an older download of the same name in one step.
        if (std::rename(QFile::encodeName(part.fileName()).constData(),
                        QFile::encodeName(target).constData()) != 0)
            return false;
        part.setAutoRemove(false);
        saved = target;
        return true;
    } catch (const HttpError&) {
        return false;
    }
}
