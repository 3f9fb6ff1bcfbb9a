#include "linuxplatform/desktopx11.h"

#include "linuxplatform/desktopcanvas.h"

#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <stdexcept>

namespace {
struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// The pixmap id stored in a root property, or None.
Pixmap rootpixmap(Display* dpy, Window root, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    Pixmap result = None;
    if (XGetWindowProperty(dpy, root, property, 0, 1, False, AnyPropertyType, &type, &format,
                           &items, &after, &data) == Success &&
        type == XA_PIXMAP && format == 32 && items == 1 && data)
        result = *reinterpret_cast<Pixmap*>(data);
    if (data) XFree(data);
    return result;
}

// Xlib's default error handler ends the process; a refused request here only means
// the wallpaper is not changed.
int xerrors = 0;
int counterror(Display*, XErrorEvent*) {
    ++xerrors;
    return 0;
}

class ErrorGuard {
public:
    ErrorGuard() : previous_(XSetErrorHandler(counterror)) { xerrors = 0; }
    ~ErrorGuard() { XSetErrorHandler(previous_); }

private:
    XErrorHandler previous_;
};
} // namespace

void X11RootWallpaper::apply(const QString& bitmap, WallpaperPlacement placement) {
    QImage picture(bitmap);
    if (picture.isNull()) throw std::runtime_error("Cannot read the wallpaper bitmap");

    const QByteArray name = display_.toLocal8Bit();
    DisplayPtr dpy(XOpenDisplay(display_.isEmpty() ? nullptr : name.constData()));
    if (!dpy) throw std::runtime_error("No X display to paint the wallpaper on");
    Display* d = dpy.get();
    ErrorGuard guard;
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    const int width = DisplayWidth(d, screen), height = DisplayHeight(d, screen);
    const int depth = DefaultDepth(d, screen);
    Visual* visual = DefaultVisual(d, screen);
    if (depth < 24 || visual->red_mask != 0xff0000 || visual->green_mask != 0x00ff00 ||
        visual->blue_mask != 0x0000ff)
        throw std::runtime_error("The X display's colour format is not supported");

    QImage canvas = composewallpaper(picture, QSize(width, height), placement)
                        .convertToFormat(QImage::Format_RGB32);

    // The pixmap outlives this connection; the next painter frees it by killing its
    // retained client, as the root pixmap convention asks.
    XSetCloseDownMode(d, RetainPermanent);
    const Pixmap pixmap = XCreatePixmap(d, root, width, height, depth);
    XImage* image =
        XCreateImage(d, visual, depth, ZPixmap, 0, reinterpret_cast<char*>(canvas.bits()), width,
                     height, 32, int(canvas.bytesPerLine()));
    if (!image) {
        XFreePixmap(d, pixmap);
        throw std::runtime_error("Cannot prepare the wallpaper image");
    }
    // QImage's RGB32 pixels are words in this machine's byte order.
    image->byte_order = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? LSBFirst : MSBFirst;
    const GC gc = XCreateGC(d, pixmap, 0, nullptr);
    XPutImage(d, pixmap, gc, image, 0, 0, 0, 0, width, height);
    XFreeGC(d, gc);
    image->data = nullptr; // owned by the QImage
    XDestroyImage(image);

    const Atom rootid = XInternAtom(d, "_XROOTPMAP_ID", False);
    const Atom esetroot = XInternAtom(d, "ESETROOT_PMAP_ID", False);
    const Pixmap old = rootpixmap(d, root, rootid);
    if (old != None && old == rootpixmap(d, root, esetroot)) XKillClient(d, old);

    XChangeProperty(d, root, rootid, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XChangeProperty(d, root, esetroot, XA_PIXMAP, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pixmap), 1);
    XSetWindowBackgroundPixmap(d, root, pixmap);
    XClearWindow(d, root);
    XSync(d, False);
    if (xerrors) throw std::runtime_error("The X display refused the wallpaper");
}
