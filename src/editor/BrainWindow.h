#pragma once

#include <QWidget>

class CharacterChooser;
class CommandList;
class QLineEdit;
class QListView;

// The command editor `Brain`. It owns the command list for the whole run; the list view
// `FalseBrainlist` shows the phrases.
class BrainWindow : public QWidget {
    Q_OBJECT
public:
    explicit BrainWindow(CommandList &list, QWidget *parent = nullptr);

    CommandList &commands() const { return m_list; }
    CharacterChooser *characterlist() const { return m_characterlist; }
    // The add page's text boxes for the phrase and the action's argument.
    QLineEdit *phrasetext() const { return m_phrasetext; }
    QLineEdit *action() const { return m_action; }

    // True while the editor page is open.
    bool brainOpen = false;

    // The three hidden lists keep a height in twips only because start-up sets it.
    int hiddenListHeight = 255;

private:
    CommandList &m_list;
    QListView *m_falseBrainlist;
    QLineEdit *m_phrasetext;
    QLineEdit *m_action;
    CharacterChooser *m_characterlist;
};
