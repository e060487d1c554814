#pragma once

#include <QWidget>

class CommandList;
class QListView;

// The command editor `Brain`. It owns the command list for the whole run; the list view
// `FalseBrainlist` shows the phrases.
class BrainWindow : public QWidget {
    Q_OBJECT
public:
    explicit BrainWindow(CommandList &list, QWidget *parent = nullptr);

    CommandList &commands() const { return m_list; }

    // True while the editor page is open.
    bool brainOpen = false;

    // The three hidden lists keep a height only for the scripts that read it.
    int hiddenListHeight = 255;

private:
    CommandList &m_list;
    QListView *m_falseBrainlist;
};
