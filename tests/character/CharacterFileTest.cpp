#include "CharacterFile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QImage sampleStrip()
{
    QImage strip(14 * 6, 5, QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            strip.setPixel(x, y, qRgb(x * 3, y * 40, 255 - x));
    return strip;
}

QByteArray plainBitmap(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

bool samePixels(const QImage &a, const QImage &b)
{
    return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(CharacterFile, EncodeBlanksTheFirstByteOfABitmap)
{
    const QByteArray bytes = CharacterFile::encode(sampleStrip());
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes.mid(1), plainBitmap(sampleStrip()).mid(1));
}

TEST(CharacterFile, LoadsInMemoryAndNeverWritesTheFile)
{
    QTemporaryDir dir;
    const QByteArray bytes = CharacterFile::encode(sampleStrip());
    const QString path = writeFile(dir, "Sample.qlc", bytes);
    QFile::setPermissions(path, QFile::ReadOwner);

    const QImage loaded = CharacterFile::load(path);
    ASSERT_FALSE(loaded.isNull());
    EXPECT_TRUE(samePixels(loaded, sampleStrip()));
    EXPECT_EQ(readFile(path), bytes);
    // A second load reads the same file the same way.
    EXPECT_TRUE(samePixels(CharacterFile::load(path), sampleStrip()));
}

TEST(CharacterFile, AnOrdinaryBitmapLoadsAndStaysAsItWas)
{
    QTemporaryDir dir;
    const QByteArray bytes = plainBitmap(sampleStrip());
    ASSERT_EQ(bytes[0], 'B');
    const QString path = writeFile(dir, "robot.qlc", bytes);
    EXPECT_TRUE(samePixels(CharacterFile::load(path), sampleStrip()));
    EXPECT_EQ(readFile(path), bytes);
}

TEST(CharacterFile, MissingOrUndecodableFilesFail)
{
    QTemporaryDir dir;
    EXPECT_TRUE(CharacterFile::load(dir.filePath("nobody.qlc")).isNull());
    EXPECT_FALSE(QFile::exists(dir.filePath("nobody.qlc")));
    EXPECT_TRUE(CharacterFile::load(writeFile(dir, "empty.qlc", {})).isNull());
    EXPECT_TRUE(CharacterFile::load(writeFile(dir, "junk.qlc", QByteArray(500, 'x'))).isNull());
    QByteArray cut = CharacterFile::encode(sampleStrip()).left(20);
    EXPECT_TRUE(CharacterFile::load(writeFile(dir, "cut.qlc", cut)).isNull());
    EXPECT_TRUE(CharacterFile::load(dir.path()).isNull());
}

// A header can claim far more pixels than the file holds; such a picture is not made and
// filled before the data is found missing, however big it says it is.
TEST(CharacterFile, PixelsTheFileCannotHoldAreRefused)
{
    const QByteArray whole = CharacterFile::encode(sampleStrip());
    ASSERT_FALSE(CharacterFile::decode(whole).isNull());
    auto withSize = [&](qint32 width, qint32 height) {
        QByteArray bytes = whole;
        qToLittleEndian(width, bytes.data() + 18);
        qToLittleEndian(height, bytes.data() + 22);
        return bytes;
    };
    EXPECT_TRUE(CharacterFile::decode(withSize(84, -15000000)).isNull());
    EXPECT_TRUE(CharacterFile::decode(withSize(84, 15000000)).isNull());
    EXPECT_TRUE(CharacterFile::decode(withSize(16000000, 2)).isNull());
    // One row short of what the header says.
    EXPECT_TRUE(CharacterFile::decode(whole.left(whole.size() - 84 * 3)).isNull());
    EXPECT_FALSE(CharacterFile::decode(withSize(84, -5)).isNull());
}
