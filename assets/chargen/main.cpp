// Draws the character strips: 14 frames side by side, stored as a bitmap whose first
// byte is 0.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr int kFrameW = 96;
constexpr int kFrameH = 120;

void drawFrame(QPainter &p, int frame)
{
    const QColor outline(40, 30, 30);
    p.setPen(QPen(outline, 3));
    p.setBrush(QColor(110, 170, 230));
    p.drawEllipse(QRect(8, 10, 80, 104));
    // Eyes: closed on the blink, sleep and falling-asleep frames.
    const bool closed = frame == 1 || frame == 6 || frame == 7;
    p.setBrush(QColor(250, 250, 245));
    if (closed) {
        p.drawLine(28, 46, 42, 46);
        p.drawLine(54, 46, 68, 46);
    } else {
        p.drawEllipse(QRect(26, 36, 18, 20));
        p.drawEllipse(QRect(52, 36, 18, 20));
        p.setBrush(outline);
        p.drawEllipse(QRect(32, 43, 7, 8));
        p.drawEllipse(QRect(58, 43, 7, 8));
    }
    // Mouth positions on 11 to 13, a smile otherwise.
    p.setBrush(QColor(150, 40, 50));
    const int open = frame >= 11 ? (frame - 10) * 5 : 0;
    if (open)
        p.drawEllipse(QRect(38, 74 - open / 2, 20, 4 + open));
    else
        p.drawArc(QRect(36, 66, 24, 16), 200 * 16, 140 * 16);
}

QImage drawStrip()
{
    QImage strip(kFrameW * 14, kFrameH, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    for (int frame = 0; frame < 14; ++frame) {
        p.save();
        p.translate(frame * kFrameW, 0);
        drawFrame(p, frame);
        p.restore();
    }
    return strip;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!drawStrip().convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
            return 1;
        bytes[0] = 0;
        QFile out(dir + '/' + QString::fromLocal8Bit(argv[i]) + ".qlc");
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return 1;
    }
    return 0;
}
