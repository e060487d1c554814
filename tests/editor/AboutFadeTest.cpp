#include "AboutFade.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

struct FadeRun {
    QList<int> levels;
    int shown = 0;
    int hidden = 0;
    bool windowHidden = false;
};

// Ticks until the fade says it has ended, as the timer would.
FadeRun run(AboutFade &fade, int &level, bool &pictureShown, bool editorOpen)
{
    FadeRun r;
    for (int i = 0; i < 600; ++i) {
        const AboutFade::Step step = fade.tick(level, pictureShown, editorOpen);
        r.levels << level;
        if (step.showPicture) {
            pictureShown = true;
            ++r.shown;
        }
        if (step.hidePicture) {
            pictureShown = false;
            ++r.hidden;
        }
        r.windowHidden = r.windowHidden || step.hideWindow;
        if (step.ended)
            return r;
    }
    ADD_FAILURE() << "the fade never ended; last level " << level;
    return r;
}

TEST(AboutFade, InFromNothingThenOutAndAwayWithTheClosedEditor)
{
    AboutFade fade;
    int level = 0;
    bool picture = false;
    FadeRun in = run(fade, level, picture, false);
    EXPECT_EQ(in.levels.first(), 3);
    EXPECT_EQ(in.levels.last(), 255);
    EXPECT_EQ(in.levels.size(), 127);
    EXPECT_EQ(in.shown, 1);
    EXPECT_TRUE(picture);
    EXPECT_FALSE(fade.fadingIn());

    level = 254;
    FadeRun out = run(fade, level, picture, false);
    EXPECT_EQ(out.levels.mid(0, 2), QList<int>({252, 250}));
    EXPECT_EQ(out.levels.last(), 0);
    EXPECT_EQ(out.hidden, 1);
    EXPECT_TRUE(out.windowHidden);
}

TEST(AboutFade, OutOverTheOpenEditorComesBackWhole)
{
    AboutFade fade;
    int level = 254;
    bool picture = true;
    FadeRun r = run(fade, level, picture, true);
    EXPECT_FALSE(r.windowHidden);
    EXPECT_EQ(r.hidden, 1);
    EXPECT_FALSE(picture);
    EXPECT_EQ(r.levels.last(), 255);
}

// A level moved from outside while the fade runs, by a second fade's start or by the window
// made opaque at once, must still end the fade at its end and not run past it.
TEST(AboutFade, ALevelMovedMidFadeStillEnds)
{
    for (const int moved : {254, 255, 256, 1, -7}) {
        SCOPED_TRACE(moved);
        for (const bool editorOpen : {false, true}) {
            AboutFade fade;
            int level = 0;
            bool picture = false;
            for (int i = 0; i < 10; ++i)
                fade.tick(level, picture, editorOpen);
            level = moved;
            FadeRun r = run(fade, level, picture, editorOpen);
            EXPECT_TRUE(level == 255 || level == 0) << level;
            for (int l : r.levels)
                EXPECT_TRUE(l >= 0 && l <= 255) << l;
        }
    }
}

} // namespace
