// Puts the command editor on a real X desktop with a compositor and checks what the X server
// and the screen show: the window's shape at rest and while the card turns, the opacity
// property through the about fade, and the pixels on screen in each of these states.
//   editor_desktop_probe <screenshot folder> <desktop colour #rrggbb>
// writes editor-rest.png, editor-flip.png and editor-about.png into the folder.
#include "BrainWindow.h"
#include "CharacterWindow.h"
#include "EditorSkin.h"
#include "FakeServices.h"
#include "FlipShapes.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "RegionBuffer.h"
#include "TempAppFolder.h"
#include "TickTimer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <cstdio>
#include <functional>
#include <optional>

// Last: the X headers it brings define names that Qt's headers use.
#include "DesktopProbing.h"

namespace {

using namespace probe;

QRegion regionOf(const QList<ShapeRect> &rects)
{
    QRegion region;
    for (const ShapeRect &r : rects)
        region += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return region;
}

// What one state of the window should look like on screen: the desktop everywhere around the
// card, up to a margin beyond the window, and where a picture is known, the picture in the card
// at the window's level over the desktop.
struct Expected {
    QPoint at;        // the window's place on the root
    QSize window;     // the window's size
    QRegion card;     // the window shape, in window coordinates
    QRgb desktop;     // the desktop's colour
    QImage picture;   // shown 1:1 inside the card, if not null
    QPoint pictureAt; // its top left in window coordinates
    int level = 255;  // the window's opacity, 0 to 255
};

struct Seen {
    int stray = 0;     // pixels around the card that are not the desktop
    int holes = 0;     // pixels of the card that show the desktop
    int differing = 0; // pixels of the card not showing the picture
    int total() const { return stray + holes + differing; }
};

QRgb blend(QRgb over, QRgb under, int level)
{
    const auto mix = [&](int a, int b) { return (a * level + b * (255 - level) + 127) / 255; };
    return qRgb(mix(qRed(over), qRed(under)), mix(qGreen(over), qGreen(under)),
                mix(qBlue(over), qBlue(under)));
}

Seen look(const QImage &shot, const Expected &e)
{
    Seen seen;
    const QRect around = QRect(e.at, e.window).adjusted(-12, -12, 12, 12) & shot.rect();
    for (int y = around.top(); y <= around.bottom(); ++y) {
        for (int x = around.left(); x <= around.right(); ++x) {
            const QPoint local = QPoint(x, y) - e.at;
            const QRgb pixel = shot.pixel(x, y);
            if (!e.card.contains(local)) {
                seen.stray += !near(pixel, e.desktop, 2);
                continue;
            }
            seen.holes += near(pixel, e.desktop, 2);
            const QPoint inPicture = local - e.pictureAt;
            if (!e.picture.isNull() && e.picture.rect().contains(inPicture))
                seen.differing +=
                    !near(pixel, blend(e.picture.pixel(inPicture), e.desktop, e.level), 3);
        }
    }
    return seen;
}

// Screenshots until the screen shows the state, for a few seconds at most: the compositor
// paints in its own time. The last one is what is reported.
Seen shootUntilShown(const QString &path, const Expected &e)
{
    QElapsedTimer clock;
    clock.start();
    Seen seen;
    int shots = 0;
    do {
        pause(50);
        seen = look(screenshot(path), e);
        ++shots;
    } while (seen.total() != 0 && clock.elapsed() < 8000);
    std::printf("  %s: %d stray pixels around the card, %d holes in it, %d not its picture "
                "(screenshot %d)\n",
                qPrintable(QFileInfo(path).fileName()), seen.stray, seen.holes, seen.differing,
                shots);
    return seen;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());
    const QRgb desktop = QColor(QString::fromLatin1(argv[2])).rgb();
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy)
        return 2;
    colourTheDesktop(dpy, desktop);

    // The application folder as the build lays it out, help page and all, so the front page
    // shows what a user sees.
    TempAppFolder folder;
    QDir(folder.path()).mkpath("Help");
    QFile::copy(QStringLiteral(QUILLET_APP_DIR "/Help/index.html"),
                folder.path() + "/Help/index.html");
    folder.writeCommandList("what time is it\r\nRead\r\nthe time\r\n");
    FakeServices fakes;
    RecordingDialogs dialogs;
    Program program(folder.paths(), fakes.make(), dialogs);
    check(program.start(), "the program starts");
    program.character().hide();

    BrainWindow &brain = program.brain();
    brain.brainOpen = true;
    brain.move(120, 100);
    brain.show();
    check(waitFor([&] { return brain.windowHandle() && brain.windowHandle()->isExposed(); }),
          "the editor is shown");
    const Window win = Window(brain.winId());
    const QSize size = brain.size();
    check(size == QSize(289, 290), "the editor is 289 x 290");

    // (a) At rest: the card's base shape, and on screen the card alone on the desktop.
    const QRegion base = regionOf(RegionBuffer::baseShape());
    int count = 0;
    check(waitFor([&] { return xShape(dpy, win, &count).xored(base).isEmpty(); }),
          "at rest the X shape is the base shape");
    std::printf("  base shape: %d rectangles given, %d kept by the server\n",
                int(RegionBuffer::baseShape().size()), count);
    const QPoint at = rootPosition(dpy, win);
    std::printf("  the editor is at %d,%d\n", at.x(), at.y());
    Expected rest{at, size, base, desktop, {}, {}};
    const Seen restSeen = shootUntilShown(out.filePath("editor-rest.png"), rest);
    check(restSeen.stray == 0, "at rest nothing shows around the card");
    check(restSeen.holes == 0, "at rest the desktop shows nowhere through the card");

    // (b) The turn to the add page, held at chosen frames: the click goes through the X
    // server, and the turn's timer is stopped as soon as the click has started it, so each
    // frame stays up while the server and the screen are looked at.
    QWidget *addnew = brain.findChild<QWidget *>(QStringLiteral("addnewbutton"));
    auto *addnewButton = qobject_cast<QAbstractButton *>(addnew);
    check(addnewButton && addnewButton->isVisible(), "the add button is there");
    if (!addnewButton)
        return 1;
    const auto hold = QObject::connect(addnewButton, &QAbstractButton::clicked, &brain,
                                       [&] { brain.flippflopp()->setEnabled(false); });
    const QPoint press = at + addnew->mapTo(&brain, addnew->rect().center());
    QProcess::execute(QStringLiteral("xdotool"), {"mousemove", QString::number(press.x()),
                                                  QString::number(press.y()), "click", "1"});
    check(waitFor([&] { return brain.flipp == 1 && brain.addnewbuttonTag() == "true"; }),
          "a click on the add button starts the turn");
    QObject::disconnect(hold);

    const QImage strip =
        EditorSkin::image(QStringLiteral("flipstrip")).convertToFormat(QImage::Format_RGB32);
    const auto tickTo = [&](int step) {
        while (brain.flipp < step)
            brain.flipTick();
    };
    const auto frameOnScreen = [&](int frame) {
        return Expected{at,      size,  regionOf(FlipShapes::shape(frame)),
                        desktop, strip, QPoint(-FlipShapes::sliceLeft(frame), 0)};
    };
    tickTo(6);
    check(waitFor([&] { return xShape(dpy, win).xored(regionOf(FlipShapes::shape(4))).isEmpty(); }),
          "at step 6 the X shape is frame 4's");
    const Seen flipSeen = shootUntilShown(out.filePath("editor-flip.png"), frameOnScreen(4));
    check(flipSeen.stray == 0, "mid-turn nothing shows around the turned card");
    check(flipSeen.holes == 0 && flipSeen.differing == 0,
          "mid-turn the card shows exactly its frame of the strip");

    tickTo(10);
    check(waitFor([&] {
              return xShape(dpy, win, &count).xored(regionOf(FlipShapes::shape(8))).isEmpty();
          }),
          "at step 10 the X shape is frame 8's, the card edge-on");
    std::printf("  frame 8: %d rectangles given, %d kept by the server\n",
                int(FlipShapes::shape(8).size()), count);
    const Seen edgeSeen = shootUntilShown(out.filePath("editor-edge.png"), frameOnScreen(8));
    check(edgeSeen.total() == 0, "edge-on the screen shows only the card's sliver");
    QFile::remove(out.filePath("editor-edge.png"));

    // The rest of the turn on its own timer, to the add page.
    brain.flippflopp()->setEnabled(true);
    check(waitFor([&] { return !brain.flippflopp()->isEnabled(); }, 20000),
          "the turn ends by itself");
    check(brain.flipp == 19 && brain.findChild<QWidget *>(QStringLiteral("addform"))->isVisible(),
          "the turn ends on the add page");
    check(waitFor([&] { return xShape(dpy, win, &count).xored(base).isEmpty(); }),
          "after the turn the X shape is the base shape again");
    const Seen addSeen = shootUntilShown(out.filePath("editor-add.png"), rest);
    check(addSeen.stray == 0 && addSeen.holes == 0, "the add page is the card alone");
    QFile::remove(out.filePath("editor-add.png"));

    // (c) The about fade over the open editor: from see-through up to opaque on the fade's
    // own timer, the about picture coming up with it. Half way up it is held for a look at
    // the desktop showing through, then left to run on.
    const QImage aboutImage =
        EditorSkin::image(QStringLiteral("about")).convertToFormat(QImage::Format_RGB32);
    const auto levelOf = [](quint32 value) { return qRound(double(value) * 255 / 0xFFFFFFFFu); };
    brain.aboutgrej();
    std::optional<quint32> midway;
    check(waitFor(
              [&] {
                  const auto v = opacityProperty(dpy, win);
                  if (v && levelOf(*v) >= 101 && levelOf(*v) <= 253)
                      midway = v;
                  return midway || !brain.fadeinout()->isEnabled();
              },
              20000),
          "the opacity property is seen half way up the fade");
    brain.fadeinout()->setEnabled(false);
    if (midway) {
        std::printf("  mid-fade: _NET_WM_WINDOW_OPACITY 0x%08X, level %d of 255\n", *midway,
                    levelOf(*midway));
        // The fade in climbs 3, 5, ... 253 before it reaches 255.
        check(levelOf(*midway) % 2 == 1, "mid-fade the window is at one of the fade's levels");
        const int held = brain.trans;
        check(waitFor([&] {
                  const auto v = opacityProperty(dpy, win);
                  return v && levelOf(*v) == held;
              }),
              "held, the opacity property is the window's level");
        std::printf("  held at level %d\n", held);
        Expected fading{at, size, base, desktop, aboutImage, QPoint(0, 32), held};
        const Seen fadeSeen = shootUntilShown(out.filePath("editor-fade.png"), fading);
        check(fadeSeen.total() == 0,
              "mid-fade the about card shows over the desktop at its level, nothing around it");
        QFile::remove(out.filePath("editor-fade.png"));
    } else {
        check(false, "mid-fade the window is translucent");
    }
    brain.fadeinout()->setEnabled(true);
    check(waitFor([&] { return !brain.fadeinout()->isEnabled(); }, 30000),
          "the fade ends by itself");
    check(brain.trans == 255, "the fade ends at 255");
    std::optional<quint32> opaque;
    check(waitFor([&] {
              opaque = opacityProperty(dpy, win);
              return !opaque || *opaque == 0xFFFFFFFFu;
          }),
          "after the fade the window is opaque");
    if (opaque)
        std::printf("  after the fade: _NET_WM_WINDOW_OPACITY 0x%08X\n", *opaque);
    else
        std::printf("  after the fade: no _NET_WM_WINDOW_OPACITY, opaque\n");
    QWidget *about = brain.aboutPicture();
    check(about->isVisible() && about->geometry() == QRect(0, 32, 286, 223),
          "the about picture is up over the card");
    Expected aboutShown{at, size, base, desktop, aboutImage, QPoint(0, 32)};
    const Seen aboutSeen = shootUntilShown(out.filePath("editor-about.png"), aboutShown);
    check(aboutSeen.stray == 0 && aboutSeen.holes == 0, "the about card is the card alone");
    check(aboutSeen.differing == 0, "the screen shows the about picture in the card");

    XCloseDisplay(dpy);
    std::printf("%d failures\n", failures);
    return failures == 0 ? 0 : 1;
}
