#include "Program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setQuitOnLastWindowClosed(false);
    Program program;
    if (!program.start())
        return 1;
    return QApplication::exec();
}
