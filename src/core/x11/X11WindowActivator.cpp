#include "X11WindowActivator.h"

#include <QList>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// A window may close between being listed and being asked for its name; that costs the
// window, never the program, whose default handler would end it.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

class Connection {
public:
    Connection()
        : m_display(XOpenDisplay(nullptr))
    {
        if (m_display)
            m_previous = XSetErrorHandler(ignoreErrors);
    }
    ~Connection()
    {
        if (!m_display)
            return;
        XSync(m_display, False);
        XSetErrorHandler(m_previous);
        XCloseDisplay(m_display);
    }
    Display *display() const { return m_display; }

private:
    Display *m_display;
    XErrorHandler m_previous = nullptr;
};

// The whole of a property, or nothing when the window has none of that type.
QByteArray property(Display *display, Window window, Atom name, Atom type, int *format = nullptr)
{
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, name, 0, 1 << 20, False, type, &actualType,
                           &actualFormat, &count, &after, &data) != Success ||
        !data)
        return {};
    QByteArray bytes;
    if (type == AnyPropertyType || actualType == type) {
        // Xlib hands 32-bit items over as longs.
        const int itemSize = actualFormat == 32 ? int(sizeof(long)) : actualFormat / 8;
        bytes = QByteArray(reinterpret_cast<const char *>(data), int(count) * itemSize);
    }
    if (format)
        *format = actualFormat;
    XFree(data);
    return bytes;
}

QString titleOf(Display *display, Window window)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const QByteArray netName =
        property(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8);
    if (!netName.isEmpty())
        return QString::fromUtf8(netName);
    // WM_NAME is Latin-1 when it is a STRING; other encodings are read as UTF-8, which is
    // right for their ASCII part at least.
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, XA_WM_NAME, 0, 1 << 20, False, AnyPropertyType,
                           &actualType, &format, &count, &after, &data) != Success ||
        !data)
        return {};
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(count));
    XFree(data);
    return actualType == XA_STRING ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
}

// The clients the window manager lists, in the order it lists them.
QList<Window> clients(Display *display)
{
    const QByteArray list = property(display, DefaultRootWindow(display),
                                     XInternAtom(display, "_NET_CLIENT_LIST", False), XA_WINDOW);
    QList<Window> windows;
    for (int i = 0; i + int(sizeof(long)) <= list.size(); i += int(sizeof(long)))
        windows.append(*reinterpret_cast<const unsigned long *>(list.constData() + i));
    return windows;
}

qint64 processOf(Display *display, Window window)
{
    const QByteArray pid =
        property(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL);
    return pid.size() >= int(sizeof(long)) ? *reinterpret_cast<const long *>(pid.constData()) : -1;
}

void requestActivation(Display *display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // the request comes from a pager, that is, from the user
    event.xclient.data.l[1] = CurrentTime;
    event.xclient.data.l[2] = 0;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

} // namespace

bool X11WindowActivator::activate(const QString &title)
{
    Connection connection;
    Display *display = connection.display();
    if (!display)
        return false;
    const QList<Window> windows = clients(display);
    QStringList titles;
    for (Window window : windows)
        titles.append(titleOf(display, window));
    const int match = bestMatch(titles, title);
    if (match < 0)
        return false;
    requestActivation(display, windows[match]);
    return true;
}

bool X11WindowActivator::activateProcess(qint64 processId)
{
    Connection connection;
    Display *display = connection.display();
    if (!display || processId <= 0)
        return false;
    for (Window window : clients(display)) {
        if (processOf(display, window) == processId) {
            requestActivation(display, window);
            return true;
        }
    }
    return false;
}
