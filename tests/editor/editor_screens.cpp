// Shows the command editor on a real desktop in each of its states and takes a screenshot of
// the screen for each, so that a person can look at where everything sits.
//   editor_screens <output folder>     (run on an X display, see assets/screenshots/editor.sh)
#include "BrainWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "FakeServices.h"
#include "Program.h"
#include "RecordingDialogs.h"
#include "TempAppFolder.h"
#include "TickTimer.h"
#include "UserClick.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

namespace {

void settle(int ms = 400)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void shoot(const QString &folder, const QString &name)
{
    settle();
    QProcess::execute("import", {"-window", "root", folder + "/" + name + ".png"});
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = QDir(app.arguments().value(1, ".")).absolutePath();
    QDir().mkpath(out);

    TempAppFolder folder;
    QDir(folder.path()).mkpath("Help");
    QFile::copy(QStringLiteral(QUILLET_APP_DIR "/Help/index.html"),
                folder.path() + "/Help/index.html");
    folder.writeCommandList("what time is it\r\nRead\r\nthe time\r\ntell me a joke\r\nScript\r\n"
                            "tell me a joke.txt\r\nopen my home folder\r\nOpen\r\n/root\r\n"
                            "copy that\r\nType\r\n^c\r\n");
    folder.write("data/tell me a joke.txt", "Mouth.speak \"Why did the chicken cross?\"\r\n");
    folder.write("Plugins/clock", "#!/bin/sh\n");
    FakeServices fakes;
    RecordingDialogs dialogs;
    Program program(folder.paths(), fakes.make(), dialogs);
    if (!program.start())
        return 1;
    program.character().hide();
    BrainWindow &brain = program.brain();
    brain.brainOpen = true;
    brain.move(40, 40);
    brain.show();
    auto click = [&](const char *name) {
        // Where a user would click: a control that another page covers is not clicked.
        UserClick::on(brain.findChild<QWidget *>(name));
        // Pages turn over on a timer; wait for the card to come to rest.
        for (int i = 0; i < 100 && brain.flippflopp()->isEnabled(); ++i)
            settle(20);
        settle(100);
    };
    auto view = brain.findChild<QListView *>("FalseBrainlist");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(program.commands().index(5, 0)).center());
    shoot(out, "front");

    click("addnewbutton");
    brain.phrasetext()->setText("say hello");
    brain.action()->setText("Hello there");
    shoot(out, "add-speak");
    click("typeradio");
    brain.action()->setText("^c");
    shoot(out, "add-type");
    click("openradio");
    shoot(out, "add-open");
    click("readradio");
    click("telldate");
    shoot(out, "add-read");
    click("scriptradio");
    brain.findChild<QPlainTextEdit *>("scriptthing")
        ->setPlainText("Mouth.speak \"Hello\"\nBubble.caption = \"Hi\"");
    shoot(out, "add-script");
    click("openradio");
    click("loadplugin");
    shoot(out, "add-plugin");
    // The plugin list covers the browse button; the Open option takes it away.
    click("openradio");
    click("BrowseButton");
    brain.openBrowserFolder(QDir::homePath());
    shoot(out, "browser");
    click("cancelBrowser");
    click("cancelb");
    click("changeB");
    shoot(out, "change");
    click("changecancel");
    brain.showCharacterPage();
    shoot(out, "characters");
    return 0;
}
