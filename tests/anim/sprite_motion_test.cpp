#include <vantrel/animation.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
Sprite spriteAt(long x, long y, long velocity)
{
    Sprite s{};
    s.setX(x, false);
    s.setY(y, false);
    s.setVel(velocity);
    return s;
}
} // namespace

TEST(SpriteMotion, StraightMoveStopsOnTheDestination)
{
    Sprite s = spriteAt(0, 0, 5);
    s.setDest(10, 0);
    EXPECT_EQ(s.startX, 0);
    EXPECT_EQ(s.distX, 10);
    EXPECT_EQ(s.distY, 0);
    EXPECT_EQ(s.stepX, 1);
    EXPECT_EQ(s.stepY, 1); // a zero difference steps +1
    s.update();
    EXPECT_EQ(s.getX(), 5);
    EXPECT_EQ(s.getY(), 0);
    s.update();
    EXPECT_EQ(s.getX(), 10);
    s.update();
    EXPECT_EQ(s.getX(), 10);
    EXPECT_EQ(s.getY(), 0);
}

TEST(SpriteMotion, NoMoveWithoutDistanceOrVelocity)
{
    Sprite s = spriteAt(7, -3, 4);
    s.setDest(7, -3);
    s.update();
    EXPECT_EQ(s.getX(), 7);
    EXPECT_EQ(s.getY(), -3);

    s.setVel(0);
    s.setDest(20, 20);
    s.update();
    EXPECT_EQ(s.getX(), 7);
    EXPECT_EQ(s.getY(), -3);
}

// Every line in every direction: with a velocity of 1 the sprite reaches its
// destination exactly after major-distance updates, never leaves the ideal
// line by more than half a pixel, and moves at most one pixel per axis.
TEST(SpriteMotion, LinesInEveryOctantArriveExactly)
{
    const long targets[][2] = {{10, 10}, {10, 3},  {3, 10},  {-10, 4}, {-4, -10},
                               {9, -7},  {0, -6},  {-8, 0},  {1, 12},  {17, -1}};
    for (const auto& t : targets) {
        Sprite s = spriteAt(100, 200, 1);
        s.setDest(100 + t[0], 200 + t[1]);
        const long major = std::max(std::labs(t[0]), std::labs(t[1]));
        for (long i = 1; i <= major; ++i) {
            const long px = s.getX(), py = s.getY();
            s.update();
            EXPECT_LE(std::labs(s.getX() - px), 1);
            EXPECT_LE(std::labs(s.getY() - py), 1);
            // Distance from the ideal line, scaled by the major distance.
            const long dx = s.getX() - 100, dy = s.getY() - 200;
            const long cross = std::labs(dx * t[1] - dy * t[0]);
            EXPECT_LE(2 * cross, major) << "towards " << t[0] << "," << t[1] << " step " << i;
        }
        EXPECT_EQ(s.getX(), 100 + t[0]) << "towards " << t[0] << "," << t[1];
        EXPECT_EQ(s.getY(), 200 + t[1]) << "towards " << t[0] << "," << t[1];
        s.update();
        EXPECT_EQ(s.getX(), 100 + t[0]);
        EXPECT_EQ(s.getY(), 200 + t[1]);
    }
}

TEST(SpriteMotion, AllVelocityStepsOfOneUpdateAreTaken)
{
    // Arrival is tested before an update only: a velocity that does not
    // divide the distance passes the destination.
    Sprite s = spriteAt(0, 0, 4);
    s.setDest(6, 0);
    s.update();
    s.update();
    EXPECT_EQ(s.getX(), 8);
    EXPECT_EQ(s.startX, 0);
    EXPECT_EQ(s.destX, 6);
}

TEST(SpriteMotion, DiagonalWithVelocityDividingTheDistance)
{
    Sprite s = spriteAt(0, 0, 3);
    s.setDest(-12, 6);
    EXPECT_EQ(s.stepX, -1);
    EXPECT_EQ(s.stepY, 1);
    for (int i = 0; i < 4; ++i)
        s.update();
    EXPECT_EQ(s.getX(), -12);
    EXPECT_EQ(s.getY(), 6);
}
