// A text field that writes every key it gets to a file, one line per key: the text it types,
// or <ctrl>a style names for keys with modifiers and for keys without text. Run natively on
// Wayland (QT_QPA_PLATFORM=wayland) or through XWayland (xcb) as the window keys must reach.
//   quillet_key_recorder FILE TITLE
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class RecordingField : public QLineEdit {
public:
    explicit RecordingField(const QString &path)
        : m_file(path)
    {
        m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        QLineEdit::keyPressEvent(event);
        const int key = event->key();
        if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
            key == Qt::Key_Meta)
            return;
        QString line;
        const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
        const bool textOnly = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                              !(mods & (Qt::ControlModifier | Qt::AltModifier));
        if (textOnly) {
            line = event->text();
        } else {
            if (mods & Qt::ControlModifier)
                line += "<ctrl>";
            if (mods & Qt::AltModifier)
                line += "<alt>";
            if (mods & Qt::ShiftModifier)
                line += "<shift>";
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                line += "<enter>";
            else
                line += QKeySequence(key).toString().toLower();
        }
        m_file.write(line.toUtf8() + '\n');
    }

private:
    QFile m_file;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    RecordingField field(QString::fromLocal8Bit(argv[1]));
    field.setWindowTitle(QString::fromLocal8Bit(argv[2]));
    field.resize(400, 60);
    field.show();
    field.activateWindow();
    field.setFocus();
    return QApplication::exec();
}
