#pragma once

// What the desktop probes share: they run a real program part on an X server with a window
// manager and a compositor, and read back what the server keeps and what the screen shows.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRegion>
#include <QTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <optional>

namespace probe {

// The probes report every check on its own line and carry on, so one run shows all that is
// wrong; the count decides the exit status.
inline int failures = 0;

inline void check(bool ok, const char *what)
{
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    std::fflush(stdout);
    if (!ok)
        ++failures;
}

inline void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename F>
bool waitFor(F condition, int ms = 5000, int step = 10)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        pause(step);
    }
    return true;
}

// The window's bounding shape as the server keeps it, and how many rectangles it keeps it in.
inline QRegion xShape(Display *dpy, Window w, int *count = nullptr)
{
    int n = 0, ordering = 0;
    XRectangle *rects = XShapeGetRectangles(dpy, w, ShapeBounding, &n, &ordering);
    QRegion region;
    for (int i = 0; i < n; ++i)
        region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    if (rects)
        XFree(rects);
    if (count)
        *count = n;
    return region;
}

inline std::optional<quint32> opacityProperty(Display *dpy, Window w)
{
    const Atom atom = XInternAtom(dpy, "_NET_WM_WINDOW_OPACITY", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    std::optional<quint32> value;
    if (XGetWindowProperty(dpy, w, atom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                           &data) == Success &&
        type == XA_CARDINAL && format == 32 && items == 1)
        value = quint32(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return value;
}

inline QPoint rootPosition(Display *dpy, Window w)
{
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return {x, y};
}

// A plain coloured desktop. The compositor paints the root window from the pixmap named by
// these properties, not from the root's background colour.
inline void colourTheDesktop(Display *dpy, QRgb colour)
{
    const Window rootWin = DefaultRootWindow(dpy);
    const int screen = DefaultScreen(dpy);
    const int w = DisplayWidth(dpy, screen), h = DisplayHeight(dpy, screen);
    const Pixmap pixmap = XCreatePixmap(dpy, rootWin, w, h, DefaultDepth(dpy, screen));
    XGCValues values;
    values.foreground = colour & 0xFFFFFF; // TrueColor, 24 bits
    const GC gc = XCreateGC(dpy, pixmap, GCForeground, &values);
    XFillRectangle(dpy, pixmap, gc, 0, 0, w, h);
    XFreeGC(dpy, gc);
    for (const char *name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID", "_XSETROOT_ID"}) {
        const Atom atom = XInternAtom(dpy, name, False);
        XChangeProperty(dpy, rootWin, atom, XA_PIXMAP, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char *>(&pixmap), 1);
    }
    XSetWindowBackgroundPixmap(dpy, rootWin, pixmap);
    XClearWindow(dpy, rootWin);
    XSync(dpy, False);
}

inline QImage screenshot(const QString &path)
{
    QProcess::execute(QStringLiteral("import"), {"-window", "root", path});
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

inline bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance &&
           qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace probe
