// Draws the character strips: 14 frames side by side, stored as a bitmap whose first byte is 0.
//   quillet_chargen <folder> <name>...   writes <folder>/<name>.qlc for each known name
//
// Only frame 0's outline is ever seen (every pure white pixel of it is cut out of the window),
// so every frame keeps the same silhouette and all movement happens inside it. Frames are
// drawn antialiased on a transparent layer and then cut at half alpha: an edge pixel is either
// the dark outline or pure white, which keeps a light fringe off dark desktops. The figure
// itself never uses pure white, which would punch a hole in it.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

namespace {

constexpr int kFrameW = 112;
constexpr int kFrameH = 144;
constexpr int kFrames = 14;

enum class Mouth { Smile, Grin, Flat, Ooh, Talk1, Talk2, Talk3, YawnStart, Yawn };
enum class Eyes { Open, Closed, Happy, Squeezed };

struct Pose {
    Eyes eyes = Eyes::Open;
    double lid = 0;  // 0 open, towards 1 the upper lid comes down
    QPointF look;    // pupil offset
    double brow = 0; // raise in pixels; negative droops the outer ends
    Mouth mouth = Mouth::Smile;
    double tilt = 0;  // degrees the face turns about its centre
    double arm = -10; // waving arm: 0 hangs down, 90 points sideways, 180 straight up
    bool winkRight = false;
    bool tear = false;
};

struct Design {
    QColor outline, body, shade, belly, lidColor, cheek, accent;
    QPointF faceCentre, leftEye, rightEye, mouth;
    QPointF leftShoulder, rightShoulder;
    QPointF cheekOffset; // from the right eye; mirrored for the left
    QSizeF cheekSize;
    double armLength;
    // The silhouette parts behind the face, drawn in order.
    std::function<void(QPainter &, const Design &)> drawBody;
};

const QColor kEyeWhite(247, 246, 240);
const QColor kGlint(252, 252, 248);
const QColor kPupil(34, 30, 42);
const QColor kMouthInside(112, 36, 48);
const QColor kTongue(226, 116, 128);
const QColor kTeeth(244, 242, 234);

QPen outlinePen(const Design &d, double width = 3)
{
    return QPen(d.outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawEye(QPainter &p, const Design &d, QPointF c, const Pose &pose, bool rightEye)
{
    const double rx = 10, ry = 12;
    p.setPen(outlinePen(d, 2.6));
    p.setBrush(Qt::NoBrush);
    const Eyes eyes = rightEye && pose.winkRight ? Eyes::Happy : pose.eyes;
    if (eyes == Eyes::Happy) {
        QPainterPath arc;
        arc.moveTo(c.x() - 8, c.y() + 3);
        arc.quadTo(c.x(), c.y() - 9, c.x() + 8, c.y() + 3);
        p.drawPath(arc);
        return;
    }
    if (eyes == Eyes::Closed) {
        QPainterPath arc;
        arc.moveTo(c.x() - 9, c.y() + 1);
        arc.quadTo(c.x(), c.y() + 8, c.x() + 9, c.y() + 1);
        p.drawPath(arc);
        // Lashes make a closed eye read as closed, not as a smile.
        const double side = rightEye ? 1 : -1;
        p.drawLine(QPointF(c.x() + side * 8, c.y() + 3), QPointF(c.x() + side * 11, c.y() + 6));
        return;
    }
    if (eyes == Eyes::Squeezed) {
        const double s = rightEye ? -1 : 1; // ">" on the left, "<" on the right
        QPainterPath v;
        v.moveTo(c.x() - s * 8, c.y() - 6);
        v.lineTo(c.x() + s * 6, c.y());
        v.lineTo(c.x() - s * 8, c.y() + 6);
        p.drawPath(v);
        return;
    }
    const QRectF ball(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry);
    QPainterPath shape;
    shape.addEllipse(ball);
    p.setBrush(kEyeWhite);
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    p.setPen(Qt::NoPen);
    const QPointF pupil = c + pose.look + QPointF(0, 1.5);
    p.setBrush(kPupil);
    p.drawEllipse(pupil, 6, 6.5);
    p.setBrush(kGlint);
    p.drawEllipse(pupil + QPointF(-2.2, -2.4), 2, 2);
    if (pose.lid > 0) {
        const double edge = ball.top() + pose.lid * ball.height();
        p.setBrush(d.lidColor);
        p.drawRect(
            QRectF(ball.left() - 1, ball.top() - 1, ball.width() + 2, edge - ball.top() + 1));
        p.setPen(outlinePen(d, 2.4));
        p.drawLine(QPointF(ball.left(), edge), QPointF(ball.right(), edge));
    }
    p.restore();
    p.setPen(outlinePen(d, 2.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

void drawBrow(QPainter &p, const Design &d, QPointF eye, const Pose &pose, bool rightEye)
{
    const double side = rightEye ? 1 : -1;
    const double lift = pose.brow > 0 ? pose.brow : 0;
    const double droop = pose.brow < 0 ? -pose.brow : 0;
    const QPointF inner(eye.x() - side * 6, eye.y() - 17 - lift);
    const QPointF outer(eye.x() + side * 7, eye.y() - 17 - lift + droop);
    QPainterPath brow;
    brow.moveTo(inner);
    brow.quadTo(QPointF(eye.x(), eye.y() - 21 - lift), outer);
    p.setPen(outlinePen(d, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(brow);
}

// An open mouth: the dark inside, the tongue at its floor, teeth along the top if asked.
void drawOpenMouth(QPainter &p, const Design &d, const QPainterPath &shape, bool teeth)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kMouthInside);
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    const QRectF r = shape.boundingRect();
    p.setBrush(kTongue);
    p.drawEllipse(QRectF(r.center().x() - r.width() * 0.38, r.bottom() - r.height() * 0.42,
                         r.width() * 0.76, r.height() * 0.6));
    if (teeth) {
        p.setBrush(kTeeth);
        p.drawRect(QRectF(r.left(), r.top() - 1, r.width(), r.height() * 0.2 + 1));
    }
    p.restore();
    p.setPen(outlinePen(d, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

void drawMouth(QPainter &p, const Design &d, QPointF m, Mouth mouth)
{
    QPainterPath path;
    const auto ellipse = [&](double w, double h, double dy = 0) {
        path.addEllipse(QPointF(m.x(), m.y() + dy), w / 2, h / 2);
    };
    switch (mouth) {
    case Mouth::Smile:
        path.moveTo(m.x() - 10, m.y() - 2);
        path.quadTo(m.x(), m.y() + 8, m.x() + 10, m.y() - 2);
        p.setPen(outlinePen(d, 2.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        return;
    case Mouth::Flat:
        path.moveTo(m.x() - 6, m.y() + 1);
        path.quadTo(m.x(), m.y() + 3, m.x() + 6, m.y() + 1);
        p.setPen(outlinePen(d, 2.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        return;
    case Mouth::Grin:
        path.moveTo(m.x() - 12, m.y() - 3);
        path.lineTo(m.x() + 12, m.y() - 3);
        path.quadTo(m.x() + 11, m.y() + 13, m.x(), m.y() + 13);
        path.quadTo(m.x() - 11, m.y() + 13, m.x() - 12, m.y() - 3);
        path.closeSubpath();
        drawOpenMouth(p, d, path, true);
        return;
    case Mouth::Ooh:
        ellipse(7, 8, 2);
        break;
    case Mouth::Talk1: // a slit, as for "ee"
        ellipse(17, 5, 1);
        break;
    case Mouth::Talk2: // half open, as for "eh"
        ellipse(15, 11, 2);
        drawOpenMouth(p, d, path, true);
        return;
    case Mouth::Talk3: // wide open, as for "ah"
        ellipse(17, 18, 4);
        drawOpenMouth(p, d, path, true);
        return;
    case Mouth::YawnStart:
        ellipse(11, 12, 3);
        drawOpenMouth(p, d, path, false);
        return;
    case Mouth::Yawn:
        ellipse(17, 23, 6);
        drawOpenMouth(p, d, path, false);
        return;
    }
    drawOpenMouth(p, d, path, false);
}

void drawArm(QPainter &p, const Design &d, QPointF shoulder, double angleDeg)
{
    const double a = angleDeg * M_PI / 180.0;
    const QPointF hand = shoulder + d.armLength * QPointF(std::sin(a), std::cos(a));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(d.outline, 13, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shoulder, hand);
    p.setPen(QPen(d.body, 8.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(shoulder, hand);
    // A lighter palm turned to the viewer once the hand is up.
    if (angleDeg > 60) {
        p.setPen(Qt::NoPen);
        p.setBrush(d.belly);
        p.drawEllipse(hand, 3.2, 3.2);
    }
}

void drawFace(QPainter &p, const Design &d, const Pose &pose)
{
    p.save();
    p.translate(d.faceCentre);
    p.rotate(pose.tilt);
    p.translate(-d.faceCentre);
    p.setPen(Qt::NoPen);
    p.setBrush(d.cheek);
    const QPointF off = d.cheekOffset;
    p.drawEllipse(d.leftEye + QPointF(-off.x(), off.y()), d.cheekSize.width(),
                  d.cheekSize.height());
    p.drawEllipse(d.rightEye + off, d.cheekSize.width(), d.cheekSize.height());
    drawEye(p, d, d.leftEye, pose, false);
    drawEye(p, d, d.rightEye, pose, true);
    drawBrow(p, d, d.leftEye, pose, false);
    drawBrow(p, d, d.rightEye, pose, true);
    drawMouth(p, d, d.mouth, pose.mouth);
    if (pose.tear) {
        p.setPen(QPen(QColor(60, 110, 170), 1.4));
        p.setBrush(QColor(170, 210, 245));
        QPainterPath drop;
        const QPointF at = d.rightEye + QPointF(12, 6);
        drop.moveTo(at);
        drop.quadTo(at + QPointF(4, 6), at + QPointF(0, 8));
        drop.quadTo(at + QPointF(-4, 6), at);
        p.drawPath(drop);
    }
    p.restore();
}

void drawPebbleBody(QPainter &p, const Design &d)
{
    // Feet first, so the body overlaps their tops.
    p.setPen(outlinePen(d));
    p.setBrush(d.shade);
    p.drawEllipse(QPointF(37, 136), 14, 6);
    p.drawEllipse(QPointF(75, 136), 14, 6);
    QPainterPath body;
    body.moveTo(56, 8);
    body.cubicTo(88, 7, 106, 40, 106, 80);
    body.cubicTo(106, 120, 86, 138, 56, 138);
    body.cubicTo(26, 138, 6, 120, 6, 80);
    body.cubicTo(6, 40, 24, 9, 56, 8);
    p.setBrush(d.body);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(d.belly);
    p.drawEllipse(QPointF(56, 122), 32, 24);
    // Speckles and a soft shine: a river stone.
    p.setBrush(d.shade);
    for (const QPointF at : {QPointF(30, 30), QPointF(86, 38), QPointF(18, 58), QPointF(94, 100),
                             QPointF(74, 20), QPointF(16, 100), QPointF(96, 66)})
        p.drawEllipse(at, 2.2, 1.8);
    p.setBrush(d.accent);
    p.drawEllipse(QPointF(36, 24), 10, 5.5);
    p.restore();
    p.setPen(outlinePen(d));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
}

void drawHeartLeaf(QPainter &p, QPointF base, double angleDeg, double size)
{
    p.save();
    p.translate(base);
    p.rotate(angleDeg);
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.cubicTo(-size * 1.1, -size * 0.4, -size * 0.9, -size * 1.5, -size * 0.05, -size * 1.2);
    leaf.cubicTo(size * 0.9, -size * 1.5, size * 1.1, -size * 0.4, 0, 0);
    p.drawPath(leaf);
    p.restore();
}

void drawCloverBody(QPainter &p, const Design &d)
{
    p.setPen(outlinePen(d));
    // The sprig: a stem with three heart-shaped leaves.
    p.setPen(QPen(d.outline, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(56, 48), QPointF(58, 31));
    p.setPen(QPen(d.accent.darker(130), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(56, 48), QPointF(58, 31));
    p.setPen(outlinePen(d));
    p.setBrush(d.accent);
    const QPointF knot(58, 30);
    drawHeartLeaf(p, knot, -62, 17);
    drawHeartLeaf(p, knot, 62, 17);
    drawHeartLeaf(p, knot, 0, 17);
    p.setPen(QPen(d.accent.darker(135), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (double angle : {-62.0, 0.0, 62.0}) {
        p.save();
        p.translate(knot);
        p.rotate(angle);
        p.drawLine(QPointF(0, -3), QPointF(0, -13));
        p.restore();
    }
    p.setPen(outlinePen(d));
    p.setBrush(d.shade);
    p.drawEllipse(QPointF(38, 138), 13, 4.5);
    p.drawEllipse(QPointF(74, 138), 13, 4.5);
    QPainterPath body;
    body.addEllipse(QPointF(56, 91), 47, 44);
    p.setBrush(d.body);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(d.belly);
    p.drawEllipse(QPointF(56, 128), 30, 22);
    p.setBrush(d.body.lighter(112));
    p.drawEllipse(QPointF(34, 62), 10, 6);
    p.restore();
    p.setPen(outlinePen(d));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
}

Design pebble()
{
    Design d;
    d.outline = QColor(36, 38, 56);
    d.body = QColor(128, 152, 184);
    d.shade = QColor(104, 126, 160);
    d.belly = QColor(178, 194, 214);
    d.lidColor = QColor(112, 134, 168);
    d.cheek = QColor(226, 150, 168);
    d.accent = QColor(168, 186, 210);
    d.faceCentre = QPointF(56, 70);
    d.leftEye = QPointF(40, 62);
    d.rightEye = QPointF(72, 62);
    d.mouth = QPointF(56, 86);
    d.leftShoulder = QPointF(31, 98);
    d.rightShoulder = QPointF(81, 98);
    d.armLength = 16;
    d.cheekOffset = QPointF(8, 17);
    d.cheekSize = QSizeF(7, 4.5);
    d.drawBody = drawPebbleBody;
    return d;
}

Design clover()
{
    Design d;
    d.outline = QColor(30, 52, 34);
    d.body = QColor(150, 206, 128);
    d.shade = QColor(112, 172, 96);
    d.belly = QColor(198, 230, 170);
    d.lidColor = QColor(128, 186, 110);
    d.cheek = QColor(238, 148, 140);
    d.accent = QColor(78, 162, 84);
    d.faceCentre = QPointF(56, 96);
    d.leftEye = QPointF(41, 90);
    d.rightEye = QPointF(71, 90);
    d.mouth = QPointF(56, 113);
    d.leftShoulder = QPointF(30, 108);
    d.rightShoulder = QPointF(82, 108);
    d.armLength = 13;
    d.cheekOffset = QPointF(2, 14);
    d.cheekSize = QSizeF(6, 4);
    d.drawBody = drawCloverBody;
    return d;
}

// The poses of the 14 frames: rest, blink, wave, falling asleep, looking about, mouth.
Pose poseFor(int frame, bool tiltsHead)
{
    Pose p;
    switch (frame) {
    case 1:
        p.eyes = Eyes::Closed;
        break;
    case 2:
        p.arm = 120;
        p.mouth = Mouth::Grin;
        p.brow = 1;
        break;
    case 3:
        p.arm = 170;
        p.mouth = Mouth::Grin;
        p.eyes = Eyes::Happy;
        p.brow = 2;
        break;
    case 4:
        p.arm = 140;
        p.mouth = Mouth::Grin;
        p.eyes = Eyes::Happy;
        p.brow = 2;
        break;
    case 5:
        p.lid = 0.45;
        p.brow = -3;
        p.mouth = Mouth::Flat;
        p.look = {0, 2};
        break;
    case 6:
        p.lid = 0.75;
        p.brow = -4;
        p.mouth = Mouth::YawnStart;
        p.look = {0, 3};
        break;
    case 7:
        p.eyes = Eyes::Squeezed;
        p.brow = -3;
        p.mouth = Mouth::Yawn;
        p.tear = true;
        break;
    case 8:
        if (tiltsHead) {
            p.tilt = -7;
            p.look = {-3, -1};
        } else {
            p.look = {-4.5, 0};
        }
        break;
    case 9:
        if (tiltsHead) {
            p.tilt = -13;
            p.look = {-4, -2};
            p.brow = 2;
            p.mouth = Mouth::Ooh;
        } else {
            p.look = {4.5, 0};
        }
        break;
    case 10:
        if (tiltsHead) {
            p.tilt = -13;
            p.look = {-4, -2};
            p.brow = 2;
            p.winkRight = true;
            p.mouth = Mouth::Grin;
        } else {
            p.look = {3, -4.5};
            p.brow = 3;
            p.mouth = Mouth::Ooh;
        }
        break;
    case 11:
        p.mouth = Mouth::Talk1;
        break;
    case 12:
        p.mouth = Mouth::Talk2;
        break;
    case 13:
        p.mouth = Mouth::Talk3;
        break;
    default:
        break;
    }
    return p;
}

QImage drawLayer(const Design &d, const Pose &pose)
{
    QImage layer(kFrameW, kFrameH, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    d.drawBody(p, d);
    drawFace(p, d, pose);
    drawArm(p, d, d.leftShoulder, 10);
    drawArm(p, d, d.rightShoulder, pose.arm);
    return layer;
}

// Cuts a layer at half alpha inside the outline of frame 0's layer: inside, the frame's own
// colour made opaque (frame 0's where the frame left a gap); outside, pure white.
QImage cut(const QImage &layer, const QImage &restLayer, int &gaps)
{
    const QImage own = layer.convertToFormat(QImage::Format_ARGB32);
    const QImage rest = restLayer.convertToFormat(QImage::Format_ARGB32);
    QImage out(kFrameW, kFrameH, QImage::Format_RGB32);
    for (int y = 0; y < kFrameH; ++y) {
        const auto *o = reinterpret_cast<const QRgb *>(own.constScanLine(y));
        const auto *r = reinterpret_cast<const QRgb *>(rest.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < kFrameW; ++x) {
            if (qAlpha(r[x]) < 128) {
                dst[x] = qRgb(255, 255, 255);
                continue;
            }
            if (qAlpha(o[x]) < 128)
                ++gaps;
            QRgb c = qAlpha(o[x]) >= 128 ? o[x] : r[x];
            c = qRgb(qRed(c), qGreen(c), qBlue(c));
            if (c == qRgb(255, 255, 255))
                c = qRgb(252, 252, 248);
            dst[x] = c;
        }
    }
    return out;
}

QImage drawStrip(const Design &d, bool tiltsHead)
{
    QImage strip(kFrameW * kFrames, kFrameH, QImage::Format_RGB32);
    strip.fill(Qt::white);
    const QImage rest = drawLayer(d, poseFor(0, tiltsHead));
    QPainter p(&strip);
    for (int frame = 0; frame < kFrames; ++frame) {
        int gaps = 0;
        p.drawImage(frame * kFrameW, 0, cut(drawLayer(d, poseFor(frame, tiltsHead)), rest, gaps));
        // A pose that leaves part of the silhouette uncovered shows a patch of the rest pose.
        if (gaps)
            qWarning("frame %d leaves %d pixels of the outline uncovered", frame, gaps);
    }
    return strip;
}

bool writeCharacter(const QString &path, const QImage &strip)
{
    // The same bytes CharacterFile::encode gives; kept here so the generator needs only Qt Gui.
    QImage rgb = strip.convertToFormat(QImage::Format_RGB888);
    QByteArray data;
    {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!rgb.save(&buffer, "BMP"))
            return false;
    }
    data[0] = 0;
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(data) == data.size();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        QImage strip;
        if (name == QLatin1String("Pebble"))
            strip = drawStrip(pebble(), false);
        else if (name == QLatin1String("Clover"))
            strip = drawStrip(clover(), true);
        else
            return 1;
        if (!writeCharacter(dir + '/' + name + ".qlc", strip))
            return 1;
    }
    return 0;
}
