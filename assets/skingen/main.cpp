// Draws the command editor's pictures, one PNG each, shown 1:1 by the editor.
//   quillet_skingen <folder> [--flip-shapes <file.cpp>] [--character <file.qlc>]... <name>...
// writes <folder>/<name>.png for each known name and, when asked, the window shapes of the
// card turning over as C++ source, worked out from <folder>/flipstrip.png as written. The
// about picture shows the characters given, as the character generator drew them.
//
// The editor's pages share one window shape: everything outside the card is pure blue, the
// colour the window treats as see-through, so no colour used inside the card may ever be pure
// blue. The card's outline is laid pixel by pixel along the shape rather than stroked, so the
// edge the window cuts along and the outline the eye sees are the same pixels.
#include "ShapeBands.h"

#include <QFile>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

namespace {

const QColor kKey(0, 0, 255);
const QColor kCard(234, 240, 247);
const QColor kHeader(218, 228, 242);
const QColor kHeaderLine(196, 208, 226);
const QColor kOutline(80, 98, 128);
const QColor kHighlight(250, 252, 255);
const QColor kInk(34, 46, 66);
const QColor kSoftInk(78, 94, 120);
const QColor kPanel(223, 231, 242);
const QColor kPanelEdge(166, 181, 204);
const QColor kPanelShadow(204, 214, 230);
const QColor kField(255, 255, 255);
const QColor kButtonTop(253, 254, 255);
const QColor kButtonBottom(206, 220, 240);
const QColor kLink(30, 90, 184);
const QColor kMarker(38, 98, 190);
const QColor kClose(220, 98, 92);
const QColor kCloseEdge(160, 60, 56);

// The card of the shaped pages, as rows of the window shape.
QRegion cardShape()
{
    static const int rows[][4] = {{7, 32, 280, 33},   {5, 33, 282, 34},   {4, 34, 283, 35},
                                  {3, 35, 284, 36},   {2, 36, 285, 38},   {1, 38, 286, 249},
                                  {2, 249, 285, 252}, {3, 252, 284, 253}, {4, 253, 283, 254},
                                  {7, 254, 280, 255}};
    QRegion shape;
    for (const auto &r : rows)
        shape += QRect(QPoint(r[0], r[1]), QPoint(r[2] - 1, r[3] - 1));
    return shape;
}

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont sans(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Vertical hinting puts heights on whole pixels, keeping 9 px words crisp and short
    // enough for the narrow gaps between controls; full hinting also snaps widths, which
    // at these sizes merges a colon's dots into one.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The largest size from `largest` down to 7 px at which the text fits the width.
QFont fitted(const QString &text, double width, int largest, bool bold)
{
    for (int size = largest; size > 7; --size) {
        const QFont font = sans(size, bold);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width)
            return font;
    }
    return sans(7, bold);
}

// Baseline that puts the text's ink visually centred on `centreY`, judged by the capitals so
// words with and without descenders sit on the same line.
double centredBaseline(const QFont &font, double centreY)
{
    const double capHeight = QFontMetricsF(font).capHeight();
    return std::round(centreY + capHeight / 2);
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// A caption whose lowest ink ends one clear row above `aboveY`, in the largest size up to
// `largest` whose highest ink stays at or below `topRow`: captions squeezed between two
// controls must not spill onto either.
void caption(QPainter &p, const QString &text, int x, int aboveY, int topRow, int largest = 10)
{
    // Some captions have only six rows between the controls above and below them; the
    // smallest size still reads there, where a larger one would be cut by the control.
    constexpr int kSmallest = 6;
    for (int size = largest; size >= kSmallest; --size) {
        const QFont font = sans(size, true);
        const QRect ink = QFontMetrics(font).tightBoundingRect(text);
        const int baseline = aboveY - 2 - ink.bottom();
        if (baseline + ink.top() < topRow && size > kSmallest)
            continue;
        p.setFont(font);
        p.setPen(kSoftInk);
        p.drawText(QPoint(x, baseline), text);
        return;
    }
}

void title(QPainter &p, const QString &text, double centreX, double centreY)
{
    const QFont font = sans(14, true);
    p.setFont(font);
    p.setPen(kInk);
    const double width = QFontMetricsF(font).horizontalAdvance(text);
    p.drawText(QPointF(std::round(centreX - width / 2), centredBaseline(font, centreY)), text);
}

// Marks every pixel of the shape that touches the outside as outline, and the row just inside
// it as a highlight, which gives the card a slight raised rim.
void layRim(QImage &image, const std::function<bool(int, int)> &inside)
{
    const auto touchesOutside = [&](int x, int y) {
        return !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
    };
    QList<QPoint> rim, inner;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!inside(x, y))
                continue;
            if (touchesOutside(x, y))
                rim.append({x, y});
            else if (touchesOutside(x - 1, y) || touchesOutside(x + 1, y) ||
                     touchesOutside(x, y - 1) || touchesOutside(x, y + 1))
                inner.append({x, y});
        }
    }
    for (const QPoint &pt : rim)
        image.setPixelColor(pt, kOutline);
    for (const QPoint &pt : inner)
        image.setPixelColor(pt, kHighlight);
}

void layRim(QImage &image, const QRegion &shape)
{
    layRim(image, [&](int x, int y) { return shape.contains(QPoint(x, y)); });
}

// A shaped page: pure blue outside the card, the card within, and an optional header band.
// `decorate` paints the page's own parts, clipped to the card's inside.
QImage shapedPage(int w, int h, bool headerBand, const std::function<void(QPainter &)> &decorate)
{
    const QRegion shape = cardShape() & QRegion(0, 0, w, h);
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(kKey);
    {
        QPainter p(&image);
        p.setClipRegion(shape);
        p.fillRect(image.rect(), kCard);
        if (headerBand) {
            p.fillRect(QRect(0, 33, w, 30), kHeader);
            p.fillRect(QRect(0, 63, w, 1), kHeaderLine);
        }
    }
    layRim(image, shape);
    QPainter p(&image);
    prepare(p);
    p.setClipRegion(shape);
    decorate(p);
    return image;
}

// A panel filling its whole rectangle: the card colour to the edges with a rounded rim inside.
QImage cardPanel(int w, int h, const std::function<void(QPainter &)> &decorate)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(kCard);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 7, 7);
    p.setPen(QPen(kHighlight, 1));
    p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h - 3), 6, 6);
    decorate(p);
    return image;
}

// A sunken panel other controls sit on; the corners stay see-through.
QImage insetPanel(int w, int h)
{
    QImage image = blank(w, h);
    QPainter p(&image);
    prepare(p);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(kPanel);
    p.drawRoundedRect(r, 6, 6);
    // A soft shadow under the top edge reads as depth.
    p.setPen(QPen(kPanelShadow, 1));
    p.drawLine(QPointF(6, 1.5), QPointF(w - 6, 1.5));
    return image;
}

void fillPill(QPainter &p, const QRectF &r, double radius)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, kButtonTop);
    fill.setColorAt(1, kButtonBottom);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(r.left() + radius, r.top() + 1), QPointF(r.right() - radius, r.top() + 1));
}

QImage button(int w, int h, const QString &word)
{
    QImage image = blank(w, h);
    QPainter p(&image);
    prepare(p);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    fillPill(p, r, r.height() / 2);
    const QFont font = fitted(word, w - h, std::lround(h * 0.48), true);
    p.setFont(font);
    p.setPen(kInk);
    const double width = QFontMetricsF(font).horizontalAdvance(word);
    p.drawText(QPointF(std::round((w - width) / 2), centredBaseline(font, h / 2.0)), word);
    return image;
}

QImage closeButton()
{
    QImage image = blank(17, 17);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(kCloseEdge, 1));
    p.setBrush(kClose);
    p.drawEllipse(QRectF(0.5, 0.5, 16, 16));
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.5, 5.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 5.5), QPointF(5.5, 11.5));
    return image;
}

QImage browseButton()
{
    QImage image = blank(16, 14);
    QPainter p(&image);
    prepare(p);
    fillPill(p, QRectF(0.5, 0.5, 15, 13), 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (double x : {4.5, 8.0, 11.5})
        p.drawEllipse(QPointF(x, 8.5), 1.1, 1.1);
    return image;
}

QImage link()
{
    QImage image = blank(257, 23);
    QPainter p(&image);
    prepare(p);
    // A round "?" in front says where the link leads before the words are read.
    p.setPen(QPen(kLink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(4.5, 4.5, 14, 14));
    const QFont mark = sans(11, true);
    p.setFont(mark);
    const double markWidth = QFontMetricsF(mark).horizontalAdvance(QStringLiteral("?"));
    p.drawText(QPointF(std::round(11.5 - markWidth / 2), centredBaseline(mark, 11.5)),
               QStringLiteral("?"));

    const QString text = QStringLiteral("Open the help page in your browser \u203A");
    QFont font = fitted(text, 257 - 26, 12, false);
    font.setUnderline(true);
    p.setFont(font);
    p.drawText(QPointF(25, centredBaseline(font, 11.5)), text);
    return image;
}

// The unselected radio ring; a marker drawn over the same 13x13 cell must hide all of it.
void ring(QPainter &p, QPointF topLeft)
{
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(kField);
    p.drawEllipse(QRectF(topLeft + QPointF(1.5, 1.5), QSizeF(10, 10)));
}

QImage option(int w, const QString &word)
{
    QImage image = blank(w, 13);
    QPainter p(&image);
    prepare(p);
    ring(p, QPointF(0, 0));
    const QFont font = fitted(word, w - 15, 9, false);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QPointF(15, centredBaseline(font, 6.5)), word);
    return image;
}

QImage readChoice(int w, const QString &words)
{
    QImage image = blank(w, 17);
    QPainter p(&image);
    prepare(p);
    ring(p, QPointF(2, 2));
    // One size for all three rows: 10 px is what the two short rows hold.
    const QFont font = sans(10, false);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QPointF(17, centredBaseline(font, 8.5)), words);
    return image;
}

// The selected marker: an opaque disc in the colour it sits on, wide enough to bury the ring.
QImage marker(const QColor &ground)
{
    QImage image = blank(13, 13);
    QPainter p(&image);
    // Laid pixel by pixel: every pixel the ring's soft edge reaches must be fully covered.
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            if (std::hypot(x + 0.5 - 6.5, y + 0.5 - 6.5) <= 6.6)
                image.setPixelColor(x, y, ground);
    prepare(p);
    ring(p, QPointF(0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(kMarker);
    p.drawEllipse(QPointF(6.5, 6.5), 3, 3);
    return image;
}

QImage drive()
{
    QImage image = blank(250, 23);
    QPainter p(&image);
    prepare(p);
    const QRectF r(0.5, 0.5, 249, 22);
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(kField);
    p.drawRoundedRect(r, 4, 4);

    // A small disk drive ahead of the name.
    p.setPen(QPen(kSoftInk, 1));
    p.setBrush(QColor(214, 222, 234));
    p.drawRoundedRect(QRectF(8.5, 7.5, 17, 9), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 170, 96));
    p.drawEllipse(QPointF(21.5, 12.5), 1.4, 1.4);

    // The drop-down end: its own pill-coloured cap with the arrow.
    QPainterPath cap;
    cap.addRoundedRect(QRectF(228.5, 0.5, 21, 22), 4, 4);
    cap.addRect(QRectF(228.5, 0.5, 8, 22));
    cap.setFillRule(Qt::WindingFill);
    QLinearGradient fill(0, 0, 0, 23);
    fill.setColorAt(0, kButtonTop);
    fill.setColorAt(1, kButtonBottom);
    p.setBrush(fill);
    p.drawPath(cap.simplified());
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 4, 4);
    p.drawLine(QPointF(228.5, 1), QPointF(228.5, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{235.5, 9.5}, {243.5, 9.5}, {239.5, 14.5}}));
    return image;
}

QImage scrollTrack(int w, int h)
{
    QImage image = blank(w, h);
    QPainter p(&image);
    prepare(p);
    const double width = std::min(w - 4, 12);
    const QRectF r((w - width) / 2, 0.5, width, h - 1);
    QLinearGradient fill(r.topLeft(), r.topRight());
    fill.setColorAt(0, kPanelShadow);
    fill.setColorAt(1, kPanel);
    p.setPen(QPen(kPanelEdge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, width / 2, width / 2);
    return image;
}

QImage scrollButton(bool up)
{
    QImage image = blank(14, 14);
    QPainter p(&image);
    prepare(p);
    fillPill(p, QRectF(0.5, 0.5, 13, 13), 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    const QPolygonF arrow = up ? QPolygonF({{3.5, 9}, {10.5, 9}, {7, 4.5}})
                               : QPolygonF({{3.5, 5}, {10.5, 5}, {7, 9.5}});
    p.drawPolygon(arrow);
    return image;
}

QImage backPage();
QImage flipStrip();
QImage about();

const std::map<QString, std::function<QImage()>> &pictures()
{
    static const std::map<QString, std::function<QImage()>> all = {
        {"background",
         [] {
             return shapedPage(287, 287, true, [](QPainter &p) {
                 title(p, QStringLiteral("Quillet brain"), 143.5, 49);
                 // Between the help link's bottom (row 90) and the list's top (row 96).
                 caption(p, QStringLiteral("Your commands"), 25, 97, 90);
             });
         }},
        {"addpage",
         [] {
             return shapedPage(287, 287, true, [](QPainter &p) {
                 title(p, QStringLiteral("New command"), 143.5, 49);
                 caption(p, QStringLiteral("Say this phrase:"), 24, 88, 64);
                 caption(p, QStringLiteral("Do this:"), 20, 118, 105);
                 // Under the options' words (to row 129) and above the Read, Script and plugin
                 // panels (from row 136), which would cover it lower down.
                 caption(p, QStringLiteral("With this:"), 24, 137, 130);
                 // The Speak option's picture is hidden while Speak is the chosen kind; its
                 // word stays readable on the page beneath the marker.
                 p.drawImage(120, 118, option(48, QStringLiteral("Speak")));
             });
         }},
        {"changepage",
         [] {
             return cardPanel(287, 165, [](QPainter &p) {
                 caption(p, QStringLiteral("Phrase:"), 24, 16, 3);
                 caption(p, QStringLiteral("Does:"), 23, 50, 36);
             });
         }},
        {"browserpage",
         [] {
             return shapedPage(287, 287, false, [](QPainter &p) {
                 // The drive row starts right under the card's top, so the title shares
                 // the first line and baseline with the drive caption, set off to the right.
                 const QString text = QStringLiteral("Choose a file or folder");
                 const QFont font = sans(12, true);
                 p.setFont(font);
                 p.setPen(kInk);
                 const double width = QFontMetricsF(font).horizontalAdvance(text);
                 p.drawText(QPointF(std::round(268 - width), 47), text);
                 caption(p, QStringLiteral("Drive:"), 19, 48, 34, 9);
                 caption(p, QStringLiteral("Folders:"), 19, 80, 72, 9);
                 caption(p, QStringLiteral("Files:"), 19, 142, 130, 9);
             });
         }},
        {"characterpage",
         [] {
             return shapedPage(287, 255, true, [](QPainter &p) {
                 title(p, QStringLiteral("Characters"), 143.5, 49);
             });
         }},
        {"scriptbox", [] { return insetPanel(253, 80); }},
        {"readchoices", [] { return insetPanel(252, 56); }},
        {"drive", drive},
        {"add", [] { return button(82, 27, QStringLiteral("Add")); }},
        {"addnew", [] { return button(82, 27, QStringLiteral("Add")); }},
        {"remove", [] { return button(82, 27, QStringLiteral("Remove")); }},
        {"change", [] { return button(82, 27, QStringLiteral("Change")); }},
        {"save", [] { return button(82, 27, QStringLiteral("Save")); }},
        {"browse", [] { return button(82, 27, QStringLiteral("Browse")); }},
        {"select", [] { return button(82, 27, QStringLiteral("Select")); }},
        {"cancel", [] { return button(81, 25, QStringLiteral("Cancel")); }},
        {"cancelchange", [] { return button(84, 29, QStringLiteral("Cancel")); }},
        {"close", [] { return button(81, 25, QStringLiteral("Close")); }},
        {"closebutton", closeButton},
        {"browsebutton", browseButton},
        {"link", link},
        {"scriptradio", [] { return option(43, QStringLiteral("Script")); }},
        {"openradio", [] { return option(44, QStringLiteral("Open")); }},
        {"speakradio", [] { return option(48, QStringLiteral("Speak")); }},
        {"typeradio", [] { return option(41, QStringLiteral("Type")); }},
        {"readradio", [] { return option(44, QStringLiteral("Read")); }},
        // The options lie on the card, the read choices on their panel.
        {"dot", [] { return marker(kCard); }},
        {"dot2", [] { return marker(kPanel); }},
        {"telltime", [] { return readChoice(65, QStringLiteral("the time")); }},
        {"telldate", [] { return readChoice(65, QStringLiteral("the date")); }},
        {"readtext", [] { return readChoice(145, QStringLiteral("the selected text")); }},
        {"scrolllist", [] { return scrollTrack(20, 105); }},
        {"scroll2", [] { return scrollTrack(14, 47); }},
        {"scroll1", [] { return scrollTrack(18, 66); }},
        {"scrollup", [] { return scrollButton(true); }},
        {"scrolldown", [] { return scrollButton(false); }},
        {"flipstrip", flipStrip},
        {"about", about},
    };
    return all;
}

// The back of the card, seen when the editor turns over: the same card and rim as the front,
// a faint lattice inside a border, and the name on a plate of its own.
QImage backPage()
{
    return shapedPage(287, 287, false, [](QPainter &p) {
        const QRectF border(10.5, 41.5, 266, 204);
        {
            p.save();
            QPainterPath inside;
            inside.addRoundedRect(border, 8, 8);
            p.setClipPath(inside, Qt::IntersectClip);
            p.setPen(QPen(QColor(220, 228, 240), 1));
            for (int x = -240; x < 300; x += 14) {
                p.drawLine(QPointF(x, 32), QPointF(x + 223, 255));
                p.drawLine(QPointF(x + 223, 32), QPointF(x, 255));
            }
            p.restore();
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kHeaderLine, 2));
        p.drawRoundedRect(border, 8, 8);
        p.setPen(QPen(kHighlight, 1));
        p.drawRoundedRect(border.adjusted(2.5, 2.5, -2.5, -2.5), 6, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(kHeaderLine);
        for (const QPointF &corner :
             {border.topLeft(), border.topRight(), border.bottomLeft(), border.bottomRight()}) {
            const QPointF c =
                corner + QPointF(corner.x() < 143 ? 10 : -10, corner.y() < 143 ? 10 : -10);
            p.drawPolygon(QPolygonF(
                {c + QPointF(0, -4), c + QPointF(4, 0), c + QPointF(0, 4), c + QPointF(-4, 0)}));
        }

        const QRectF plate(58.5, 119.5, 170, 48);
        p.setPen(QPen(kPanelEdge, 1));
        p.setBrush(kHeader);
        p.drawRoundedRect(plate, 10, 10);
        p.setPen(QPen(kHighlight, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(1.5, 1.5, -1.5, -1.5), 8.5, 8.5);
        const QString name = QStringLiteral("Quillet");
        const QFont font = sans(26, true);
        p.setFont(font);
        p.setPen(kInk);
        const double width = QFontMetricsF(font).horizontalAdvance(name);
        p.drawText(QPointF(std::round(plate.center().x() - width / 2),
                           centredBaseline(font, plate.center().y())),
                   name);
    });
}

// --- The about picture -------------------------------------------------------------------

// The character strips the about picture shows, as given on the command line.
QStringList &characterFiles()
{
    static QStringList files;
    return files;
}

// A character's frame 0 as the character window shows it: the strip is a bitmap whose first
// byte is stored as 0, its frames 112 x 144 side by side, and its pure white is see-through.
// Cut to the figure, so figures of different builds stand on one line.
QImage characterFigure(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return {};
    bytes[0] = 'B';
    QImage strip;
    if (!strip.loadFromData(bytes, "BMP") || strip.width() < 112 || strip.height() < 144)
        return {};
    QImage frame = strip.copy(0, 0, 112, 144).convertToFormat(QImage::Format_ARGB32);
    QRect figure;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            if (frame.pixel(x, y) == 0xFFFFFFFF)
                frame.setPixel(x, y, 0);
            else
                figure |= QRect(x, y, 1, 1);
        }
    }
    return frame.copy(figure);
}

// Sound rising from a speaker: arcs opening towards `side` (1 to the right, -1 to the left).
void soundArcs(QPainter &p, QPointF from, int side)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const double r = 5 + 5 * i;
        QColor colour = kLink;
        colour.setAlpha(230 - 60 * i);
        p.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(from.x() - r, from.y() - r, 2 * r, 2 * r), side > 0 ? -40 * 16 : 140 * 16,
                  80 * 16);
    }
}

// Lies over the card from its top edge, 32 px down the window, so its card is the pages' card
// moved up by that much: the window cuts it along the same rim. Null when a character cannot
// be read, so the build stops rather than ship the picture without them.
QImage about()
{
    QList<QImage> figures;
    for (const QString &path : characterFiles()) {
        const QImage figure = characterFigure(path);
        if (figure.isNull()) {
            std::fprintf(stderr, "quillet_skingen: cannot read the character %s\n",
                         qPrintable(path));
            return {};
        }
        figures.append(figure);
    }
    if (figures.isEmpty()) {
        std::fprintf(stderr, "quillet_skingen: the about picture needs --character files\n");
        return {};
    }

    constexpr int kW = 286, kH = 223, kTop = 32;
    constexpr int kFooterTop = 197;
    const QRegion shape = cardShape().translated(0, -kTop) & QRegion(0, 0, kW, kH);
    QImage image(kW, kH, QImage::Format_ARGB32_Premultiplied);
    image.fill(kKey);
    {
        QPainter p(&image);
        p.setClipRegion(shape);
        p.fillRect(image.rect(), kCard);
        p.fillRect(QRect(0, kFooterTop, kW, kH - kFooterTop), kHeader);
        p.fillRect(QRect(0, kFooterTop, kW, 1), kHeaderLine);
    }
    layRim(image, shape);
    QPainter p(&image);
    prepare(p);
    p.setClipRegion(shape);

    const auto centred = [&](const QString &text, const QFont &font, double baseline) {
        p.setFont(font);
        const double width = QFontMetricsF(font).horizontalAdvance(text);
        p.drawText(QPointF(std::round(kW / 2.0 - width / 2), baseline), text);
    };
    p.setPen(kInk);
    centred(QStringLiteral("Quillet"), sans(34, true), 44);
    p.setPen(kSoftInk);
    const QString line = QStringLiteral("A voice-driven companion for your desktop");
    centred(line, fitted(line, 250, 12, false), 64);

    // The characters stand side by side on one floor, all at one scale so they keep their
    // sizes to each other, each with its shadow and the sound of its voice.
    constexpr int kFloor = 186, kTallest = 108, kGap = 40;
    int tallest = 0;
    for (const QImage &figure : figures)
        tallest = std::max(tallest, figure.height());
    const double scale = std::min(1.0, double(kTallest) / tallest);
    QList<QImage> scaled;
    int row = kGap * (int(figures.size()) - 1);
    for (const QImage &figure : figures) {
        scaled.append(figure.scaled(QSize(int(std::lround(figure.width() * scale)),
                                          int(std::lround(figure.height() * scale))),
                                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        row += scaled.last().width();
    }
    int x = (kW - row) / 2;
    for (int i = 0; i < scaled.size(); ++i) {
        const QImage &figure = scaled.at(i);
        p.setPen(Qt::NoPen);
        p.setBrush(kPanelShadow);
        p.drawEllipse(QPointF(x + figure.width() / 2.0, kFloor - 1), figure.width() * 0.42, 4);
        p.drawImage(x, kFloor - figure.height(), figure);
        // The outer characters speak outwards; between two of them the sound meets.
        const double mouthY = kFloor - figure.height() * 0.45;
        if (i == 0)
            soundArcs(p, QPointF(x - 2, mouthY), -1);
        if (i == scaled.size() - 1)
            soundArcs(p, QPointF(x + figure.width() + 2, mouthY), 1);
        x += figure.width() + kGap;
    }

    p.setPen(kSoftInk);
    const QString hint = QStringLiteral("Right-click for more, click to close");
    centred(hint, sans(10, false), centredBaseline(sans(10, false), (kFooterTop + 1 + 216) / 2.0));
    return image;
}

// --- The card turning over ---------------------------------------------------------------

// The strip's own see-through colour; the window is cut along it frame by frame.
const QColor kFlipKey(4, 4, 252);
constexpr int kFlipFrames = 17;
constexpr int kFlipWidth = 287;
// Each frame's slice as the offset the strip is laid at behind the window, in twips.
constexpr int kFlipLeftTwips[kFlipFrames] = {0,      -4290,  -8570,  -12870, -17160, -21450,
                                             -25750, -30060, -34360, -38650, -42960, -47260,
                                             -51570, -55870, -60180, -64480, -68790};
// The card's extent in each frame's slice, right and bottom exclusive. It narrows to a sliver
// in the middle frame, where the card is edge-on; after it the back comes round.
constexpr int kFlipCard[kFlipFrames][4] = {
    {16, 27, 269, 262},  {31, 23, 245, 266},  {49, 22, 227, 267},  {62, 23, 206, 265},
    {82, 24, 180, 266},  {100, 23, 168, 266}, {114, 23, 152, 265}, {124, 26, 139, 265},
    {131, 31, 135, 264}, {136, 19, 152, 272}, {125, 22, 165, 269}, {112, 19, 182, 268},
    {100, 21, 198, 269}, {77, 22, 221, 267},  {58, 19, 237, 270},  {42, 22, 256, 267},
    {18, 27, 271, 262}};
// Where the card lies on a page, and the rows of its rounded corner: how far each of the
// corner's rows starts in from the side.
const QRect kCardArea(1, 32, 285, 223);
constexpr int kCornerInset[] = {6, 4, 3, 2, 1, 1};
constexpr int kCornerRows = int(std::size(kCornerInset));
// How far the eye is from the card, in pixels: nearer turns the edges more steeply.
constexpr double kViewDistance = 1300;
// Every slanted row starts another band of the window shape, which the window system keeps as
// one rectangle each; this keeps a frame's shape to a modest count.
constexpr int kMostSlant = 55;

int flipSliceLeft(int frame)
{
    return int(std::lround(-kFlipLeftTwips[frame] / 15.0));
}

// Lays a card face, as cut from a page, onto the frame's quadrilateral.
QTransform faceOnto(const QPolygonF &quad)
{
    const double w = kCardArea.width(), h = kCardArea.height();
    QTransform warp;
    QTransform::quadToQuad(QPolygonF({{0, 0}, {w, 0}, {w, h}, {0, h}}), quad, warp);
    return warp;
}

struct Span {
    int left, right;
};

// One frame's card: the near edge upright over the full height, the far edge shorter by the
// slant at top and bottom. The rows are whole pixels: the window cuts along exactly these, so
// the outline the eye sees and the shape's edge are the same pixels.
struct TurnedCard {
    QRect bounds;
    bool back = false;
    bool edgeOn = false;
    int slant = 0;
    double turn = 0; // how far from facing the viewer, 0 to 1
    QPolygonF quad;
    QList<Span> rows; // from bounds.top() down

    bool contains(int x, int y) const
    {
        if (y < bounds.top() || y > bounds.bottom())
            return false;
        const Span &row = rows.at(y - bounds.top());
        return x >= row.left && x < row.right;
    }
};

TurnedCard turnedCard(int frame)
{
    const auto &b = kFlipCard[frame];
    TurnedCard card;
    card.bounds = QRect(QPoint(b[0], b[1]), QPoint(b[2] - 1, b[3] - 1));
    card.back = frame > kFlipFrames / 2;
    const int w = card.bounds.width(), h = card.bounds.height();
    card.edgeOn = w < 8;

    // Judge the angle from how narrow the card looks against its near edge's height, and
    // the far edge's shortening from how much deeper it lies.
    const double nearScale = h / double(kCardArea.height());
    const double facing = std::min(1.0, w / (kCardArea.width() * nearScale));
    const double depth = kCardArea.width() / 2.0 * nearScale * std::sqrt(1 - facing * facing);
    card.turn = 1 - facing;
    card.slant = card.edgeOn
                     ? 1
                     : std::min(kMostSlant, int(std::lround(h * depth / (kViewDistance + depth))));

    const double l = b[0], t = b[1], r = b[2], btm = b[3], d = card.slant;
    card.quad = card.back ? QPolygonF({{l, t + d}, {r, t}, {r, btm}, {l, btm - d}})
                          : QPolygonF({{l, t}, {r, t + d}, {r, btm - d}, {l, btm}});

    // The rounded corners follow the card's squeeze at each edge.
    const QTransform warp = faceOnto(card.quad);
    const double corner = kCornerInset[0], middle = kCardArea.height() / 2.0;
    const auto squeezeAt = [&](double x) {
        return std::abs(warp.map(QPointF(x + corner, middle)).x() -
                        warp.map(QPointF(x, middle)).x()) /
               corner;
    };
    const double rightSide = kCardArea.width() - corner;
    const double nearSqueeze = squeezeAt(card.back ? rightSide : 0);
    const double farSqueeze = squeezeAt(card.back ? 0 : rightSide);

    for (int i = 0; i < h; ++i) {
        const int fromEdge = std::min(i, h - 1 - i);
        int reach = w;
        if (fromEdge < card.slant)
            reach = std::clamp(int(std::lround((fromEdge + 0.5) * w / card.slant)), 1, w);
        int nearCut =
            fromEdge < kCornerRows ? int(std::lround(kCornerInset[fromEdge] * nearSqueeze)) : 0;
        const int farRow = fromEdge - card.slant;
        int farCut = farRow >= 0 && farRow < kCornerRows
                         ? int(std::lround(kCornerInset[farRow] * farSqueeze))
                         : 0;
        // Every row keeps a pixel, so the card keeps its full height.
        nearCut = std::min(nearCut, reach - 1);
        farCut = std::min(farCut, reach - 1 - nearCut);
        card.rows.append(card.back ? Span{b[2] - reach + farCut, b[2] - nearCut}
                                   : Span{b[0] + nearCut, b[0] + reach - farCut});
    }
    // Where a steep slant meets a rounded corner, a row can end up beside the next one
    // instead of on it; it is widened to touch, so the card stays one piece.
    const auto joinTo = [](Span &row, const Span &inner) {
        row.left = std::min(row.left, inner.right - 1);
        row.right = std::max(row.right, inner.left + 1);
    };
    for (int i = h / 2 - 1; i >= 0; --i)
        joinTo(card.rows[i], card.rows.at(i + 1));
    for (int i = h - h / 2; i < h; ++i)
        joinTo(card.rows[i], card.rows.at(i - 1));
    return card;
}

// The card's face as the turned card shows it: the card area of a page, with the page's
// see-through corners in the card colour so the warp blends nothing blue into the edge.
QImage cardFace(const QImage &page)
{
    QImage face = page.copy(kCardArea).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixelColor(x, y) == kKey)
                face.setPixelColor(x, y, kCard);
    return face;
}

QImage flipFrame(const TurnedCard &card, const QImage &front, const QImage &back)
{
    QImage frame(kFlipWidth, 287, QImage::Format_ARGB32_Premultiplied);
    frame.fill(kFlipKey);
    QRegion shape;
    for (int i = 0; i < card.rows.size(); ++i) {
        const Span &row = card.rows.at(i);
        shape += QRect(row.left, card.bounds.top() + i, row.right - row.left, 1);
    }
    const auto inside = [&](int x, int y) { return card.contains(x, y); };
    QPainter p(&frame);
    p.setClipRegion(shape);
    // Edge-on there is no face to see, only the card's thickness.
    p.fillRect(card.bounds, card.edgeOn ? kPanelEdge : kCard);
    if (!card.edgeOn) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setTransform(faceOnto(card.quad));
        p.drawImage(0, 0, card.back ? back : front);
    }
    p.end();
    layRim(frame, inside);

    // Light falls from in front: the more the card turns away, the darker it gets, most of
    // all towards its far edge.
    p.begin(&frame);
    p.setClipRegion(shape);
    const double nearX = card.back ? card.bounds.right() + 1 : card.bounds.left();
    const double farX = card.back ? card.bounds.left() : card.bounds.right() + 1;
    QLinearGradient shade(nearX, 0, farX, 0);
    shade.setColorAt(0, QColor(20, 30, 50, int(std::lround(90 * card.turn))));
    shade.setColorAt(1, QColor(20, 30, 50, int(std::lround(150 * card.turn))));
    p.fillRect(card.bounds, shade);
    p.end();
    return frame;
}

QImage flipStrip()
{
    const QImage front = cardFace(pictures().at(QStringLiteral("background"))());
    const QImage back = cardFace(backPage());
    const int width = flipSliceLeft(kFlipFrames - 1) + kFlipWidth;
    QImage strip(width, 287, QImage::Format_ARGB32);
    strip.fill(kFlipKey);
    std::vector<bool> card(size_t(width) * strip.height());
    for (int k = 0; k < kFlipFrames; ++k) {
        const TurnedCard turned = turnedCard(k);
        const QImage frame = flipFrame(turned, front, back);
        const int left = flipSliceLeft(k);
        for (int y = turned.bounds.top(); y <= turned.bounds.bottom(); ++y) {
            const Span &row = turned.rows.at(y - turned.bounds.top());
            for (int x = row.left; x < row.right; ++x) {
                QColor colour = frame.pixelColor(x, y);
                colour.setAlpha(255);
                // Only the key colour is cut away; a card pixel that landed on it is moved off.
                if (colour == kFlipKey)
                    colour.setGreen(kFlipKey.green() + 1);
                strip.setPixelColor(left + x, y, colour);
                card[size_t(y) * width + left + x] = true;
            }
        }
    }
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < width; ++x)
            if (!card[size_t(y) * width + x])
                strip.setPixelColor(x, y, kFlipKey);
    return strip;
}

// The window shapes of the turning card as C++ source, read back from the strip as saved so
// they are the shapes of the very pixels the program shows.
bool writeFlipShapes(const QString &stripPath, const QString &sourcePath)
{
    const QImage strip(stripPath);
    if (strip.isNull())
        return false;
    QByteArray out;
    out += "// Written by quillet_skingen from flipstrip.png; drawn again with the picture.\n"
           "#include \"FlipShapes.h\"\n\nnamespace FlipShapes {\n\nnamespace {\n\n";
    QByteArray twips = "const int kLeftTwips[kFrames] = {",
               lefts = "const int kSliceLeft[kFrames] = {";
    QByteArray rects = "const ShapeRect kRects[] = {\n",
               firsts = "const int kFirst[kFrames + 1] = {0";
    int count = 0;
    for (int k = 0; k < kFlipFrames; ++k) {
        const QByteArray comma = k ? ", " : "";
        twips += comma + QByteArray::number(kFlipLeftTwips[k]);
        lefts += comma + QByteArray::number(flipSliceLeft(k));
        const QList<ShapeRect> shape =
            ShapeBands::derive(strip, kFlipKey.rgb(), flipSliceLeft(k), kFlipWidth);
        rects += "    // frame " + QByteArray::number(k) + "\n";
        for (const ShapeRect &r : shape)
            rects += QByteArray("    {") + QByteArray::number(r.left) + ", " +
                     QByteArray::number(r.top) + ", " + QByteArray::number(r.right) + ", " +
                     QByteArray::number(r.bottom) + "},\n";
        count += int(shape.size());
        firsts += ", " + QByteArray::number(count);
    }
    out += twips + "};\n" + lefts + "};\n\n";
    out += "// Frame k's rectangles are kRects[kFirst[k]] up to kRects[kFirst[k + 1]].\n";
    out += rects + "};\n" + firsts + "};\n\n} // namespace\n\n";
    out += "int sliceLeft(int frame)\n{\n"
           "    return frame >= 0 && frame < kFrames ? kSliceLeft[frame] : 0;\n}\n\n"
           "int flippiLeftTwips(int frame)\n{\n"
           "    return frame >= 0 && frame < kFrames ? kLeftTwips[frame] : 0;\n}\n\n"
           "const QList<ShapeRect> &shape(int frame)\n{\n"
           "    static const QList<QList<ShapeRect>> shapes = [] {\n"
           "        QList<QList<ShapeRect>> all;\n"
           "        for (int k = 0; k < kFrames; ++k)\n"
           "            all.append(QList<ShapeRect>(kRects + kFirst[k], kRects + kFirst[k + 1]));\n"
           "        return all;\n"
           "    }();\n"
           "    static const QList<ShapeRect> none;\n"
           "    return frame >= 0 && frame < kFrames ? shapes.at(frame) : none;\n}\n\n"
           "} // namespace FlipShapes\n";
    QFile file(sourcePath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(out) == out.size();
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QString flipShapes;
    QStringList names;
    for (int i = 2; i < argc; ++i) {
        const bool option =
            qstrcmp(argv[i], "--flip-shapes") == 0 || qstrcmp(argv[i], "--character") == 0;
        if (option && i + 1 == argc)
            return 2;
        if (qstrcmp(argv[i], "--flip-shapes") == 0)
            flipShapes = QString::fromLocal8Bit(argv[++i]);
        else if (qstrcmp(argv[i], "--character") == 0)
            characterFiles().append(QString::fromLocal8Bit(argv[++i]));
        else
            names.append(QString::fromLocal8Bit(argv[i]));
    }
    for (const QString &name : names) {
        const auto found = pictures().find(name);
        if (found == pictures().end()) {
            std::fprintf(stderr, "quillet_skingen: no picture called %s\n", qPrintable(name));
            return 1;
        }
        const QImage image = found->second().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull() || !image.save(dir + '/' + name + ".png", "PNG")) {
            std::fprintf(stderr, "quillet_skingen: cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    if (!flipShapes.isEmpty() && !writeFlipShapes(dir + "/flipstrip.png", flipShapes)) {
        std::fprintf(stderr, "quillet_skingen: cannot write the turning card's shapes\n");
        return 1;
    }
    return 0;
}
