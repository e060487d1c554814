#include "MenuState.h"

#include <QAction>
#include <QMenu>

namespace {
const char *const kNames[] = {"l", "s", "e", "o", "a", "b", "c", "trans", "ab", "streck", "quit"};
}

MenuState::MenuState(QObject *parent)
    : QObject(parent)
    , m_menue(new QMenu(QStringLiteral("Menu")))
    , m_options(new QMenu(QStringLiteral("Options"), m_menue))
{
    auto add = [this](Item item, QMenu *menu, const QString &caption, bool checkable) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(kNames[item]));
        action->setCheckable(checkable);
        m_items[item] = action;
    };
    add(Listen, m_menue, QStringLiteral("Listen"), true);
    add(Sleep, m_menue, QStringLiteral("Sleep"), true);
    add(EditBrain, m_menue, QStringLiteral("Edit brain"), false);
    m_items[Options] = m_menue->addMenu(m_options);
    m_items[Options]->setObjectName(QStringLiteral("o"));
    add(AutoListen, m_options, QStringLiteral("Auto listen"), true);
    add(Bubble, m_options, QStringLiteral("Bubble"), true);
    add(Characters, m_options, QStringLiteral("Characters"), false);
    add(Semitransparent, m_options, QStringLiteral("Semitransparent"), true);
    add(About, m_menue, QStringLiteral("About"), false);
    m_items[Separator] = m_menue->addSeparator();
    m_items[Separator]->setObjectName(QStringLiteral("streck"));
    add(Quit, m_menue, QStringLiteral("Quit"), false);

    m_items[Bubble]->setChecked(true);
}

MenuState::~MenuState()
{
    delete m_menue;
}

QAction *MenuState::action(Item item) const
{
    return m_items[item];
}

QAction *MenuState::action(const QString &name) const
{
    for (int i = 0; i <= Quit; ++i) {
        if (name == QLatin1String(kNames[i]))
            return m_items[i];
    }
    return nullptr;
}

QString MenuState::name(Item item)
{
    return QString::fromLatin1(kNames[item]);
}

bool MenuState::isChecked(Item item) const
{
    return m_items[item]->isChecked();
}
bool MenuState::isEnabled(Item item) const
{
    return m_items[item]->isEnabled();
}

void MenuState::setChecked(Item item, bool checked)
{
    // The flag is state even on items the menu shows without a check box.
    QAction *action = m_items[item];
    if (checked && !action->isCheckable())
        action->setCheckable(true);
    action->setChecked(checked);
}

void MenuState::setEnabled(Item item, bool enabled)
{
    m_items[item]->setEnabled(enabled);
}
