// Puts the character and its bubble on a real X desktop and checks what the X server and
// the screen show: the window shapes, the opacity property, the bubble's place, the pixels
// of a screenshot, and a drag through the window manager.
//   character_desktop_probe <character.qlc> <screenshot.png> <root colour #rrggbb>
#include "BubbleShape.h"
#include "BubbleWindow.h"
#include "CharacterFile.h"
#include "CharacterWindow.h"
#include "MenuState.h"
#include "OutlineRegion.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <optional>

// Last: the X headers it brings define names that Qt's headers use.
#include "DesktopProbing.h"

namespace {

using namespace probe;

// Whether the window manager keeps the window above ordinary windows.
bool isAbove(Display *dpy, Window w)
{
    const Atom state = XInternAtom(dpy, "_NET_WM_STATE", False);
    const Atom above = XInternAtom(dpy, "_NET_WM_STATE_ABOVE", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    bool found = false;
    if (XGetWindowProperty(dpy, w, state, 0, 32, False, XA_ATOM, &type, &format, &items, &after,
                           &data) == Success &&
        type == XA_ATOM && format == 32) {
        const auto *atoms = reinterpret_cast<const unsigned long *>(data);
        for (unsigned long i = 0; i < items; ++i)
            found = found || atoms[i] == above;
    }
    if (data)
        XFree(data);
    return found;
}

// Counts the pixels of the character's frame on screen that do not show what they should:
// the frame's own colour (blended with the desktop at the level) inside the outline, the
// desktop outside it.
int wrongPixels(const QImage &shot, QPoint at, const QImage &frame, const QRegion &outline,
                QRgb root, int level)
{
    int wrong = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb seen = shot.pixel(at.x() + x, at.y() + y);
            QRgb want = root;
            if (outline.contains(QPoint(x, y))) {
                const QRgb c = frame.pixel(x, y);
                const auto mix = [&](int fg, int bg) {
                    return (fg * level + bg * (255 - level)) / 255;
                };
                want = qRgb(mix(qRed(c), qRed(root)), mix(qGreen(c), qGreen(root)),
                            mix(qBlue(c), qBlue(root)));
            }
            wrong += !near(seen, want, 4);
        }
    return wrong;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    const QString screenshotPath = QString::fromLocal8Bit(argv[2]);
    const QRgb root = QColor(QString::fromLatin1(argv[3])).rgb();
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        return 2;

    colourTheDesktop(dpy, root);
    const QImage strip = CharacterFile::load(QString::fromLocal8Bit(argv[1]));
    check(!strip.isNull(), "the character loads");
    if (strip.isNull())
        return 1;
    MenuState menu;
    CharacterWindow character(menu);
    character.setCharacterPicture(strip);
    character.MakeTransparent();
    character.move(400, 300);
    BubbleWindow bubble(character);
    bubble.setWidthTwips(BubbleWindow::kClosedWidthTwips);
    bubble.show();
    character.show();
    check(
        waitFor([&] { return character.windowHandle() && character.windowHandle()->isExposed(); }),
        "the character window is shown");
    pause(300);
    // Made topmost while shown: it must stay shown, in place.
    character.keepontop();
    check(
        waitFor([&] { return character.windowHandle() && character.windowHandle()->isExposed(); }),
        "the character window is shown again after keepontop");
    pause(300);

    const Window charWin = Window(character.winId());
    const Window bubbleWin = Window(bubble.winId());
    const int w = character.width(), h = character.height();
    const QImage frame0 = strip.copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32);
    const QRegion outline = OutlineRegion::build(strip, w, h, 0xFFFFFF);
    check(xShape(dpy, charWin).xored(outline).isEmpty(),
          "the character's X shape is frame 0's outline");
    const QPoint charAt = rootPosition(dpy, charWin);
    check(charAt == QPoint(400, 300), "the character stands where it was put");
    check(waitFor([&] { return isAbove(dpy, charWin) && isAbove(dpy, bubbleWin); }),
          "the window manager keeps the character and the bubble on top");

    // Opaque: the screen shows exactly frame 0 inside the outline and the desktop outside.
    QImage shot = screenshot(screenshotPath);
    const int opaqueWrong = wrongPixels(shot, charAt, frame0, outline, root, 255);
    std::printf("opaque: %d wrong pixels\n", opaqueWrong);
    check(opaqueWrong == 0, "the screen shows the figure and the desktop around it");

    character.trans = 150;
    character.settingtrans();
    check(waitFor([&] {
              const auto v = opacityProperty(dpy, charWin);
              return v && qRound(double(*v) * 255 / 0xFFFFFFFFu) == 150;
          }),
          "_NET_WM_WINDOW_OPACITY follows trans 150");
    pause(300);
    shot = screenshot(screenshotPath);
    const int translucentWrong = wrongPixels(shot, charAt, frame0, outline, root, 150);
    std::printf("translucent: %d wrong pixels\n", translucentWrong);
    check(translucentWrong < w * h / 100, "at 150 the desktop shows through the figure");
    character.trans = 255;
    character.settingtrans();
    check(waitFor([&] {
              const auto v = opacityProperty(dpy, charWin);
              return !v || *v == 0xFFFFFFFFu;
          }),
          "_NET_WM_WINDOW_OPACITY follows trans 255");

    // The bubble: the shape of its rectangle list, at its level, above the character.
    bubble.setText(QStringLiteral("Hello! I am Pebble. Say \"Pebble listen\" and I am all ears."));
    bubble.setWidthTwips(BubbleWindow::kOpenWidthTwips);
    check(waitFor([&] { return rootPosition(dpy, bubbleWin) == charAt + QPoint(-31, -155); }),
          "the open bubble sits 31 px left of the character, its bottom on its top");
    check(xShape(dpy, bubbleWin).xored(BubbleShape::region()).isEmpty(),
          "the bubble's X shape is its rectangle list");
    const auto bubbleOpacity = opacityProperty(dpy, bubbleWin);
    check(bubbleOpacity && qRound(double(*bubbleOpacity) * 255 / 0xFFFFFFFFu) == 210,
          "the bubble's opacity is 210");
    pause(500);
    shot = screenshot(screenshotPath);
    // The bubble's fill, 210/255 over the desktop.
    const QPoint fillAt = charAt + QPoint(-31 + 100, -155 + 118);
    const auto mix = [&](int fg, int bg) { return (fg * 210 + bg * 45) / 255; };
    const QRgb fill = BubbleShape::kFill;
    check(near(shot.pixel(fillAt),
               qRgb(mix(qRed(fill), qRed(root)), mix(qGreen(fill), qGreen(root)),
                    mix(qBlue(fill), qBlue(root))),
               5),
          "the bubble's fill shows slightly translucent");
    check(near(shot.pixel(charAt + QPoint(-31 + 1, -155 + 1)), root, 2),
          "the desktop shows outside the bubble's outline");

    // A drag with the left button goes through the window manager; the bubble follows.
    const QPoint grab = charAt + outline.boundingRect().center();
    const QPoint to = grab + QPoint(120, 60);
    QProcess::execute(QStringLiteral("xdotool"),
                      {"mousemove", QString::number(grab.x()), QString::number(grab.y())});
    pause(100);
    QProcess::execute(QStringLiteral("xdotool"), {"mousedown", "1"});
    pause(150);
    QProcess::execute(QStringLiteral("xdotool"), {"mousemove", QString::number(grab.x() + 40),
                                                  QString::number(grab.y() + 20)});
    pause(100);
    QProcess::execute(QStringLiteral("xdotool"),
                      {"mousemove", QString::number(to.x()), QString::number(to.y())});
    pause(150);
    QProcess::execute(QStringLiteral("xdotool"), {"mouseup", "1"});
    check(waitFor([&] { return rootPosition(dpy, charWin) == charAt + QPoint(120, 60); }),
          "dragging moves the character");
    check(waitFor([&] {
              return rootPosition(dpy, bubbleWin) == rootPosition(dpy, charWin) + QPoint(-31, -155);
          }),
          "the bubble follows the dragged character");
    std::printf("character at %d,%d after the drag\n", rootPosition(dpy, charWin).x(),
                rootPosition(dpy, charWin).y());

    // The picture to keep: the character with its open bubble on the coloured desktop.
    character.move(charAt);
    pause(400);
    screenshot(screenshotPath);

    XCloseDisplay(dpy);
    std::printf("%d failures\n", failures);
    return failures == 0 ? 0 : 1;
}
