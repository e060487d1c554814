#include "Startup.h"

#include "AboutWindow.h"
#include "BrainWindow.h"
#include "BubbleWindow.h"
#include "CharacterChooser.h"
#include "CharacterFile.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "Dialogs.h"
#include "ListSaver.h"
#include "MenuState.h"
#include "PasteBlocker.h"
#include "Program.h"
#include "QL.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

Startup::Startup(Program &program)
    : m_program(program)
{}

QString Startup::missingCharacterMessage(const QString &name)
{
    return QStringLiteral("The character \"") + name +
           QStringLiteral("\" is missing. Please try to recover it.");
}

bool Startup::run()
{
    Program &p = m_program;
    CharacterWindow &character = p.character();

    // 1. The tray window and its icon.
    p.about().setWindowTitle(QStringLiteral("Help on quillet script"));
    p.about().addTrayIcon();
    // 2. The bubble, collapsed but shown for the rest of the run.
    p.bubble().setWidthTwips(BubbleWindow::kClosedWidthTwips);
    p.bubble().show();
    // 3. The editor exists, closed.
    p.brain().brainOpen = false;
    p.brain().load();
    // 4.
    character.trans = 255;
    character.a = 0;
    character.winkcount = 0;
    // 5.
    if (!loadCommandList())
        return false;
    // 6.
    character.keepontop();
    // 7.
    p.brain().hiddenListHeight = 10000;
    // 8. and 9.
    if (!loadCharacter())
        return false;
    // 10. The list is whole now; the character's own save is refused until the start-up
    // has ended.
    p.listSaver().savethelist();
    // 11. and 12.
    character.listen = 0;
    QCoreApplication::processEvents();
    // 13. Files that cannot be read are left out of the chooser; only the current
    // character's own file can stop the start-up, in step 9.
    CharacterChooser *chooser = p.brain().characterlist();
    chooser->setFolder(p.paths().characterDir());
    chooser->setLoader(&CharacterFile::load);
    chooser->loadguys();
    // 14. and 15.
    restoreOptions();
    p.pasteBlocker().stoppaste(p.brain().action());
    p.pasteBlocker().stoppaste(p.brain().phrasetext());

    if (!p.commands().option(CommandList::HiddenOption))
        character.show();
    return true;
}

bool Startup::loadCommandList()
{
    CommandList &list = m_program.commands();
    QString name;
    const bool loaded = list.load(m_program.paths().brainlistPath(), &name);
    m_program.character().nameoftheguy = name;
    // The options are read from the four reserved entries; a list without them is as
    // unusable as one cut short.
    if (!loaded || list.count() < CommandList::kReservedCount) {
        fail();
        return false;
    }
    return true;
}

QString Startup::nameInWakePhrase(const QString &wakePhrase)
{
    static const QString listen = QStringLiteral(" listen");
    return wakePhrase.endsWith(listen) ? wakePhrase.chopped(listen.size()) : QString();
}

bool Startup::loadCharacter()
{
    CharacterWindow &character = m_program.character();
    // A character whose file name holds a space ("Mr Bean.qlc") is chosen under its whole
    // name, which the wake phrase keeps before " listen"; its first word names no file.
    const QString wholeName = nameInWakePhrase(m_program.commands().phrase(0));
    if (!wholeName.isEmpty() && !wholeName.contains('/') && wholeName != character.nameoftheguy &&
        QFileInfo::exists(m_program.paths().characterFile(wholeName)))
        character.nameoftheguy = wholeName;
    QString path = m_program.paths().characterFile(character.nameoftheguy);
    if (!QFileInfo::exists(path)) {
        // A file named with a second dot ("Clover.v2.qlc") is chosen under its first word, so
        // the wake phrase keeps only that word; find the file again by it.
        const QStringList alike =
            QDir(m_program.paths().characterDir())
                .entryList({character.nameoftheguy + QStringLiteral(".*.qlc")}, QDir::Files,
                           QDir::Name);
        if (!alike.isEmpty() && !character.nameoftheguy.isEmpty())
            path = m_program.paths().characterDir() + '/' + alike.first();
    }
    // The character file is read once into memory and never written.
    const QImage strip = CharacterFile::load(path);
    QCoreApplication::processEvents();
    if (strip.isNull()) {
        fail();
        return false;
    }
    character.setCharacterPicture(strip);
    character.MakeTransparent(0xFFFFFF);
    return true;
}

void Startup::restoreOptions()
{
    Program &p = m_program;
    CommandList &list = p.commands();
    MenuState &menu = p.menu();
    if (list.option(CommandList::AutoListenOption))
        p.ql().autolisten(true);
    if (list.option(CommandList::BubbleOffOption))
        menu.setChecked(MenuState::Bubble, false);
    if (list.option(CommandList::SemitransparentOption)) {
        p.character().trans = 150;
        p.character().settingtrans();
        menu.setChecked(MenuState::Semitransparent, true);
    }
    if (list.option(CommandList::HiddenOption)) {
        p.character().hide();
        menu.setChecked(MenuState::Bubble, false);
        menu.setEnabled(MenuState::Bubble, false);
    }
}

void Startup::fail()
{
    m_program.dialogs().message(QStringLiteral("Quillet"),
                                missingCharacterMessage(m_program.character().nameoftheguy));
}
