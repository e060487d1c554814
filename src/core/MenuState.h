#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;

// The program's one menu, `menue`. The check marks and enabled flags of its items are
// program state: whether the character listens or sleeps and whether the options are on is
// read from the items themselves.
class MenuState : public QObject {
    Q_OBJECT
public:
    enum Item {
        Listen,
        Sleep,
        EditBrain,
        Options,
        AutoListen,
        Bubble,
        Characters,
        Semitransparent,
        About,
        Separator,
        Quit
    };

    explicit MenuState(QObject *parent = nullptr);
    ~MenuState() override;

    QMenu *menue() const { return m_menue; }
    QMenu *options() const { return m_options; }

    QAction *action(Item item) const;
    // By the item's name: "l", "s", "e", "o", "a", "b", "c", "trans", "ab", "streck", "quit";
    // nullptr for any other name.
    QAction *action(const QString &name) const;
    static QString name(Item item);

    bool isChecked(Item item) const;
    bool isEnabled(Item item) const;
    void setChecked(Item item, bool checked);
    void setEnabled(Item item, bool enabled);

private:
    QMenu *m_menue;
    QMenu *m_options;
    QAction *m_items[Quit + 1] = {};
};
