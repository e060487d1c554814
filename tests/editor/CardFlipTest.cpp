#include "CardFlip.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

// Ticks until the turn ends, as the timer would; what was shown at each tick.
QList<CardFlip::Step> turn(float &flipp, QString &tag)
{
    QList<CardFlip::Step> steps;
    for (int i = 0; i < 40; ++i) {
        steps << CardFlip::tick(flipp, tag);
        if (steps.last().ended)
            return steps;
    }
    ADD_FAILURE() << "the turn never ended at step " << flipp;
    return steps;
}

TEST(CardFlip, TurnsThroughEveryFrameToTheAddPageAndBack)
{
    float flipp = CardFlip::kFront;
    QString tag = QStringLiteral("true");
    const QList<CardFlip::Step> over = turn(flipp, tag);
    ASSERT_EQ(over.size(), 18);
    for (int frame = 0; frame < 16; ++frame) {
        EXPECT_EQ(over[frame].show, CardFlip::Show::Frame);
        EXPECT_EQ(over[frame].frame, frame);
    }
    EXPECT_EQ(over[16].show, CardFlip::Show::Edge);
    EXPECT_EQ(over[17].show, CardFlip::Show::AddPage);
    EXPECT_EQ(flipp, CardFlip::kAddPage);
    EXPECT_EQ(tag, "false");

    const QList<CardFlip::Step> back = turn(flipp, tag);
    ASSERT_EQ(back.size(), 18);
    EXPECT_EQ(back.first().show, CardFlip::Show::Edge);
    EXPECT_EQ(back[1].frame, 15);
    EXPECT_EQ(back.last().show, CardFlip::Show::FrontPage);
    EXPECT_EQ(flipp, CardFlip::kFront);
    EXPECT_EQ(tag, "true");
}

TEST(CardFlip, ATurnSentBackHalfwayEndsAtTheFront)
{
    float flipp = CardFlip::kFront;
    QString tag = QStringLiteral("true");
    for (int i = 0; i < 7; ++i)
        CardFlip::tick(flipp, tag);
    tag = QStringLiteral("false");
    const QList<CardFlip::Step> back = turn(flipp, tag);
    EXPECT_EQ(back.last().show, CardFlip::Show::FrontPage);
    EXPECT_EQ(back.size(), 7);
    EXPECT_EQ(tag, "true");
}

} // namespace
