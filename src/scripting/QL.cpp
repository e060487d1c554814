#include "QL.h"

#include "CharacterWindow.h"
#include "MenuState.h"

QL::QL(MenuState &menu, CharacterWindow &character, QObject *parent)
    : QObject(parent)
    , m_menu(menu)
    , m_character(character)
{}

void QL::autolisten(bool on)
{
    if (on) {
        m_menu.setChecked(MenuState::Listen, true);
        m_character.listen = -1;
        m_menu.setChecked(MenuState::AutoListen, true);
        m_menu.setEnabled(MenuState::Listen, false);
    } else {
        // Listening itself carries on; only the next command will end it.
        m_menu.setChecked(MenuState::AutoListen, false);
        m_menu.setEnabled(MenuState::Listen, true);
    }
}
