// Draws the tray icon's pictures and the application icon.
//   quillet_icongen <tray folder> <application icon folder>
// writes <tray folder>/<picture>-<size>.png for the pictures normalico (the head), l1 (an ear),
// l2 and l3 (the ear hearing one and two waves) at 16, 22, 24 and 32 pixels, and
// <application icon folder>/quillet-<size>.png, the head, at 48, 128 and 256 pixels.
//
// Panels show tray icons at 16 to 24 pixels and seldom at a size we drew, so every size is
// drawn for itself rather than scaled from another: line widths are whole or half pixels
// chosen per size, and the outer edges fall on pixel boundaries. The face keeps the colours of
// the character Pebble, a mid blue-grey under a dark outline that stands out on light and dark
// panels alike; the waves are amber, which the eye finds against either.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace {

const QColor kOutline(36, 38, 56);
const QColor kBody(128, 152, 184);
const QColor kShade(104, 126, 160);
const QColor kLight(168, 186, 210);
const QColor kCheek(226, 150, 168);
const QColor kEyeWhite(247, 246, 240);
const QColor kPupil(26, 24, 36);
// Deep enough to hold on a white panel, bright enough on a black one.
const QColor kWave(228, 124, 0);

// The 16-pixel pictures, laid pixel by pixel: at that size a drawn outline falls between
// pixels and blurs into the face. o outline, b body, l highlight, s shade, e pupil, w glint,
// c cheek, a wave, . see-through.
const char *const kHead16[] = {
    "................", ".....oooooo.....", "...oobbbbbboo...", "..obblbbbbbbbo..",
    ".obblbbbbbbbbbo.", ".obbweebbweebbo.", ".obbeeebbeeebbo.", ".obbeeebbeeebbo.",
    ".obbbbbbbbbbbbo.", ".occbbbbbbbbcco.", ".obbebbbbbbebbo.", ".obbbeeeeeebbbo.",
    "..obbbbbbbbbso..", "...oosbbbbsoo...", ".....oooooo.....", "................",
};

const char *const kEar16[] = {
    "................", "...oooo.........", ".oobbbboo.......", "obboooobbo......",
    "obobbbbobo......", "obobbbbobo......", "obobbbbobo......", "obobbooobo......",
    "obobobbbo.......", "obobobbbo.......", ".obobbbbo.......", ".obbbbbbo.......",
    ".obbbbbso.......", "..obbbso........", "...oooo.........", "................",
};

const char *const kWaves16[2][16] = {
    {
        "................",
        "................",
        "................",
        "................",
        "...........a....",
        "...........aa...",
        "............a...",
        "............a...",
        "............a...",
        "............a...",
        "...........aa...",
        "...........a....",
        "................",
        "................",
        "................",
        "................",
    },
    {
        "................",
        "................",
        ".............a..",
        ".............aa.",
        "..............a.",
        "..............aa",
        "...............a",
        "...............a",
        "...............a",
        "...............a",
        "..............aa",
        "..............a.",
        ".............aa.",
        ".............a..",
        "................",
        "................",
    },
};

const int kTraySizes[] = {16, 22, 24, 32};
const int kAppSizes[] = {48, 128, 256};

QColor mapColour(char c)
{
    switch (c) {
    case 'o':
        return kOutline;
    case 'b':
        return kBody;
    case 'l':
        return kLight;
    case 's':
        return kShade;
    case 'e':
        return kPupil;
    case 'w':
        return kEyeWhite;
    case 'c':
        return kCheek;
    case 'a':
        return kWave;
    default:
        return Qt::transparent;
    }
}

void layPixels(QImage &image, const char *const rows[16])
{
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16 && rows[y][x]; ++x) {
            if (rows[y][x] != '.')
                image.setPixelColor(x, y, mapColour(rows[y][x]));
        }
    }
}

QImage canvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The outline's width at a size: one pixel at 16, two at 32, proportionally thinner on the
// large application icon, whose detail carries it.
double lineWidth(int size)
{
    if (size <= 16)
        return 1.0;
    if (size <= 24)
        return 1.5;
    if (size <= 32)
        return 2.0;
    return size / 22.0;
}

// The outline at the tray's sizes: whole pixels where the circle's sides can meet the pixel
// grid, a pixel and a half at 24 where one looked too faint beside 22's.
double trayLineWidth(int size)
{
    if (size <= 22)
        return 1.0;
    if (size <= 24)
        return 1.5;
    return 2.0;
}

// An egg, a little wider below than above, inside the box whose outer edge the stroke meets.
QPainterPath egg(const QRectF &outer, double line, double bottomBulge)
{
    const QRectF r = outer.adjusted(line / 2, line / 2, -line / 2, -line / 2);
    const double cx = r.center().x();
    const double midY = r.top() + r.height() * (0.5 + bottomBulge);
    const double k = 0.5523; // a quarter circle's Bézier handle
    const double rx = r.width() / 2;
    const double topH = midY - r.top();
    const double bottomH = r.bottom() - midY;
    QPainterPath path;
    path.moveTo(cx, r.top());
    path.cubicTo(cx + rx * k, r.top(), r.right(), midY - topH * k, r.right(), midY);
    path.cubicTo(r.right(), midY + bottomH * k, cx + rx * k, r.bottom(), cx, r.bottom());
    path.cubicTo(cx - rx * k, r.bottom(), r.left(), midY + bottomH * k, r.left(), midY);
    path.cubicTo(r.left(), midY - topH * k, cx - rx * k, r.top(), cx, r.top());
    path.closeSubpath();
    return path;
}

// The head at tray sizes: a round face with two big dark eyes, each with a glint, pink cheeks
// and a smile, the face of the 16-pixel picture drawn again at each larger size. The eyes sit
// on whole pixels, mirrored about the centre line.
QImage trayHead(int size)
{
    QImage image = canvas(size);
    if (size <= 16) {
        layPixels(image, kHead16);
        return image;
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double line = trayLineWidth(size);
    // The stroke's outer edge on the pixel border one pixel in from the picture's edge.
    const double inset = 1 + line / 2;
    p.setPen(QPen(kOutline, line));
    p.setBrush(kBody);
    p.drawEllipse(QRectF(inset, inset, size - 2 * inset, size - 2 * inset));
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawEllipse(QRectF(size * 0.24, size * 0.16, size * 0.14, size * 0.09));

    const int eyeW = size >= 32 ? 5 : 4;
    const int eyeH = size >= 32 ? 6 : size >= 24 ? 5 : 4;
    const int halfGap = size >= 32 ? 2 : 1;
    const int eyeTop = qRound(size * 0.3);
    const double cx = size / 2.0;
    for (int side : {-1, 1}) {
        const QRectF eye(side < 0 ? cx - halfGap - eyeW : cx + halfGap, eyeTop, eyeW, eyeH);
        p.setBrush(kPupil);
        p.drawRoundedRect(eye, eyeW * 0.4, eyeH * 0.4);
        p.setBrush(kEyeWhite);
        const double glint = size >= 32 ? 2 : 1.5;
        p.drawRect(QRectF(eye.left() + 0.75, eye.top() + 0.75, glint, glint));
        p.setBrush(kCheek);
        const QRectF cheek(0, eyeTop + eyeH + size * 0.06, size * 0.16, size * 0.08);
        p.drawEllipse(cheek.translated(
            side < 0 ? eye.left() - cheek.width() * 0.75 : eye.right() - cheek.width() * 0.25, 0));
    }
    QPainterPath smile;
    const double mouthY = eyeTop + eyeH + size * 0.12;
    const double mouthHalf = halfGap + eyeW * 0.7;
    smile.moveTo(cx - mouthHalf, mouthY);
    smile.quadTo(cx, mouthY + size * 0.2, cx + mouthHalf, mouthY);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPupil, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(smile);
    return image;
}

// The head for the desktop entry: Pebble's face with white eyes, brows, cheeks, a glossy
// highlight and a little shade along the lower edge.
QImage appHead(int size)
{
    QImage image = canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double u = size / 64.0;
    const double line = lineWidth(size);
    const QRectF outer(4 * u, 2 * u, 56 * u, 60 * u);
    const QPainterPath face = egg(outer, line, 0.06);
    p.setPen(Qt::NoPen);
    p.setBrush(kBody);
    p.drawPath(face);
    p.save();
    p.setClipPath(face);
    p.setBrush(kShade);
    p.drawEllipse(QRectF(-6 * u, 40 * u, 76 * u, 40 * u));
    p.setBrush(kBody);
    p.drawEllipse(QRectF(-4 * u, 18 * u, 72 * u, 38 * u));
    p.setBrush(kLight);
    p.drawEllipse(QRectF(13 * u, 8 * u, 12 * u, 6 * u));
    p.restore();
    p.setPen(QPen(kOutline, line));
    p.setBrush(Qt::NoBrush);
    p.drawPath(face);

    for (int side : {-1, 1}) {
        const QPointF eye(32 * u + side * 11 * u, 28 * u);
        p.setPen(QPen(kOutline, line * 0.8));
        p.setBrush(kEyeWhite);
        p.drawEllipse(eye, 7 * u, 8 * u);
        p.setPen(Qt::NoPen);
        p.setBrush(kPupil);
        p.drawEllipse(eye + QPointF(side * 0.8 * u, 1 * u), 4.4 * u, 5 * u);
        p.setBrush(kEyeWhite);
        p.drawEllipse(eye + QPointF(-1 * u, -1.4 * u), 1.6 * u, 1.6 * u);
        p.setBrush(kCheek);
        p.drawEllipse(eye + QPointF(side * 5 * u, 12.5 * u), 4 * u, 2.4 * u);
        QPainterPath brow;
        brow.moveTo(eye + QPointF(-5 * u, -12 * u));
        brow.quadTo(eye + QPointF(0, -15 * u), eye + QPointF(5 * u, -12 * u));
        p.setPen(QPen(kOutline, line * 0.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(brow);
    }
    QPainterPath smile;
    smile.moveTo(26 * u, 42 * u);
    smile.quadTo(32 * u, 48 * u, 38 * u, 42 * u);
    p.setPen(QPen(kOutline, line, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(smile);
    return image;
}

// The ear, its rim to the left and its opening to the right where the waves come in, in a
// 16-unit box scaled to the size.
QPainterPath earShape(double u)
{
    QPainterPath path;
    path.moveTo(6.2 * u, 1.0 * u);
    path.cubicTo(9.2 * u, 1.0 * u, 10.6 * u, 3.2 * u, 10.6 * u, 5.6 * u);
    path.cubicTo(10.6 * u, 7.6 * u, 9.4 * u, 8.6 * u, 8.7 * u, 9.8 * u);
    path.cubicTo(8.1 * u, 11.0 * u, 8.4 * u, 12.8 * u, 6.8 * u, 14.2 * u);
    path.cubicTo(5.4 * u, 15.4 * u, 3.0 * u, 15.0 * u, 2.6 * u, 12.8 * u);
    path.cubicTo(2.0 * u, 10.4 * u, 1.4 * u, 8.2 * u, 1.6 * u, 5.8 * u);
    path.cubicTo(1.8 * u, 3.0 * u, 3.6 * u, 1.0 * u, 6.2 * u, 1.0 * u);
    path.closeSubpath();
    return path;
}

// The fold inside the rim, curling down into the bowl of the ear.
QPainterPath earFold(double u)
{
    QPainterPath path;
    path.moveTo(4.0 * u, 11.0 * u);
    path.cubicTo(3.2 * u, 8.6 * u, 3.2 * u, 3.6 * u, 6.2 * u, 3.6 * u);
    path.cubicTo(8.2 * u, 3.6 * u, 8.8 * u, 5.6 * u, 8.0 * u, 6.8 * u);
    path.cubicTo(7.4 * u, 7.8 * u, 6.0 * u, 7.6 * u, 5.8 * u, 9.4 * u);
    return path;
}

QImage trayEar(int size, int waves)
{
    QImage image = canvas(size);
    if (size <= 16) {
        layPixels(image, kEar16);
        for (int i = 0; i < waves && i < 2; ++i)
            layPixels(image, kWaves16[i]);
        return image;
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double u = size / 16.0;
    const double line = trayLineWidth(size) == 1.0 ? 1.3 : trayLineWidth(size);
    p.setPen(QPen(kOutline, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kBody);
    p.drawPath(earShape(u));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(earFold(u));

    // Arcs about the ear's opening, with a clear gap between them at every size.
    const QPointF centre(8.2 * u, 7.6 * u);
    const double radii[] = {4.0 * u, 6.5 * u};
    const double waveWidth = size <= 24 ? 1.6 + (size - 22) * 0.1 : 2.4;
    p.setPen(QPen(kWave, waveWidth, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < waves && i < 2; ++i) {
        const double r = radii[i];
        const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        QPainterPath arc;
        arc.arcMoveTo(box, -42);
        arc.arcTo(box, -42, 84);
        p.drawPath(arc);
    }
    return image;
}

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "quillet_icongen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillet_icongen <tray folder> <application icon folder>\n");
        return 2;
    }
    const QString trayDir = QString::fromLocal8Bit(argv[1]);
    const QString appDir = QString::fromLocal8Bit(argv[2]);
    for (int size : kTraySizes) {
        const QString suffix = '-' + QString::number(size) + ".png";
        if (!save(trayHead(size), trayDir + "/normalico" + suffix))
            return 1;
        for (int waves = 0; waves < 3; ++waves) {
            if (!save(trayEar(size, waves), trayDir + "/l" + QString::number(waves + 1) + suffix))
                return 1;
        }
    }
    for (int size : kAppSizes) {
        if (!save(appHead(size), appDir + "/quillet-" + QString::number(size) + ".png"))
            return 1;
    }
    return 0;
}
