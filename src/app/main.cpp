#include "AppPaths.h"
#include "Dialogs.h"
#include "Program.h"
#include "QuilletVersion.h"
#include "UserAppFolder.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kHelp[] =
    "Usage: quillet [--help] [--version] [Qt options]\n"
    "\n"
    "An animated character on your desktop that listens for the commands of your list,\n"
    "answers aloud and in a speech bubble, and does what they say. Say its name and\n"
    "\"listen\" (\"Pebble listen\"), then a command; the tray icon and a right click on the\n"
    "character give Listen, Sleep, Edit brain, the options, Characters, About and Quit.\n"
    "\n"
    "Options:\n"
    "  --help       print this help and exit\n"
    "  --version    print the version and exit\n"
    "  Qt's own options (-display NAME, -platform NAME, ...) are accepted as well.\n"
    "\n"
    "Files:\n"
    "  $XDG_DATA_HOME/quillet/ (~/.local/share/quillet/) is your own folder: data/brainlist\n"
    "  holds your commands, data/ your scripts, Character/ and Plugins/ your characters and\n"
    "  plugins beside the shipped ones. An installed Quillet makes it on its first start.\n"
    "\n"
    "Environment:\n"
    "  QUILLET_APP_DIR     run from this folder instead\n"
    "  QUILLET_RECO_DEBUG  print what the recognizer heard and why it acted or not\n"
    "  QUILLET_OPENER      the program that opens files, folders and addresses (xdg-open)\n"
    "\n"
    "See quillet(1) for more.\n";

bool hasArgument(int argc, char **argv, const char *wanted)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strcmp(argv[i], wanted) == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    // Answered before the windowing library starts, so that they work without a desktop.
    if (hasArgument(argc, argv, "--help")) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (hasArgument(argc, argv, "--version")) {
        std::printf("quillet %s\n", QUILLET_VERSION);
        return 0;
    }
    // Typing keys and keeping windows on top need X11: started from the desktop's menus on a
    // Wayland session, we go through XWayland as run.sh has us do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillet"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLET_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    // The windowing library has taken its own options out; anything left is a mistake.
    const QStringList rest = QCoreApplication::arguments().mid(1);
    if (!rest.isEmpty()) {
        std::fprintf(stderr,
                     "quillet: unknown argument \"%s\" (quillet --help lists the options)\n",
                     qPrintable(rest.first()));
        return 2;
    }
    WidgetDialogs dialogs;
    const AppPaths paths = AppPaths::fromApplication();
    const QString shipped = AppPaths::shippedFolder(QCoreApplication::applicationDirPath());
    if (!shipped.isEmpty()) {
        QString why;
        if (!UserAppFolder(shipped, paths.appFolder()).prepare(&why)) {
            const QString text = QStringLiteral("Quillet could not make your folder \"%1\": %2.")
                                     .arg(paths.appFolder(), why);
            std::fprintf(stderr, "quillet: %s\n", qPrintable(text));
            dialogs.message(QStringLiteral("Quillet"), text);
            return 1;
        }
    }
    Program program(paths, Program::desktopServices(), dialogs);
    if (!program.start())
        return 1;
    return QApplication::exec();
}
