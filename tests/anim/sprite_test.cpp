#include <vantrel/animation.h>

#include <gtest/gtest.h>

#include <vector>

#include "anim/frame_set_builder.h"
#include "support/message_capture.h"

namespace {
// Frames (0,0),(0,0),(1,0),(1,0),(1,0).
LabelledSet* walkAndRun() { return new LabelledSet({{0, 0}, {0, 0}, {1, 0}, {1, 0}, {1, 0}}); }

std::vector<unsigned> framesAfterAdvances(Sprite& s, int count)
{
    std::vector<unsigned> seen;
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(s.advance());
        seen.push_back(s.frame);
    }
    return seen;
}
} // namespace

TEST(SpriteGroup, SetActionSelectsTheGroupsFirstFrame)
{
    std::unique_ptr<LabelledSet> frames(walkAndRun());
    Sprite s{};
    s.bind(&frames->set);
    EXPECT_EQ(s.frame, 0);
    EXPECT_EQ(s.forward, 1);

    ASSERT_TRUE(s.setAction(1, 0));
    EXPECT_EQ(s.frame, 2);
    EXPECT_EQ(s.getBitmap(), 0);
    EXPECT_EQ(s.getAction(), 1);
    EXPECT_EQ(s.getDirection(), 0);

    ASSERT_TRUE(s.setBitmap(2));
    EXPECT_EQ(s.frame, 4);
    EXPECT_EQ(s.getBitmap(), 2);
}

TEST(SpriteGroup, MissingGroupChangesNothing)
{
    LabelledSet frames({{0, 0}, {0, 2}, {1, 2}, {3, 1}});
    Sprite s{};
    s.bind(&frames.set);
    ASSERT_TRUE(s.setAction(1, 2));
    EXPECT_EQ(s.frame, 2);

    MessageCapture log;
    // 0xFFFF keeps direction 2; there is an action 3, but only in direction 1.
    EXPECT_FALSE(s.setAction(3, 0xFFFF));
    EXPECT_EQ(s.frame, 2);
    EXPECT_EQ(s.getAction(), 1);
    EXPECT_EQ(s.getDirection(), 2);
    ASSERT_TRUE(s.setAction(0, 0xFFFF));
    EXPECT_EQ(s.frame, 1);
    EXPECT_EQ(s.getDirection(), 2);
    EXPECT_TRUE(log.messages().empty());

    s.action = 9; // a group that does not exist
    EXPECT_FALSE(s.setBitmap(0));
    EXPECT_EQ(s.frame, 1);
    EXPECT_EQ(s.getBitmap(), 0);
}

TEST(SpriteAdvance, ForwardWrapsWithinTheGroup)
{
    std::unique_ptr<LabelledSet> frames(walkAndRun());
    Sprite s{};
    s.bind(&frames->set);
    ASSERT_TRUE(s.setAction(1, 0));
    EXPECT_EQ(framesAfterAdvances(s, 4), (std::vector<unsigned>{3, 4, 2, 3}));
    ASSERT_TRUE(s.setAction(0, 0));
    EXPECT_EQ(framesAfterAdvances(s, 3), (std::vector<unsigned>{1, 0, 1}));
}

TEST(SpriteAdvance, BackwardWrapsToTheGroupsLastFrame)
{
    std::unique_ptr<LabelledSet> frames(walkAndRun());
    Sprite s{};
    s.bind(&frames->set);
    s.setForward(false);
    EXPECT_FALSE(s.getForward());
    ASSERT_TRUE(s.setAction(1, 0));
    EXPECT_EQ(framesAfterAdvances(s, 4), (std::vector<unsigned>{4, 3, 2, 4}));

    // A group at slot 0: from frame 0 to its last frame, 1.
    ASSERT_TRUE(s.setAction(0, 0));
    EXPECT_EQ(framesAfterAdvances(s, 3), (std::vector<unsigned>{1, 0, 1}));
}

TEST(SpriteAdvance, BackwardFromOutsideTheGroupEntersAtItsLastFrame)
{
    LabelledSet frames({{5, 0}, {2, 1}, {2, 1}, {2, 1}, {7, 7}});
    Sprite s{};
    s.bind(&frames.set);
    s.setForward(false);
    // After bind the sprite plays action 0, direction 0: a group that does
    // not exist.  Frame 0 stays a valid index.
    EXPECT_TRUE(s.advance());
    EXPECT_EQ(s.frame, 0);

    // Slot 0 is not of the group: frame 0 goes to the group's last frame.
    s.action = 2;
    s.direction = 1;
    EXPECT_TRUE(s.advance());
    EXPECT_EQ(s.frame, 3);

    // setBitmap past the group's end, in the table and beyond it.
    for (unsigned short n : {3, 40}) {
        ASSERT_TRUE(s.setBitmap(n));
        EXPECT_TRUE(s.advance());
        EXPECT_EQ(s.frame, 3) << "from group place " << n;
    }
    // Forwards from outside the group wraps to its first frame.
    s.setForward(true);
    ASSERT_TRUE(s.setBitmap(40));
    EXPECT_TRUE(s.advance());
    EXPECT_EQ(s.frame, 1);
}

TEST(SpriteAdvance, UnboundOrEmptySetIsHarmless)
{
    Sprite s{};
    s.bind(nullptr);
    EXPECT_TRUE(s.advance());
    EXPECT_FALSE(s.setAction(0, 0));
    EXPECT_FALSE(s.setBitmap(0));
    EXPECT_EQ(s.getBitmap(), 0);

    ANIMATIONFX empty{};
    s.bind(&empty);
    EXPECT_TRUE(s.advance());
    EXPECT_EQ(s.frame, 0);
    EXPECT_TRUE(s.draw(nullptr, 0, 0));
}

TEST(SpriteFields, SettersGettersAndBind)
{
    LabelledSet frames({{0, 0}});
    Sprite s{};
    s.blitMode.mode = BLITMODE_FADE;
    s.velocity = 7;
    s.destX = 99;
    s.setX(3, false);
    s.setX(5, true);
    EXPECT_EQ(s.getX(), 8);
    s.setY(-4, false);
    s.setY(5, false);
    EXPECT_EQ(s.getY(), 5);
    s.bind(&frames.set);
    EXPECT_EQ(s.getX(), 0);
    EXPECT_EQ(s.getY(), 0);
    EXPECT_EQ(s.animation, &frames.set);
    EXPECT_EQ(s.blitMode.mode, BLITMODE_FADE);
    EXPECT_EQ(s.getVel(), 7u);
    EXPECT_EQ(s.destX, 99);

    s.setVel(300);
    EXPECT_EQ(s.getVel(), 44u);
    s.setVel(-1);
    EXPECT_EQ(s.getVel(), 255u);

    Sprite copy{};
    copy = s;
    EXPECT_EQ(copy.animation, &frames.set);
    s.release();
    EXPECT_EQ(s.animation, nullptr);
    EXPECT_EQ(copy.animation, &frames.set);
}
