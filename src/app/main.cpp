#include "AppPaths.h"
#include "Dialogs.h"
#include "Program.h"

#include <QApplication>

int main(int argc, char **argv)
{
    // Typing keys and keeping windows on top need X11: started from the desktop's menus on a
    // Wayland session, we go through XWayland as run.sh has us do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
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
