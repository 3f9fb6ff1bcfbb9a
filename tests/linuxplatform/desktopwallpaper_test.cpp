#include "linuxplatform/desktopcanvas.h"
#include "linuxplatform/desktopcommand.h"
#include "linuxplatform/desktopwallpaper.h"
#include "linuxplatform/desktopx11.h"
#include "support/privatexserver.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

// Last: Xlib's macros would spoil the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {
// Answers each command from a script and remembers the command lines.
class RecordingRunner : public CommandRunner {
public:
    QStringList lines;
    std::deque<CommandResult> answers;

    CommandResult run(const QString& program, const QStringList& args) override {
        lines << (QStringList{program} + args).join(' ');
        if (answers.empty()) return ok();
        CommandResult r = answers.front();
        answers.pop_front();
        return r;
    }
    static CommandResult ok(const QString& output = {}) {
        CommandResult r;
        r.started = true;
        r.exitcode = 0;
        r.output = output;
        return r;
    }
    static CommandResult failed(const QString& errors) {
        CommandResult r;
        r.started = true;
        r.exitcode = 1;
        r.errors = errors;
        return r;
    }
};

DesktopSession session(const char* current, const char* name = "", bool x11 = true) {
    return DesktopSession{QString::fromLatin1(current), QString::fromLatin1(name), x11};
}
} // namespace

TEST(WallpaperBackendChoice, FollowsTheSessionsDesktop) {
    EXPECT_EQ(choosewallpaperbackend(session("GNOME")), WallpaperBackend::Gnome);
    EXPECT_EQ(choosewallpaperbackend(session("ubuntu:GNOME")), WallpaperBackend::Gnome);
    EXPECT_EQ(choosewallpaperbackend(session("Budgie:GNOME")), WallpaperBackend::Gnome);
    EXPECT_EQ(choosewallpaperbackend(session("X-Cinnamon")), WallpaperBackend::Cinnamon);
    EXPECT_EQ(choosewallpaperbackend(session("MATE")), WallpaperBackend::Mate);
    EXPECT_EQ(choosewallpaperbackend(session("XFCE")), WallpaperBackend::Xfce);
    EXPECT_EQ(choosewallpaperbackend(session("", "xfce")), WallpaperBackend::Xfce)
        << "the session name counts when the desktop is not named";
    EXPECT_EQ(choosewallpaperbackend(session("", "openbox")), WallpaperBackend::X11Root);
    EXPECT_EQ(choosewallpaperbackend(session("LXQt")), WallpaperBackend::X11Root);
    EXPECT_EQ(choosewallpaperbackend(session("KDE", "", false)), WallpaperBackend::Unavailable);
}

TEST(WallpaperBackendChoice, NoDesktopRefuses) {
    RecordingRunner runner;
    EXPECT_THROW(makedesktopwallpaper(WallpaperBackend::Unavailable, runner)
                     ->apply("/pics/w.bmp", WallpaperPlacement::Centered),
                 std::runtime_error);
    EXPECT_TRUE(runner.lines.isEmpty());
}

TEST(GsettingsWallpaper, SetsTheLayoutBeforeThePicture) {
    const struct {
        WallpaperPlacement placement;
        const char* option;
    } cases[] = {{WallpaperPlacement::Centered, "centered"},
                 {WallpaperPlacement::Tiled, "wallpaper"},
                 {WallpaperPlacement::Stretched, "stretched"}};
    for (const auto& c : cases) {
        RecordingRunner runner;
        GsettingsWallpaper(runner, GsettingsWallpaper::gnome)
            .apply("/pics/Chimelet Background.bmp", c.placement);
        const QString uri = "file:///pics/Chimelet%20Background.bmp";
        EXPECT_EQ(
            runner.lines,
            (QStringList{
                QStringLiteral("gsettings set org.gnome.desktop.background picture-options ") +
                    c.option,
                "gsettings set org.gnome.desktop.background picture-uri " + uri,
                "gsettings set org.gnome.desktop.background picture-uri-dark " + uri}));
    }
    RecordingRunner mate;
    GsettingsWallpaper(mate, GsettingsWallpaper::mate).apply("/p/w.bmp", WallpaperPlacement::Tiled);
    EXPECT_EQ(mate.lines.last(), "gsettings set org.mate.background picture-filename /p/w.bmp")
        << "MATE takes a plain path";
}

TEST(GsettingsWallpaper, ARefusedLayoutLeavesThePictureAlone) {
    RecordingRunner runner;
    runner.answers = {RecordingRunner::failed("No such schema")};
    try {
        GsettingsWallpaper(runner, GsettingsWallpaper::gnome)
            .apply("/p/w.bmp", WallpaperPlacement::Centered);
        ADD_FAILURE() << "refusal not raised";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("No such schema"), std::string::npos);
    }
    EXPECT_EQ(runner.lines.size(), 1);

    // A release without the dark-style key still gets its wallpaper.
    RecordingRunner older;
    older.answers = {RecordingRunner::ok(), RecordingRunner::ok(),
                     RecordingRunner::failed("No such key")};
    EXPECT_NO_THROW(GsettingsWallpaper(older, GsettingsWallpaper::gnome)
                        .apply("/p/w.bmp", WallpaperPlacement::Centered));
}

TEST(XfceWallpaper, EveryBackdropGetsStyleThenPicture) {
    RecordingRunner runner;
    runner.answers = {RecordingRunner::ok("/backdrop/screen0/monitorHDMI-1/workspace0/color-style\n"
                                          "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                                          "/backdrop/screen0/monitor0/workspace1/last-image\n"
                                          "/desktop-icons/style\n")};
    XfceWallpaper(runner).apply("/p/w.bmp", WallpaperPlacement::Stretched);
    const QString set = "xfconf-query -c xfce4-desktop -p ";
    EXPECT_EQ(
        runner.lines,
        (QStringList{"xfconf-query -c xfce4-desktop -l",
                     set + "/backdrop/screen0/monitorHDMI-1/workspace0/image-style -n -t int -s 3",
                     set + "/backdrop/screen0/monitorHDMI-1/workspace0/last-image -n -t string -s "
                           "/p/w.bmp",
                     set + "/backdrop/screen0/monitor0/workspace1/image-style -n -t int -s 3",
                     set + "/backdrop/screen0/monitor0/workspace1/last-image -n -t string -s "
                           "/p/w.bmp"}));

    RecordingRunner fresh; // nothing configured yet: the first monitor is created
    XfceWallpaper(fresh).apply("/p/w.bmp", WallpaperPlacement::Centered);
    EXPECT_EQ(fresh.lines.value(1),
              set + "/backdrop/screen0/monitor0/workspace0/image-style -n -t int -s 1");

    RecordingRunner broken;
    broken.answers = {RecordingRunner::failed("Channel not found")};
    EXPECT_THROW(XfceWallpaper(broken).apply("/p/w.bmp", WallpaperPlacement::Tiled),
                 std::runtime_error);
    EXPECT_EQ(broken.lines.size(), 1);
}

TEST(ProcessRunner, ReportsOutputExitCodeAndFailures) {
    ProcessRunner runner(2000);
    CommandResult r = runner.run("sh", {"-c", "echo hello; echo oops >&2; exit 3"});
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.exitcode, 3);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.output, "hello\n");
    EXPECT_EQ(r.errors, "oops\n");

    EXPECT_FALSE(runner.run("/nonexistent/tool", {}).started);

    ProcessRunner impatient(200);
    r = impatient.run("sleep", {"10"});
    EXPECT_FALSE(r.ok()) << "a hanging helper counts as failed";
}

TEST(WallpaperCanvas, LaysThePictureOutOnTheScreen) {
    QImage pic(4, 2, QImage::Format_RGB32);
    pic.fill(Qt::red);
    pic.setPixel(0, 0, qRgb(0, 0, 255));

    const QImage centred = composewallpaper(pic, QSize(10, 6), WallpaperPlacement::Centered);
    EXPECT_EQ(centred.size(), QSize(10, 6));
    EXPECT_EQ(centred.pixel(3, 2), qRgb(0, 0, 255));
    EXPECT_EQ(centred.pixel(6, 3), qRgb(255, 0, 0));
    EXPECT_EQ(centred.pixel(0, 0), qRgb(0, 0, 0));

    const QImage tiled = composewallpaper(pic, QSize(10, 6), WallpaperPlacement::Tiled);
    EXPECT_EQ(tiled.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(tiled.pixel(4, 2), qRgb(0, 0, 255));
    EXPECT_EQ(tiled.pixel(8, 4), qRgb(0, 0, 255));
    EXPECT_EQ(tiled.pixel(9, 5), qRgb(255, 0, 0));

    QImage half(2, 1, QImage::Format_RGB32);
    half.setPixel(0, 0, qRgb(0, 255, 0));
    half.setPixel(1, 0, qRgb(255, 255, 0));
    const QImage stretched = composewallpaper(half, QSize(100, 50), WallpaperPlacement::Stretched);
    EXPECT_EQ(stretched.pixel(10, 45), qRgb(0, 255, 0));
    EXPECT_EQ(stretched.pixel(90, 5), qRgb(255, 255, 0));
}

namespace {
QRgb rootpixel(Display* d, int x, int y) {
    XImage* img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long p = XGetPixel(img, 0, 0);
    XDestroyImage(img);
    return qRgb(int((p >> 16) & 0xff), int((p >> 8) & 0xff), int(p & 0xff));
}
} // namespace

TEST(X11RootWallpaper, PaintsTheRootWindowAndAnnouncesThePixmap) {
    PrivateXServer server;
    if (server.display().isEmpty()) GTEST_SKIP() << "no Xvfb to paint on";
    QTemporaryDir dir;
    const QString bmp = dir.filePath("w.bmp");
    QImage pic(40, 20, QImage::Format_RGB32);
    pic.fill(qRgb(10, 200, 30));
    ASSERT_TRUE(pic.save(bmp, "BMP"));

    X11RootWallpaper painter(server.display());
    painter.apply(bmp, WallpaperPlacement::Centered);

    const QByteArray name = server.display().toLatin1();
    Display* d = XOpenDisplay(name.constData());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(rootpixel(d, 160, 100), qRgb(10, 200, 30));
    EXPECT_EQ(rootpixel(d, 5, 5), qRgb(0, 0, 0));
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_XROOTPMAP_ID", False), 0, 1, False,
                       XA_PIXMAP, &type, &format, &items, &after, &data);
    EXPECT_EQ(items, 1u);
    if (data) XFree(data);
    XCloseDisplay(d);

    // The second picture replaces the first, whose pixmap is freed on the way.
    pic.fill(qRgb(200, 0, 100));
    ASSERT_TRUE(pic.save(bmp, "BMP"));
    painter.apply(bmp, WallpaperPlacement::Stretched);
    d = XOpenDisplay(name.constData());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(rootpixel(d, 5, 5), qRgb(200, 0, 100));
    XCloseDisplay(d);

    EXPECT_THROW(painter.apply(dir.filePath("missing.bmp"), WallpaperPlacement::Tiled),
                 std::runtime_error);
    EXPECT_THROW(X11RootWallpaper(":98765").apply(bmp, WallpaperPlacement::Tiled),
                 std::runtime_error);
}
