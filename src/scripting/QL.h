#pragma once

#include <QObject>

class CharacterWindow;
class MenuState;

// The program's own object for scripts, `QL`. It holds no state: every member works on the
// windows, the menu and the engines it is given.
class QL : public QObject {
    Q_OBJECT
public:
    QL(MenuState &menu, CharacterWindow &character, QObject *parent = nullptr);

    // Switches the Auto listen state of the menu without speaking or storing the option.
    void autolisten(bool on);

private:
    MenuState &m_menu;
    CharacterWindow &m_character;
};
