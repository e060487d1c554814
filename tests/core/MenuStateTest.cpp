#include "MenuState.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

TEST(MenuState, StatesAtLoad)
{
    MenuState menu;
    for (const char *name : {"l", "s", "e", "o", "a", "b", "c", "trans", "ab", "streck", "quit"}) {
        QAction *action = menu.action(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_TRUE(action->isEnabled()) << name;
        EXPECT_EQ(action->isChecked(), QString(name) == "b") << name;
    }
    EXPECT_EQ(menu.action("nonsense"), nullptr);
    EXPECT_EQ(menu.menue()->title(), "Menu");
    EXPECT_TRUE(menu.action(MenuState::Separator)->isSeparator());
}

TEST(MenuState, CaptionsAndOrder)
{
    MenuState menu;
    QStringList top;
    for (QAction *action : menu.menue()->actions())
        top << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(top, QStringList({"Listen", "Sleep", "Edit brain", "Options", "About", "-", "Quit"}));
    QStringList options;
    for (QAction *action : menu.options()->actions())
        options << action->text();
    EXPECT_EQ(options, QStringList({"Auto listen", "Bubble", "Characters", "Semitransparent"}));
}

TEST(MenuState, FlagsAreStateReadBack)
{
    MenuState menu;
    menu.setChecked(MenuState::Sleep, true);
    menu.setEnabled(MenuState::Sleep, false);
    menu.setChecked(MenuState::Bubble, false);
    EXPECT_TRUE(menu.isChecked(MenuState::Sleep));
    EXPECT_FALSE(menu.isEnabled(MenuState::Sleep));
    EXPECT_FALSE(menu.isChecked(MenuState::Bubble));
    EXPECT_TRUE(menu.action("s")->isChecked());
}
