#include "EditorSkin.h"

#include <QFile>
#include <QHash>
#include <QRegion>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kKey = 0xFF0000FF;

// Every picture the editor and its tests name.
const char *const kPictures[] = {
    "background",  "addpage",      "changepage", "browserpage", "characterpage", "scriptbox",
    "readchoices", "drive",        "add",        "addnew",      "remove",        "change",
    "save",        "browse",       "select",     "cancel",      "cancelchange",  "close",
    "closebutton", "browsebutton", "link",       "scriptradio", "openradio",     "speakradio",
    "typeradio",   "readradio",    "dot",        "dot2",        "telltime",      "telldate",
    "readtext",    "scrolllist",   "scroll2",    "scroll1",     "scrollup",      "scrolldown",
    "about",
};

QImage load(const char *name)
{
    return EditorSkin::image(QString::fromLatin1(name)).convertToFormat(QImage::Format_ARGB32);
}

QRegion cardShape()
{
    const int rows[][4] = {{7, 32, 280, 33},   {5, 33, 282, 34},   {4, 34, 283, 35},
                           {3, 35, 284, 36},   {2, 36, 285, 38},   {1, 38, 286, 249},
                           {2, 249, 285, 252}, {3, 252, 284, 253}, {4, 253, 283, 254},
                           {7, 254, 280, 255}};
    QRegion shape;
    for (const auto &r : rows)
        shape += QRect(r[0], r[1], r[2] - r[0], r[3] - r[1]);
    return shape;
}

// The sizes are checked against the controls that show them, in the editor's own tests.
TEST(EditorSkin, EveryPictureIsCompiledIn)
{
    for (const char *name : kPictures) {
        SCOPED_TRACE(name);
        const QPixmap pixmap = EditorSkin::picture(QString::fromLatin1(name));
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(load(name).size(), pixmap.size());
    }
    EXPECT_TRUE(EditorSkin::picture(QStringLiteral("nosuchpicture")).isNull());
    EXPECT_TRUE(EditorSkin::image(QStringLiteral("nosuchpicture")).isNull());
}

// The window cuts itself along the pure blue, so it must lie exactly outside the card.
TEST(EditorSkin, ShapedPagesAreBlueExactlyOutsideTheCard)
{
    const QRegion shape = cardShape();
    for (const char *name : {"background", "addpage", "browserpage", "characterpage"}) {
        SCOPED_TRACE(name);
        const QImage page = load(name);
        int wrong = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                wrong += shape.contains(QPoint(x, y)) == (page.pixel(x, y) == kKey);
        EXPECT_EQ(wrong, 0);
    }
}

// The about picture lies over the card from its top edge, 32 px down the window, which cuts it
// along the same rim as the pages.
TEST(EditorSkin, AboutPictureIsBlueExactlyOutsideTheCard)
{
    const QRegion shape = cardShape().translated(0, -32);
    const QImage about = load("about");
    ASSERT_EQ(about.size(), QSize(286, 223));
    int wrong = 0;
    for (int y = 0; y < about.height(); ++y)
        for (int x = 0; x < about.width(); ++x)
            wrong += shape.contains(QPoint(x, y)) == (about.pixel(x, y) == kKey);
    EXPECT_EQ(wrong, 0);
}

// The about picture shows the characters the build ships, as their strips draw them: each
// one's main colour, the largest area of its first frame, shows in a good share of the picture.
TEST(EditorSkin, AboutPictureShowsTheShippedCharacters)
{
    QHash<QRgb, int> inAbout;
    const QImage about = load("about");
    for (int y = 0; y < about.height(); ++y)
        for (int x = 0; x < about.width(); ++x)
            ++inAbout[about.pixel(x, y)];
    for (const char *name : {"Pebble", "Clover"}) {
        SCOPED_TRACE(name);
        QFile file(QStringLiteral(QUILLET_APP_DIR "/Character/%1.qlc").arg(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        bytes[0] = 'B';
        QImage strip;
        ASSERT_TRUE(strip.loadFromData(bytes, "BMP"));
        const QImage frame = strip.copy(0, 0, 112, 144).convertToFormat(QImage::Format_ARGB32);
        QHash<QRgb, int> inFrame;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                if (frame.pixel(x, y) != 0xFFFFFFFF)
                    ++inFrame[frame.pixel(x, y)];
        const auto main =
            std::max_element(inFrame.constKeyValueBegin(), inFrame.constKeyValueEnd(),
                             [](const auto &a, const auto &b) { return a.second < b.second; });
        ASSERT_NE(main, inFrame.constKeyValueEnd());
        EXPECT_GT(inAbout.value(main->first), main->second / 4)
            << "colour " << std::hex << main->first << " covers " << std::dec << main->second
            << " pixels of the frame";
    }
}

// The editor lays its own link, status line and buttons on these parts of the front page.
TEST(EditorSkin, FrontPageIsPlainWhereTheEditorDraws)
{
    const QImage page = load("background");
    for (const QRect &area : {QRect(16, 67, 257, 23), QRect(24, 205, 245, 13),
                              QRect(8, 219, 271, 28), QRect(11, 40, 17, 17)}) {
        const QRgb first = page.pixel(area.topLeft());
        int differing = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                differing += page.pixel(x, y) != first;
        EXPECT_EQ(differing, 0) << area.x() << "," << area.y();
    }
}

TEST(EditorSkin, ButtonsCarryAWord)
{
    for (const char *name :
         {"add", "addnew", "remove", "change", "save", "browse", "select", "cancel", "cancelchange",
          "close", "link", "scriptradio", "openradio", "speakradio", "typeradio", "readradio",
          "telltime", "telldate", "readtext"}) {
        SCOPED_TRACE(name);
        const QImage image = load(name);
        // Where the word is: the middle of a pill, right of the ring of an option.
        const QRect middle = image.height() < 20 ? QRect(16, 2, image.width() - 17, 11)
                                                 : image.rect().adjusted(image.height() / 2, 4,
                                                                         -image.height() / 2, -4);
        int darkest = 255, lightest = 0;
        for (int y = middle.top(); y <= middle.bottom(); ++y) {
            for (int x = middle.left(); x <= middle.right(); ++x) {
                const QRgb c = image.pixel(x, y);
                const int grey = qAlpha(c) == 0 ? 255 : qGray(c) * qAlpha(c) / 255;
                darkest = std::min(darkest, grey);
                lightest = std::max(lightest, grey);
            }
        }
        EXPECT_LT(darkest, 110);
        EXPECT_GT(lightest - darkest, 100);
    }
}

// A selected marker is laid over an option's ring; any ring pixel it leaves uncovered shows.
TEST(EditorSkin, MarkersHideTheRingTheyCover)
{
    struct Ring {
        const char *name;
        QPoint at;
    };
    for (const Ring &ring :
         {Ring{"scriptradio", {0, 0}}, Ring{"openradio", {0, 0}}, Ring{"speakradio", {0, 0}},
          Ring{"typeradio", {0, 0}}, Ring{"readradio", {0, 0}}, Ring{"telltime", {2, 2}},
          Ring{"telldate", {2, 2}}, Ring{"readtext", {2, 2}}}) {
        const QImage image = load(ring.name);
        for (const char *markerName : {"dot", "dot2"}) {
            SCOPED_TRACE(std::string(ring.name) + " under " + markerName);
            const QImage marker = load(markerName);
            int ringPixels = 0, showing = 0;
            for (int y = 0; y < 13; ++y) {
                for (int x = 0; x < 13; ++x) {
                    if (qAlpha(image.pixel(ring.at + QPoint(x, y))) == 0)
                        continue;
                    ++ringPixels;
                    showing += qAlpha(marker.pixel(x, y)) != 255;
                }
            }
            EXPECT_GT(ringPixels, 20);
            EXPECT_EQ(showing, 0);
        }
    }
}

} // namespace
