// Runs on a real X server (tests/support/with-desktop.sh) with the xcb platform: keys typed
// through XTEST land in a text field of another X client, and the selection of that client
// is read through the clipboard.
#include "ClipboardSelectionReader.h"
#include "XTestKeySender.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The text field client (textfield_client.cpp), driven over its stdin and stdout.
class TextFieldClient {
public:
    bool start(QString *error)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QUILLET_TEXTFIELD_CLIENT, QStringList{});
        if (!m_process.waitForStarted(10000)) {
            *error = "the client did not start: " + m_process.errorString();
            return false;
        }
        const QByteArray first = readLine(20000);
        if (first != "ready") {
            *error = "the client did not get the focus, it said: " + QString::fromUtf8(first);
            return false;
        }
        return true;
    }

    void stop()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }

    QByteArray command(const QByteArray &line)
    {
        m_process.write(line + '\n');
        m_process.waitForBytesWritten(2000);
        return readLine(5000);
    }

    QString text()
    {
        const QByteArray answer = command("text");
        if (!answer.startsWith("text:"))
            return "<no answer: " + QString::fromUtf8(answer) + ">";
        return QString::fromUtf8(QByteArray::fromBase64(answer.mid(5)));
    }

    void setText(const QString &text) { command("set " + text.toUtf8().toBase64()); }
    void select(int from, int length)
    {
        command("select " + QByteArray::number(from) + ' ' + QByteArray::number(length));
    }

    // The field's text once it equals expected, or whatever it holds when a generous time
    // has passed: typed keys are handled by the other client in its own time.
    QString waitForText(const QString &expected, int timeoutMs = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        QString current = text();
        while (current != expected && timer.elapsed() < timeoutMs) {
            QThread::msleep(20);
            current = text();
        }
        return current;
    }

private:
    QByteArray readLine(int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_process.canReadLine() && timer.elapsed() < timeoutMs &&
               m_process.state() == QProcess::Running)
            m_process.waitForReadyRead(100);
        return m_process.readLine().trimmed();
    }

    QProcess m_process;
};

void runEventsFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class DesktopTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        client = new TextFieldClient;
        if (!client->start(&clientError)) {
            client->stop();
            delete client;
            client = nullptr;
        }
    }
    static void TearDownTestSuite()
    {
        if (client)
            client->stop();
        delete client;
        client = nullptr;
    }

    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb");
        ASSERT_TRUE(client) << clientError.toStdString();
        client->setText("");
    }

    bool send(const QString &keys)
    {
        QString error;
        const bool sent = sender.sendKeys(keys, &error);
        EXPECT_TRUE(sent) << keys.toStdString() << ": " << error.toStdString();
        return sent;
    }

    static inline TextFieldClient *client = nullptr;
    static inline QString clientError;
    XTestKeySender sender;
};

TEST_F(DesktopTest, TypesPlainTextAndEnter)
{
    send("Hello, World! 1{+}1=2 {[}x{]} ~second line{ENTER}third");
    EXPECT_EQ(client->waitForText("Hello, World! 1+1=2 [x] \nsecond line\nthird"),
              "Hello, World! 1+1=2 [x] \nsecond line\nthird");
}

TEST_F(DesktopTest, ShiftGroupsNamedKeysAndRepeats)
{
    send("+(abc)d");
    EXPECT_EQ(client->waitForText("ABCd"), "ABCd");
    client->setText("");
    send("abc{LEFT 2}X{END}Y{BS}Z{HOME}{DEL}");
    EXPECT_EQ(client->waitForText("XbcZ"), "XbcZ");
}

TEST_F(DesktopTest, ControlCombinationsReachTheField)
{
    client->setText("old text that goes");
    send("^a");
    send("new");
    EXPECT_EQ(client->waitForText("new"), "new");
    // Ctrl+Backspace removes a word, Shift+Home selects to the line start.
    send(" words here^{BS}");
    EXPECT_EQ(client->waitForText("new words "), "new words ");
    send("+{HOME}gone");
    EXPECT_EQ(client->waitForText("gone"), "gone");
}

TEST_F(DesktopTest, TypesCharactersTheKeyboardMapLacks)
{
    sender.setRestoreDelay(300);
    send("Grüße: 5 € für Őrs ő");
    EXPECT_EQ(client->waitForText("Grüße: 5 € für Őrs ő"), "Grüße: 5 € für Őrs ő");
    EXPECT_GT(sender.borrowedKeycodes(), 0);
    // The same characters again, now from keycodes that are still lent.
    send("ßő");
    EXPECT_EQ(client->waitForText("Grüße: 5 € für Őrs őßő"), "Grüße: 5 € für Őrs őßő");

    // After the delay the keycodes are empty again and the map is as before.
    QElapsedTimer timer;
    timer.start();
    while (sender.borrowedKeycodes() > 0 && timer.elapsed() < 10000)
        runEventsFor(50);
    EXPECT_EQ(sender.borrowedKeycodes(), 0);
    send("ß");
    EXPECT_EQ(client->waitForText("Grüße: 5 € für Őrs őßőß"), "Grüße: 5 € für Őrs őßőß");
}

TEST_F(DesktopTest, MoreMissingCharactersThanFreeKeycodes)
{
    const QString text = "Καλημέρα κόσμε, αβγδεζηθικλμνξοπρστυφχψω! Привет, мир: "
                         "абвгдеёжзийклмнопрстуфхцчшщъыьэюя.";
    // A pause no busy test machine outlasts before handling the keys of a part.
    sender.setRelendPause(1000);
    send(text);
    EXPECT_EQ(client->waitForText(text), text);
}

TEST_F(DesktopTest, ShiftWithAMissingLetterGivesItsCapital)
{
    send("+ő+(ű)Ő+é");
    EXPECT_EQ(client->waitForText("ŐŰŐÉ"), "ŐŰŐÉ");
    send("ő^a");
    send("ű");
    EXPECT_EQ(client->waitForText("ű"), "ű");
}

TEST_F(DesktopTest, MalformedKeysTypeNothing)
{
    QString error;
    EXPECT_FALSE(sender.sendKeys("typed? {NOPE}", &error));
    EXPECT_TRUE(error.contains("NOPE")) << error.toStdString();
    EXPECT_FALSE(sender.sendKeys("typed? +", &error));
    send("z");
    EXPECT_EQ(client->waitForText("z"), "z");
}

TEST_F(DesktopTest, ReadsTheSelectionOfTheFocusedClient)
{
    client->setText("hello wonderful world");
    client->select(6, 9);
    ClipboardSelectionReader reader(&sender);
    EXPECT_EQ(reader.readSelection(), "wonderful");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "wonderful");
    // The field is unchanged by the copy.
    EXPECT_EQ(client->text(), "hello wonderful world");
}

TEST_F(DesktopTest, NoSelectionGivesEmptyTextAfterTheTimeout)
{
    QGuiApplication::clipboard()->setText("left over from before");
    client->setText("nothing selected here");
    ClipboardSelectionReader reader(&sender);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(reader.readSelection(), "");
    const qint64 elapsed = timer.elapsed();
    EXPECT_GE(elapsed, reader.timeout() - 50);
    EXPECT_LT(elapsed, reader.timeout() + 2500);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST(XTestKeySenderWithoutDisplay, FailsClearly)
{
    const QByteArray display = qgetenv("DISPLAY");
    QString error;
    {
        qputenv("DISPLAY", ":9999");
        XTestKeySender sender;
        EXPECT_FALSE(sender.sendKeys("abc", &error));
        EXPECT_EQ(error, "Cannot type keys: the X display \":9999\" cannot be opened");
    }
    {
        qunsetenv("DISPLAY");
        XTestKeySender sender;
        EXPECT_FALSE(sender.sendKeys("abc", &error));
        EXPECT_EQ(error, "Cannot type keys: there is no X display (DISPLAY is not set)");
        // A malformed string is reported as such, before any display is needed.
        EXPECT_FALSE(sender.sendKeys("{", &error));
        EXPECT_TRUE(error.contains("no matching"));
    }
    qputenv("DISPLAY", display);
}
