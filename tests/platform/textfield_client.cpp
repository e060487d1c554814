// A text field in an X client of its own, for the tests that type into "another window".
// It shows a focused multi-line edit and answers one line per command read from stdin:
//   text               -> "text:<base64 of the field's UTF-8 text>"
//   set <base64>       -> "ok"       (replaces the text, cursor at the end, no selection)
//   select <from> <n>  -> "ok"       (selects n characters from position from)
// and prints "ready" once its window has the keyboard focus. It quits at the end of stdin.
#include <QApplication>
#include <QPlainTextEdit>
#include <QSocketNotifier>
#include <QTextCursor>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

void reply(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QPlainTextEdit edit;
    edit.setWindowTitle(QStringLiteral("textfield_client"));
    edit.resize(400, 200);
    edit.show();
    edit.activateWindow();
    edit.setFocus();

    QTimer readyCheck;
    QObject::connect(&readyCheck, &QTimer::timeout, &edit, [&] {
        if (edit.isActiveWindow() && edit.hasFocus()) {
            readyCheck.stop();
            reply("ready");
        } else {
            edit.activateWindow();
        }
    });
    readyCheck.start(50);

    QByteArray pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &edit, [&] {
        char buffer[4096];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            app.quit();
            return;
        }
        pending.append(buffer, int(n));
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            const QList<QByteArray> words = line.split(' ');
            if (words.value(0) == "text") {
                reply("text:" + edit.toPlainText().toUtf8().toBase64());
            } else if (words.value(0) == "set") {
                edit.setPlainText(QString::fromUtf8(QByteArray::fromBase64(words.value(1))));
                edit.moveCursor(QTextCursor::End);
                reply("ok");
            } else if (words.value(0) == "select") {
                QTextCursor cursor = edit.textCursor();
                cursor.setPosition(words.value(1).toInt());
                cursor.setPosition(words.value(1).toInt() + words.value(2).toInt(),
                                   QTextCursor::KeepAnchor);
                edit.setTextCursor(cursor);
                reply("ok");
            } else {
                reply("unknown command");
            }
        }
    });
    return app.exec();
}
