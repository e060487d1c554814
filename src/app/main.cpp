#include "AppPaths.h"
#include "Dialogs.h"
#include "Program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setQuitOnLastWindowClosed(false);
    WidgetDialogs dialogs;
    const AppPaths paths = AppPaths::fromApplication();
    Program program(paths, Program::desktopServices(), dialogs);
    if (!program.start())
        return 1;
    return QApplication::exec();
}
