#include "MenuCommands.h"

#include "BrainWindow.h"
#include "CharacterWindow.h"
#include "CommandList.h"
#include "MenuState.h"
#include "Recognizer.h"
#include "Speaker.h"

#include <QAction>

MenuCommands::MenuCommands(MenuState &menu, CommandList &list, CharacterWindow &character,
                           BrainWindow &brain, Speaker &speaker, Recognizer &reco, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
    , m_list(list)
    , m_character(character)
    , m_brain(brain)
    , m_speaker(speaker)
    , m_reco(reco)
{
    // A checkable item has already flipped its mark when it reports the choice; the
    // commands decide from the mark it had, so it is put back first.
    auto bind = [this](MenuState::Item item, void (MenuCommands::*command)()) {
        QAction *action = m_menu.action(item);
        connect(action, &QAction::triggered, this, [this, action, command](bool checked) {
            if (action->isCheckable())
                action->setChecked(!checked);
            (this->*command)();
        });
    };
    bind(MenuState::Listen, &MenuCommands::listen);
    bind(MenuState::Sleep, &MenuCommands::sleep);
    bind(MenuState::EditBrain, &MenuCommands::editBrain);
    bind(MenuState::Characters, &MenuCommands::characters);
    bind(MenuState::AutoListen, &MenuCommands::autoListen);
    bind(MenuState::Bubble, &MenuCommands::bubble);
    bind(MenuState::Semitransparent, &MenuCommands::semitransparent);
    bind(MenuState::About, &MenuCommands::about);
}

void MenuCommands::listen()
{
    if (m_menu.isChecked(MenuState::AutoListen))
        return;
    if (m_menu.isChecked(MenuState::Listen)) {
        m_menu.setChecked(MenuState::Listen, false);
        m_speaker.speakout(QStringLiteral("What ever"));
        m_character.listen = 0;
    } else {
        m_menu.setChecked(MenuState::Listen, true);
        m_speaker.speakout(QStringLiteral("I hear you"));
        m_character.listen = -1;
    }
}

void MenuCommands::sleep()
{
    if (m_menu.isChecked(MenuState::Sleep)) {
        m_menu.setEnabled(MenuState::AutoListen, true);
        m_menu.setEnabled(MenuState::Listen, true);
        // Enabled again when the greeting has been spoken.
        m_menu.setEnabled(MenuState::Sleep, false);
        m_menu.setChecked(MenuState::Sleep, false);
        m_character.sleeping = 0;
        m_speaker.speakout(QStringLiteral("Hello again"));
        m_reco.activate();
    } else {
        m_menu.setChecked(MenuState::AutoListen, false);
        m_menu.setEnabled(MenuState::AutoListen, false);
        m_menu.setChecked(MenuState::Listen, false);
        m_menu.setEnabled(MenuState::Listen, false);
        m_character.listen = 0;
        // Enabled again when the falling-asleep gesture has played.
        m_menu.setEnabled(MenuState::Sleep, false);
        m_menu.setChecked(MenuState::Sleep, true);
        m_character.sleeping = -1;
        m_speaker.speakout(QStringLiteral("I hope I am sleepy"));
        m_reco.deactivate();
    }
}

void MenuCommands::editBrain()
{
    const bool aboutShown = m_brain.aboutPicture()->isVisible();
    if (aboutShown && m_brain.brainOpen) {
        m_brain.startFadeOut();
        return;
    }
    m_brain.brainOpen = true;
    m_brain.hideCharacterPage();
    if (aboutShown) {
        // The fade takes the about picture away and brings the editor in.
        m_brain.startFadeOut();
        return;
    }
    m_brain.show();
    m_brain.raise();
    m_brain.settingtrans();
}

void MenuCommands::characters()
{
    m_brain.show();
    m_brain.raise();
    m_brain.settingtrans();
    m_brain.showCharacterPage();
}

void MenuCommands::about()
{
    if (m_brain.isVisible()) {
        m_brain.startFadeOut();
        return;
    }
    m_menu.setEnabled(MenuState::EditBrain, false);
    m_menu.setEnabled(MenuState::About, false);
    m_brain.aboutgrej();
}

void MenuCommands::autoListen()
{
    if (m_menu.isChecked(MenuState::AutoListen)) {
        m_menu.setChecked(MenuState::AutoListen, false);
        m_menu.setEnabled(MenuState::Listen, true);
        m_list.setOption(CommandList::AutoListenOption, false);
        m_character.savethelist();
    } else {
        m_menu.setChecked(MenuState::Listen, true);
        m_speaker.speakout(QStringLiteral("I hear you"));
        m_character.listen = -1;
        m_list.setOption(CommandList::AutoListenOption, true);
        m_character.savethelist();
        m_menu.setChecked(MenuState::AutoListen, true);
        m_menu.setEnabled(MenuState::Listen, false);
    }
}

void MenuCommands::bubble()
{
    if (m_menu.isChecked(MenuState::Bubble)) {
        m_list.setOption(CommandList::BubbleOffOption, true);
        m_character.savethelist();
        m_menu.setChecked(MenuState::Bubble, false);
    } else {
        m_menu.setChecked(MenuState::Bubble, true);
        m_list.setOption(CommandList::BubbleOffOption, false);
        m_character.savethelist();
    }
}

void MenuCommands::semitransparent()
{
    const bool on = !m_menu.isChecked(MenuState::Semitransparent);
    m_list.setOption(CommandList::SemitransparentOption, on);
    m_character.savethelist();
    m_character.trans = on ? 150 : 255;
    m_character.settingtrans();
    m_menu.setChecked(MenuState::Semitransparent, on);
}
