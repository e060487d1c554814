#include "ClipboardSelectionReader.h"
#include "FakeKeySender.h"
#include "FakeSelectionReader.h"

#include "QtPrinters.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A focused window that answers Ctrl+C by putting its selection on the clipboard after a
// while, as an X11 selection owner does; the sender checks what it got asked to type.
class CopyingWindow : public FakeKeySender {
public:
    QString selection;
    int answerAfterMs = 0;
    QString clipboardWhenAsked = "not asked";
    QObject answers; // a late answer dies with the window

    bool sendKeys(const QString &keys, QString *error = nullptr) override
    {
        if (!FakeKeySender::sendKeys(keys, error))
            return false;
        clipboardWhenAsked = QGuiApplication::clipboard()->text();
        if (keys == "^c" && !selection.isEmpty()) {
            const QString text = selection;
            QTimer::singleShot(answerAfterMs,
                               [text] { QGuiApplication::clipboard()->setText(text); });
        }
        return true;
    }
};

} // namespace

TEST(ClipboardSelectionReader, ClearsTheClipboardAndTypesCtrlC)
{
    QGuiApplication::clipboard()->setText("earlier content");
    CopyingWindow window;
    window.selection = "picked words";
    ClipboardSelectionReader reader(&window);
    EXPECT_EQ(reader.readSelection(), "picked words");
    EXPECT_EQ(window.log(), QStringList{"<ctrl>c"});
    EXPECT_EQ(window.clipboardWhenAsked, "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "picked words");
}

TEST(ClipboardSelectionReader, WaitsForACopyThatComesLate)
{
    CopyingWindow window;
    window.selection = "slow owner";
    window.answerAfterMs = 150;
    ClipboardSelectionReader reader(&window);
    EXPECT_EQ(reader.readSelection(), "slow owner");
}

TEST(ClipboardSelectionReader, NothingSelectedGivesEmptyTextNotTheOldClipboard)
{
    QGuiApplication::clipboard()->setText("earlier content");
    CopyingWindow window;
    ClipboardSelectionReader reader(&window);
    reader.setTimeout(200);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(reader.readSelection(), "");
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "");
}

TEST(ClipboardSelectionReader, ACopyAfterTheTimeoutIsNotWaitedFor)
{
    CopyingWindow window;
    window.selection = "too late";
    window.answerAfterMs = 5000;
    ClipboardSelectionReader reader(&window);
    reader.setTimeout(100);
    EXPECT_EQ(reader.readSelection(), "");
}

TEST(ClipboardSelectionReader, ASenderThatCannotTypeGivesEmptyText)
{
    CopyingWindow window;
    window.selection = "never copied";
    window.setUnavailable("no display");
    ClipboardSelectionReader reader(&window);
    EXPECT_EQ(reader.readSelection(), "");
    EXPECT_EQ(window.requests(), QStringList{"^c"});
}

TEST(FakeSelectionReader, HandsOutItsSelection)
{
    FakeSelectionReader reader("chosen");
    EXPECT_EQ(reader.readSelection(), "chosen");
    reader.setSelection("");
    EXPECT_EQ(reader.readSelection(), "");
    EXPECT_EQ(reader.reads(), 2);
}
