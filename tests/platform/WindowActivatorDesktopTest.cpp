// Runs on a real X server with openbox (tests/support/with-desktop.sh): windows of other X
// clients are found by their titles and made active through the window manager, and
// xdotool, a client of its own, tells which window is active afterwards.
#include "X11WindowActivator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString activeTitle()
{
    return run("xdotool", {"getactivewindow", "getwindowname"});
}

// The active window's title once it is expected, or whatever it is when a generous time has
// passed: the window manager handles the request in its own time.
QString waitForActive(const QString &expected)
{
    QElapsedTimer timer;
    timer.start();
    QString title = activeTitle();
    while (title != expected && timer.elapsed() < 10000) {
        QThread::msleep(50);
        title = activeTitle();
    }
    return title;
}

bool waitForWindow(const QString &title)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        if (!run("xdotool", {"search", "--onlyvisible", "--name", "^" + title + "$"}).isEmpty())
            return true;
        QThread::msleep(50);
    }
    return false;
}

} // namespace

class WindowActivatorDesktopTest : public testing::Test {
protected:
    static constexpr const char *kNotes = "Quillet Notes - draft";
    static constexpr const char *kOther = "Another Window";

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        for (const char *title : {kNotes, kOther}) {
            auto window = std::make_unique<QProcess>();
            window->start("xmessage", {"-title", title, "-geometry", "+100+100", title});
            ASSERT_TRUE(window->waitForStarted(10000));
            ASSERT_TRUE(waitForWindow(title)) << title;
            m_windows.push_back(std::move(window));
        }
    }
    void TearDown() override
    {
        for (auto &window : m_windows) {
            window->kill();
            window->waitForFinished(5000);
        }
    }

    X11WindowActivator activator;
    std::vector<std::unique_ptr<QProcess>> m_windows;
};

TEST_F(WindowActivatorDesktopTest, ActivatesTheWindowTheTitleAsksFor)
{
    // The window opened last has the focus to begin with.
    ASSERT_EQ(waitForActive(kOther), kOther);

    EXPECT_TRUE(activator.activate("QUILLET notes - DRAFT"));
    EXPECT_EQ(waitForActive(kNotes), kNotes);

    // The end of a title is enough when no title begins with it.
    EXPECT_TRUE(activator.activate("window"));
    EXPECT_EQ(waitForActive(kOther), kOther);

    EXPECT_TRUE(activator.activate("Quillet"));
    EXPECT_EQ(waitForActive(kNotes), kNotes);
}

// Qt sets _NET_WM_PID on its windows, which xmessage does not; the text field client is one.
TEST_F(WindowActivatorDesktopTest, ActivatesTheWindowOfAProcess)
{
    QProcess client;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    client.setProcessEnvironment(environment);
    client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    client.start(QUILLET_TEXTFIELD_CLIENT, QStringList{});
    ASSERT_TRUE(client.waitForStarted(10000));
    ASSERT_TRUE(waitForWindow("textfield_client"));

    EXPECT_TRUE(activator.activate(kOther));
    EXPECT_EQ(waitForActive(kOther), kOther);
    EXPECT_TRUE(activator.activateProcess(client.processId()));
    EXPECT_EQ(waitForActive("textfield_client"), "textfield_client");
    // The xmessage windows name no process, and this test's own process has no window.
    EXPECT_FALSE(activator.activateProcess(QCoreApplication::applicationPid()));
    EXPECT_FALSE(activator.activateProcess(0));

    client.closeWriteChannel();
    if (!client.waitForFinished(5000))
        client.kill();
    client.waitForFinished(2000);
}

TEST_F(WindowActivatorDesktopTest, NoMatchingWindowLeavesTheActiveOneAlone)
{
    ASSERT_EQ(waitForActive(kOther), kOther);
    EXPECT_FALSE(activator.activate("Notes"));
    EXPECT_FALSE(activator.activate(""));
    QThread::msleep(200);
    EXPECT_EQ(activeTitle(), kOther);
}
