#pragma once

#include <QObject>

class BrainWindow;
class CharacterWindow;
class CommandList;
class MenuState;
class Recognizer;
class Speaker;

// What the menu's items do when chosen. The options are stored at once in the reserved
// entries of the command list; Listen and Sleep move between the listening states.
class MenuCommands : public QObject {
    Q_OBJECT
public:
    MenuCommands(MenuState &menu, CommandList &list, CharacterWindow &character, BrainWindow &brain,
                 Speaker &speaker, Recognizer &reco, QObject *parent = nullptr);

    void listen();
    void sleep();
    void editBrain();
    void characters();
    void about();
    void autoListen();
    void bubble();
    void semitransparent();

private:
    MenuState &m_menu;
    CommandList &m_list;
    CharacterWindow &m_character;
    BrainWindow &m_brain;
    Speaker &m_speaker;
    Recognizer &m_reco;
};
