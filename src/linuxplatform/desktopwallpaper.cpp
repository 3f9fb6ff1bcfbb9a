#include "linuxplatform/desktopwallpaper.h"

#include "linuxplatform/desktopcommand.h"
#include "linuxplatform/desktopx11.h"

#include <QFileInfo>
#include <QUrl>

#include <stdexcept>

DesktopSession DesktopSession::fromenvironment() {
    DesktopSession s;
    s.currentdesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    s.sessionname = qEnvironmentVariable("DESKTOP_SESSION");
    s.x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    return s;
}

WallpaperBackend choosewallpaperbackend(const DesktopSession& session) {
    // XDG_CURRENT_DESKTOP is a colon-separated list, most specific first.
    QStringList names = session.currentdesktop.toLower().split(u':', Qt::SkipEmptyParts);
    names << session.sessionname.toLower();
    for (const QString& n : names) {
        if (n == u"gnome" || n == u"ubuntu" || n == u"unity" || n == u"budgie" ||
            n == u"budgie-desktop" || n == u"pantheon" || n == u"gnome-classic" ||
            n == u"gnome-flashback")
            return WallpaperBackend::Gnome;
        if (n == u"x-cinnamon" || n == u"cinnamon") return WallpaperBackend::Cinnamon;
        if (n == u"mate") return WallpaperBackend::Mate;
        if (n == u"xfce" || n == u"xfce4" || n == u"xubuntu") return WallpaperBackend::Xfce;
    }
    return session.x11 ? WallpaperBackend::X11Root : WallpaperBackend::Unavailable;
}

namespace {
class NoDesktopWallpaper : public DesktopWallpaper {
public:
    void apply(const QString&, WallpaperPlacement) override {
        throw std::runtime_error("No desktop to set the wallpaper on");
    }
};

void mustsucceed(const CommandResult& r, const QString& what) {
    if (r.ok()) return;
    QString text = r.errors.trimmed();
    if (text.isEmpty()) text = QStringLiteral("exit code %1").arg(r.exitcode);
    throw std::runtime_error((what + QStringLiteral(": ") + text).toStdString());
}

const char* gsettingsoption(WallpaperPlacement p) {
    switch (p) {
    case WallpaperPlacement::Tiled:
        return "wallpaper";
    case WallpaperPlacement::Stretched:
        return "stretched";
    case WallpaperPlacement::Centered:
        break;
    }
    return "centered";
}

int xfcestyle(WallpaperPlacement p) {
    switch (p) {
    case WallpaperPlacement::Tiled:
        return 2;
    case WallpaperPlacement::Stretched:
        return 3;
    case WallpaperPlacement::Centered:
        break;
    }
    return 1;
}
} // namespace

std::unique_ptr<DesktopWallpaper> makedesktopwallpaper(WallpaperBackend backend,
                                                       CommandRunner& runner) {
    switch (backend) {
    case WallpaperBackend::Gnome:
        return std::make_unique<GsettingsWallpaper>(runner, GsettingsWallpaper::gnome);
    case WallpaperBackend::Cinnamon:
        return std::make_unique<GsettingsWallpaper>(runner, GsettingsWallpaper::cinnamon);
    case WallpaperBackend::Mate:
        return std::make_unique<GsettingsWallpaper>(runner, GsettingsWallpaper::mate);
    case WallpaperBackend::Xfce:
        return std::make_unique<XfceWallpaper>(runner);
    case WallpaperBackend::X11Root:
        return std::make_unique<X11RootWallpaper>();
    case WallpaperBackend::Unavailable:
        break;
    }
    return std::make_unique<NoDesktopWallpaper>();
}

const GsettingsWallpaper::Keys GsettingsWallpaper::gnome{"org.gnome.desktop.background",
                                                         "picture-uri", true, "picture-uri-dark"};
const GsettingsWallpaper::Keys GsettingsWallpaper::cinnamon{"org.cinnamon.desktop.background",
                                                            "picture-uri", true, ""};
const GsettingsWallpaper::Keys GsettingsWallpaper::mate{"org.mate.background", "picture-filename",
                                                        false, ""};

void GsettingsWallpaper::apply(const QString& bitmap, WallpaperPlacement placement) {
    const QString schema = QString::fromLatin1(keys_.schema);
    const QString path = QFileInfo(bitmap).absoluteFilePath();
    const QString location =
        keys_.uri ? QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) : path;
    mustsucceed(runner_.run(QStringLiteral("gsettings"),
                            {QStringLiteral("set"), schema, QStringLiteral("picture-options"),
                             QString::fromLatin1(gsettingsoption(placement))}),
                QStringLiteral("gsettings"));
    mustsucceed(
        runner_.run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema,
                                                  QString::fromLatin1(keys_.picturekey), location}),
        QStringLiteral("gsettings"));
    // Older releases have no dark-style key; the light one is what counts.
    if (*keys_.darkkey)
        runner_.run(QStringLiteral("gsettings"),
                    {QStringLiteral("set"), schema, QString::fromLatin1(keys_.darkkey), location});
}

void XfceWallpaper::apply(const QString& bitmap, WallpaperPlacement placement) {
    const QString xfconf = QStringLiteral("xfconf-query");
    const QString channel = QStringLiteral("xfce4-desktop");
    const CommandResult list =
        runner_.run(xfconf, {QStringLiteral("-c"), channel, QStringLiteral("-l")});
    mustsucceed(list, xfconf);

    // Every monitor and workspace has its own backdrop; all of them get the picture.
    QStringList images;
    for (const QString& line : list.output.split(u'\n', Qt::SkipEmptyParts)) {
        const QString property = line.trimmed();
        if (property.startsWith(u"/backdrop/") && property.endsWith(u"/last-image"))
            images << property;
    }
    if (images.isEmpty())
        images << QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image");

    const QString path = QFileInfo(bitmap).absoluteFilePath();
    for (const QString& image : images) {
        const QString base = image.chopped(int(qstrlen("/last-image")));
        mustsucceed(
            runner_.run(xfconf, {QStringLiteral("-c"), channel, QStringLiteral("-p"),
                                 base + QStringLiteral("/image-style"), QStringLiteral("-n"),
                                 QStringLiteral("-t"), QStringLiteral("int"), QStringLiteral("-s"),
                                 QString::number(xfcestyle(placement))}),
            xfconf);
        mustsucceed(runner_.run(xfconf, {QStringLiteral("-c"), channel, QStringLiteral("-p"), image,
                                         QStringLiteral("-n"), QStringLiteral("-t"),
                                         QStringLiteral("string"), QStringLiteral("-s"), path}),
                    xfconf);
    }
}

SystemDesktopWallpaper::SystemDesktopWallpaper() : runner_(std::make_unique<ProcessRunner>()) {}
SystemDesktopWallpaper::~SystemDesktopWallpaper() = default;

void SystemDesktopWallpaper::apply(const QString& bitmap, WallpaperPlacement placement) {
    if (!chosen_)
        chosen_ = makedesktopwallpaper(choosewallpaperbackend(DesktopSession::fromenvironment()),
                                       *runner_);
    chosen_->apply(bitmap, placement);
}
