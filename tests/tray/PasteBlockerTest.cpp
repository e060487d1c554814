#include "PasteBlocker.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

TEST(PasteBlocker, RefusesPastingUntilAllowedAgain)
{
    QApplication::clipboard()->setText("pasted");
    QLineEdit box;
    box.show();
    PasteBlocker blocker;
    blocker.stoppaste(&box);

    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClicks(&box, "typed");
    EXPECT_EQ(box.text(), "typed");

    blocker.allowpaste(&box);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), "typedpasted");
}
