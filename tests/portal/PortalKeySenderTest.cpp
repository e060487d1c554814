#include "PortalKeySender.h"
#include "FakeKeySender.h"
#include "FallbackKeySender.h"
#include "WaitFor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The fake portal's record and controls, on the private bus the test runs on.
class PortalKeySenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bus.isConnected()) << "no session bus: run through on-private-bus.sh";
        control("Reset");
        m_tokenFile = m_dir.filePath("config/quillet/remote-desktop-token");
    }

    QDBusMessage control(const QString &method, const QVariantList &args = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop",
                                                           "/org/freedesktop/portal/desktop",
                                                           "io.github.quillet.FakePortal", method);
        call.setArguments(args);
        return m_bus.call(call);
    }

    QStringList calls()
    {
        const QDBusMessage reply = control("Calls");
        return reply.arguments().isEmpty() ? QStringList()
                                           : reply.arguments().first().toStringList();
    }

    // Lets the event loop run until the portal has been asked for `count` calls; a long limit,
    // since the answers travel through two processes.
    QStringList waitForCalls(qsizetype count)
    {
        QStringList now;
        waitFor([&] { return (now = calls()).size() >= count; }, 10000);
        return now;
    }

    // Gives pending answers time to arrive, for checks that nothing more happens.
    void settle()
    {
        QDeadlineTimer deadline(500);
        while (!deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    QString storedToken() const
    {
        QFile file(m_tokenFile);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed()
                                              : QString();
    }

    QDBusConnection m_bus = QDBusConnection::sessionBus();
    QTemporaryDir m_dir;
    QString m_tokenFile;
};

const QStringList kHandshake = {"CreateSession",
                                "SelectDevices types=1 persist=2 restore=", "Start"};

TEST_F(PortalKeySenderTest, TheSessionStartsOnceAndTheKeysGoOutInOrder)
{
    EXPECT_TRUE(PortalKeySender::isOffered(m_bus));
    PortalKeySender sender(m_bus, m_tokenFile);
    ASSERT_TRUE(sender.sendKeys("+a~"));
    const QStringList expected =
        kHandshake + QStringList{"key ffe1 down", "key 41 down",   "key 41 up",
                                 "key ffe1 up",   "key ff0d down", "key ff0d up"};
    EXPECT_EQ(waitForCalls(expected.size()), expected);
    EXPECT_TRUE(sender.isStarted());

    ASSERT_TRUE(sender.sendKeys("^é"));
    const QStringList more =
        expected + QStringList{"key ffe3 down", "key e9 down", "key e9 up", "key ffe3 up"};
    EXPECT_EQ(waitForCalls(more.size()), more) << "a started session is not asked for again";
}

TEST_F(PortalKeySenderTest, TheRestoreTokenIsKeptAndOfferedAtTheNextStart)
{
    {
        PortalKeySender first(m_bus, m_tokenFile);
        ASSERT_TRUE(first.sendKeys("a"));
        waitForCalls(kHandshake.size() + 2);
    }
    const QString first = storedToken();
    EXPECT_TRUE(first.startsWith("token-")) << qPrintable(first);
    control("Reset");
    PortalKeySender next(m_bus, m_tokenFile);
    ASSERT_TRUE(next.sendKeys("b"));
    const QStringList seen = waitForCalls(5);
    ASSERT_GE(seen.size(), 2);
    EXPECT_EQ(seen[1], "SelectDevices types=1 persist=2 restore=" + first);
    EXPECT_EQ(seen.mid(3), QStringList({"key 62 down", "key 62 up"}));
    EXPECT_NE(storedToken(), first) << "the portal's newer token must replace the old one";
    EXPECT_TRUE(storedToken().startsWith("token-"));
}

TEST_F(PortalKeySenderTest, KeysTypedBeforeTheUserAnswersWaitAndArriveOnce)
{
    control("SetMode", {"hold"});
    PortalKeySender sender(m_bus, m_tokenFile);
    ASSERT_TRUE(sender.sendKeys("ab"));
    EXPECT_EQ(waitForCalls(3), kHandshake);
    ASSERT_TRUE(sender.sendKeys("c"));
    settle();
    EXPECT_EQ(calls(), kHandshake) << "keys went out before the user answered";
    EXPECT_FALSE(sender.isStarted());
    EXPECT_EQ(sender.queuedEvents(), 6);

    control("Release");
    const QStringList expected =
        kHandshake + QStringList{"key 61 down", "key 61 up",   "key 62 down",
                                 "key 62 up",   "key 63 down", "key 63 up"};
    EXPECT_EQ(waitForCalls(expected.size()), expected);
    settle();
    EXPECT_EQ(calls(), expected) << "queued keys went out twice";
}

TEST_F(PortalKeySenderTest, ARefusalIsSaidOnceAndTypesNothing)
{
    control("SetMode", {"refuse"});
    PortalKeySender sender(m_bus, m_tokenFile);
    QSignalSpy said(&sender, &PortalKeySender::unavailable);
    ASSERT_TRUE(sender.sendKeys("ab"));
    waitForCalls(3);
    waitFor([&] { return !said.isEmpty(); }, 10000);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.first().first().toString().contains("did not allow"));

    QString error;
    EXPECT_FALSE(sender.sendKeys("c", &error));
    EXPECT_FALSE(error.isEmpty());
    settle();
    EXPECT_EQ(said.size(), 1);
    EXPECT_EQ(calls(), kHandshake);
    EXPECT_TRUE(storedToken().isEmpty());
}

TEST_F(PortalKeySenderTest, ASessionTheDesktopEndsIsAskedForAgainWithTheKeptToken)
{
    PortalKeySender sender(m_bus, m_tokenFile);
    ASSERT_TRUE(sender.sendKeys("a"));
    waitForCalls(kHandshake.size() + 2);
    ASSERT_TRUE(sender.isStarted());
    const QString token = storedToken();

    control("CloseSession");
    waitFor([&] { return !sender.isStarted(); }, 10000);
    EXPECT_FALSE(sender.isStarted());
    ASSERT_TRUE(sender.sendKeys("b"));
    const QStringList expected =
        kHandshake +
        QStringList{"key 61 down",   "key 61 up",
                    "CreateSession", "SelectDevices types=1 persist=2 restore=" + token,
                    "Start",         "key 62 down",
                    "key 62 up"};
    EXPECT_EQ(waitForCalls(expected.size()), expected);
}

TEST_F(PortalKeySenderTest, AfterARefusalKeysGoToTheWindowsTheOtherSenderReaches)
{
    control("SetMode", {"refuse"});
    auto portal = std::make_unique<PortalKeySender>(m_bus, m_tokenFile);
    PortalKeySender *asked = portal.get();
    auto xtest = std::make_unique<FakeKeySender>();
    FakeKeySender *fallback = xtest.get();
    FallbackKeySender sender(
        std::move(portal), [asked] { return asked->isRefused(); }, std::move(xtest));
    ASSERT_TRUE(sender.sendKeys("ab"));
    EXPECT_TRUE(fallback->requests().isEmpty()) << "keys went two ways before the answer";
    waitFor([&] { return asked->isRefused(); }, 10000);
    ASSERT_TRUE(sender.sendKeys("c"));
    EXPECT_EQ(fallback->requests(), QStringList{"c"});
    settle();
    EXPECT_EQ(calls(), kHandshake);
}

TEST_F(PortalKeySenderTest, AMalformedStringAsksNothing)
{
    PortalKeySender sender(m_bus, m_tokenFile);
    QString error;
    EXPECT_FALSE(sender.sendKeys("{NOSUCHKEY}", &error));
    EXPECT_FALSE(error.isEmpty());
    settle();
    EXPECT_TRUE(calls().isEmpty());
}

} // namespace
