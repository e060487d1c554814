// The program's tray icon on a real X desktop with an XEmbed tray (run by tray-desktop.sh):
// the icon docks into the tray, shows the ear while the character listens and the head again
// after, and a right click on it opens the menu, which is photographed beside the tray.
//   tray_probe <screenshot.png>
#include "AboutWindow.h"
#include "BubbleWindow.h"
#include "CharacterWindow.h"
#include "FakeServices.h"
#include "MenuState.h"
#include "Program.h"
#include "QtTrayIcon.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"
#include "WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    std::fflush(nullptr);
    std::_Exit(1);
}

void ok(const QString &what)
{
    std::printf("ok: %s\n", qPrintable(what));
    std::fflush(stdout);
}

void settle(int ms)
{
    waitFor([] { return false; }, ms);
}

void run(const QString &program, const QStringList &arguments)
{
    if (QProcess::execute(program, arguments) != 0)
        fail(program + ' ' + arguments.join(' ') + " failed");
}

// The window of the docked icon: the tray docks a top-level widget of Qt's own.
WId dockedWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0 &&
            widget->testAttribute(Qt::WA_WState_Created))
            return widget->winId();
    }
    return 0;
}

// The nearest window above `window` that has a WM_CLASS: once docked, the tray's.
struct Holder {
    QString windowClass;
    QRect onScreen;
};

Holder embeddingWindow(Display *display, Window window)
{
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return {};
        if (children)
            XFree(children);
        if (!parent || parent == root)
            return {};
        XClassHint hint{};
        if (XGetClassHint(display, parent, &hint)) {
            Holder holder;
            holder.windowClass = QString::fromLatin1(hint.res_class);
            XFree(hint.res_name);
            XFree(hint.res_class);
            XWindowAttributes attributes{};
            int x = 0, y = 0;
            Window child = 0;
            if (XGetWindowAttributes(display, parent, &attributes) &&
                XTranslateCoordinates(display, parent, root, 0, 0, &x, &y, &child))
                holder.onScreen = QRect(x, y, attributes.width, attributes.height);
            return holder;
        }
        window = parent;
    }
}

QImage grab(const QRect &area)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 2)
        fail("usage: tray_probe <screenshot.png>");
    const QString shot = QString::fromLocal8Bit(argv[1]);

    if (!waitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }))
        fail("no tray is running on the display");

    TempAppFolder folder;
    folder.writeCommandList();
    FakeServices fakes;
    RecordingDialogs dialogs;
    Program::Services services = fakes.make();
    auto real = std::make_unique<QtTrayIcon>();
    QtTrayIcon *tray = real.get();
    services.tray = std::move(real);
    fakes.tray = nullptr;
    Program program(folder.paths(), std::move(services), dialogs);
    QStringList notices;
    program.about().setNotice([&notices](const QString &text) { notices.append(text); });
    if (!program.start())
        fail("the program did not start");
    program.character().move(200, 300);
    if (!notices.isEmpty())
        fail("told of no tray although one runs: " + notices.join(' '));

    // Docked: the icon has a place on the screen and its window sits inside the tray's.
    QSystemTrayIcon *icon = tray->systemTrayIcon();
    if (!waitFor([&] {
            const QRect g = icon->geometry();
            return g.isValid() && g.width() >= 16 && dockedWindow() != 0;
        }))
        fail("the icon did not dock");
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        fail("cannot open the display");
    // The tray places the icon after it has taken it in: wait for a place inside the tray that
    // holds still.
    Holder holder;
    QRect last;
    int still = 0;
    waitFor([&] {
        holder = embeddingWindow(display, dockedWindow());
        const QRect now = icon->geometry();
        still = now == last ? still + 1 : 0;
        last = now;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return holder.windowClass.compare("trayer", Qt::CaseInsensitive) == 0 &&
               holder.onScreen.contains(now) && still >= 5;
    });
    if (holder.windowClass.compare("trayer", Qt::CaseInsensitive) != 0)
        fail("the icon's window is not inside the tray but in \"" + holder.windowClass + "\"");
    if (!holder.onScreen.contains(icon->geometry()))
        fail("the icon is not placed inside the tray");
    const QRect area = icon->geometry();
    ok(QStringLiteral("docked into %1 at %2,%3 %4x%5")
           .arg(holder.windowClass)
           .arg(area.x())
           .arg(area.y())
           .arg(area.width())
           .arg(area.height()));

    // The head, then the ear while the character listens, then the head again.
    settle(400);
    if (tray->picture() != "normalico" || tray->tip() != "Animated TrayIcon")
        fail("before listening the icon shows " + tray->picture() + " / " + tray->tip());
    const QImage head = grab(area);
    program.character().listen = -1;
    if (!waitFor([&] { return tray->picture().startsWith('l'); }, 2000))
        fail("the ear did not come while listening");
    QStringList seen;
    waitFor(
        [&] {
            if (!seen.contains(tray->picture()))
                seen.append(tray->picture());
            return seen.size() == 3;
        },
        3000);
    if (seen.size() != 3)
        fail("the ear showed only " + seen.join(' '));
    settle(60);
    const QImage ear = grab(area);
    // What the tray showed, for a person to look at beside the screenshot.
    head.save(QString(shot).replace(".png", "-head.png"));
    ear.save(QString(shot).replace(".png", "-ear.png"));
    const int earChange = differingPixels(head, ear);
    if (earChange < area.width() * area.height() / 8)
        fail(QStringLiteral("the tray shows almost the same while listening (%1 pixels)")
                 .arg(earChange));
    ok(QStringLiteral("listening shows %1 in turn; %2 pixels of the tray changed")
           .arg(seen.join(", "))
           .arg(earChange));
    program.character().listen = 0;
    if (!waitFor([&] { return tray->picture() == "normalico"; }, 1000))
        fail("the head did not come back");
    settle(300);
    const int headChange = differingPixels(head, grab(area));
    if (headChange > area.width() * area.height() / 50)
        fail(QStringLiteral("the head came back looking different (%1 pixels)").arg(headChange));
    ok("the head is back after listening");

    // A right click on the icon opens the menu at the pointer.
    QMenu *menu = program.menu().menue();
    const QPoint centre = area.center();
    run("xdotool",
        {"mousemove", QString::number(centre.x()), QString::number(centre.y()), "click", "3"});
    if (!waitFor([&] { return menu->isVisible() && QApplication::activePopupWidget() == menu; }))
        fail("a right click on the icon did not open the menu");
    settle(300);
    const QRect menuArea = menu->geometry();
    // Kept on the screen, it may open to the pointer's left, but not away from it.
    if (!menuArea.adjusted(-4, -4, 4, 4).contains(centre) &&
        !menuArea.adjusted(-40, -40, 40, 40).contains(centre))
        fail("the menu opened away from the pointer");
    const QRect photo = menuArea.united(area)
                            .adjusted(-24, -8, 24, 24)
                            .intersected(QGuiApplication::primaryScreen()->geometry());
    run("import", {"-window", "root", "-crop",
                   QStringLiteral("%1x%2+%3+%4")
                       .arg(photo.width())
                       .arg(photo.height())
                       .arg(photo.x())
                       .arg(photo.y()),
                   "+repage", shot});
    ok(QStringLiteral("a right click opened the menu at %1,%2; photographed into %3")
           .arg(menuArea.x())
           .arg(menuArea.y())
           .arg(shot));

    // Closed again, the menu hands the keyboard to the speech bubble.
    run("xdotool", {"key", "Escape"});
    if (!waitFor([&] { return !menu->isVisible(); }))
        fail("the menu did not close on Escape");
    if (!waitFor([&] { return QApplication::activeWindow() == &program.bubble(); }))
        fail("the speech bubble did not get the keyboard after the menu");
    ok("the menu closed and the speech bubble has the keyboard");
    XCloseDisplay(display);
    return 0;
}
