#include "ClipboardSelectionReader.h"

#include "KeySender.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

ClipboardSelectionReader::ClipboardSelectionReader(KeySender *sender, QClipboard *clipboard)
    : m_sender(sender)
    , m_clipboard(clipboard)
{}

QClipboard *ClipboardSelectionReader::clipboard() const
{
    return m_clipboard ? m_clipboard : QGuiApplication::clipboard();
}

QString ClipboardSelectionReader::readSelection()
{
    QClipboard *board = clipboard();
    if (!board || !m_sender)
        return {};
    board->clear();
    QCoreApplication::processEvents();

    if (!m_sender->sendKeys(QStringLiteral("^c")))
        return {};
    QCoreApplication::processEvents();

    QString text = board->text();
    if (!text.isEmpty())
        return text;

    // Wait for the copy; the clipboard announces a new owner, and polling covers platforms
    // whose clipboard does not tell.
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(20);
    const QDeadlineTimer deadline(m_timeoutMs);
    auto check = [&] {
        text = board->text();
        if (!text.isEmpty() || deadline.hasExpired())
            loop.quit();
    };
    QObject::connect(board, &QClipboard::dataChanged, &loop, check);
    QObject::connect(&poll, &QTimer::timeout, &loop, check);
    QTimer::singleShot(m_timeoutMs, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    if (text.isEmpty())
        text = board->text();
    return text;
}
