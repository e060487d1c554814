#include "UinputKeySender.h"
#include "FakeInputDevice.h"
#include "LayoutKeys.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <linux/input.h>

namespace {

// A key going down (+) or up (-), as the device was told.
struct Stroke {
    int code;
    bool press;
    friend bool operator==(const Stroke &, const Stroke &) = default;
};

std::ostream &operator<<(std::ostream &out, const Stroke &s)
{
    return out << (s.press ? '+' : '-') << s.code;
}

Stroke down(int code)
{
    return {code, true};
}
Stroke up(int code)
{
    return {code, false};
}

// The device's bytes read back as the kernel reads them; every key event must be followed by
// a report, or the desktop sees nothing until the next one.
std::vector<Stroke> strokesOf(const QByteArray &bytes)
{
    std::vector<Stroke> strokes;
    EXPECT_EQ(bytes.size() % qsizetype(sizeof(input_event)), 0);
    const auto *events = reinterpret_cast<const input_event *>(bytes.constData());
    const qsizetype count = bytes.size() / qsizetype(sizeof(input_event));
    for (qsizetype i = 0; i < count; i += 2) {
        EXPECT_EQ(events[i].type, EV_KEY) << "event " << i;
        EXPECT_TRUE(events[i].value == 0 || events[i].value == 1) << "event " << i;
        strokes.push_back({events[i].code, events[i].value == 1});
        if (i + 1 < count) {
            EXPECT_EQ(events[i + 1].type, EV_SYN) << "event " << i + 1;
            EXPECT_EQ(events[i + 1].code, SYN_REPORT) << "event " << i + 1;
        } else {
            ADD_FAILURE() << "the last key event has no report after it";
        }
    }
    return strokes;
}

struct Typist {
    explicit Typist(const QString &layout)
    {
        auto keys = LayoutKeys::load(layout);
        if (!keys)
            throw std::runtime_error("no layout");
        auto fake = std::make_unique<FakeInputDevice>();
        device = fake.get();
        sender = std::make_unique<UinputKeySender>(std::move(fake), std::move(*keys));
    }
    FakeInputDevice *device;
    std::unique_ptr<UinputKeySender> sender;
};

} // namespace

TEST(UinputKeySender, TypesEachCharacterWithItsKeyAndTheShiftItNeeds)
{
    Typist us(QStringLiteral("us"));
    ASSERT_TRUE(us.sender->sendKeys(QStringLiteral("Hi!^a{ENTER}")));
    const std::vector<Stroke> expected{
        down(KEY_LEFTSHIFT), down(KEY_H),       up(KEY_H),           up(KEY_LEFTSHIFT),
        down(KEY_I),         up(KEY_I),         down(KEY_LEFTSHIFT), down(KEY_1),
        up(KEY_1),           up(KEY_LEFTSHIFT), down(KEY_LEFTCTRL),  down(KEY_A),
        up(KEY_A),           up(KEY_LEFTCTRL),  down(KEY_ENTER),     up(KEY_ENTER)};
    EXPECT_EQ(strokesOf(us.device->written()), expected);
}

TEST(UinputKeySender, AHeldShiftIsNotPressedTwiceAndNamedKeysKeepTheirPlace)
{
    Typist us(QStringLiteral("us"));
    ASSERT_TRUE(us.sender->sendKeys(QStringLiteral("+(ab){F5}%{TAB}")));
    const std::vector<Stroke> expected{down(KEY_LEFTSHIFT), down(KEY_A),         up(KEY_A),
                                       up(KEY_LEFTSHIFT),   down(KEY_LEFTSHIFT), down(KEY_B),
                                       up(KEY_B),           up(KEY_LEFTSHIFT),   down(KEY_F5),
                                       up(KEY_F5),          down(KEY_LEFTALT),   down(KEY_TAB),
                                       up(KEY_TAB),         up(KEY_LEFTALT)};
    EXPECT_EQ(strokesOf(us.device->written()), expected);
}

TEST(UinputKeySender, FollowsTheUsersLayout)
{
    // On a German keyboard Y and Z trade places, @ is AltGr with Q, and ö has a key of its
    // own: the same string makes other key codes than on the US layout.
    Typist de(QStringLiteral("de"));
    ASSERT_TRUE(de.sender->sendKeys(QStringLiteral("zy@ö")));
    const std::vector<Stroke> expected{
        down(KEY_Y), up(KEY_Y), down(KEY_Z),      up(KEY_Z),           down(KEY_RIGHTALT),
        down(KEY_Q), up(KEY_Q), up(KEY_RIGHTALT), down(KEY_SEMICOLON), up(KEY_SEMICOLON)};
    EXPECT_EQ(strokesOf(de.device->written()), expected);
}

TEST(UinputKeySender, AStringWithACharacterTheLayoutLacksTypesNothing)
{
    Typist us(QStringLiteral("us"));
    QString error;
    EXPECT_FALSE(us.sender->sendKeys(QStringLiteral("caf\u00e9"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("\"\u00e9\""))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("\"us\""))) << error.toStdString();
    EXPECT_FALSE(us.sender->sendKeys(QStringLiteral("ab{"), &error));
    EXPECT_TRUE(us.device->written().isEmpty());

    // The same character is there on a layout that has it.
    Typist fr(QStringLiteral("fr"));
    EXPECT_TRUE(fr.sender->sendKeys(QStringLiteral("caf\u00e9")));
    EXPECT_EQ(strokesOf(fr.device->written()).back(), up(KEY_2));
}

TEST(UinputKeySender, ADeviceThatTakesNothingIsAFailure)
{
    Typist us(QStringLiteral("us"));
    us.device->setFailure(QStringLiteral("Cannot type keys: the uinput keyboard: No such device"));
    QString error;
    EXPECT_FALSE(us.sender->sendKeys(QStringLiteral("a"), &error));
    EXPECT_EQ(error, QStringLiteral("Cannot type keys: the uinput keyboard: No such device"));
}

TEST(UinputKeySender, NoDeviceFileIsAReasonNotACrash)
{
    QTemporaryDir dir;
    QString why;
    EXPECT_EQ(UinputKeySender::connect(dir.filePath(QStringLiteral("uinput")), &why), nullptr);
    EXPECT_TRUE(why.contains(QStringLiteral("cannot be opened for writing"))) << why.toStdString();
}

TEST(LayoutKeys, TheUsersLayoutComesFromTheEnvironmentThenTheSystemThenUs)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("keyboard"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("# KEYBOARD CONFIGURATION FILE\nXKBMODEL=\"pc105\"\nXKBLAYOUT=\"de,us\"\n"
              "XKBVARIANT=\"nodeadkeys,\"\nXKBOPTIONS=\"\"\n");
    out.close();

    qunsetenv("XKB_DEFAULT_LAYOUT");
    EXPECT_EQ(LayoutKeys::systemLayout(file), QStringLiteral("de(nodeadkeys)"));
    EXPECT_EQ(LayoutKeys::systemLayout(dir.filePath(QStringLiteral("none"))), QStringLiteral("us"));
    qputenv("XKB_DEFAULT_LAYOUT", "fr");
    EXPECT_EQ(LayoutKeys::systemLayout(file), QStringLiteral("fr"));
    qunsetenv("XKB_DEFAULT_LAYOUT");

    const auto layout = LayoutKeys::load(QStringLiteral("de(nodeadkeys)"));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->name(), QStringLiteral("de(nodeadkeys)"));
    QString error;
    EXPECT_FALSE(LayoutKeys::load(QStringLiteral("no-such-layout"), &error));
    EXPECT_EQ(error, QStringLiteral("The keyboard layout \"no-such-layout\" is not known here"));
    EXPECT_FALSE(LayoutKeys::load(QStringLiteral("us; rm -rf"), &error));
}
