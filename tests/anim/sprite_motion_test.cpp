#include <vantrel/animation.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace {
Sprite spriteAt(long x, long y, long velocity)
{
    Sprite s{};
    s.setX(x, false);
    s.setY(y, false);
    s.setVel(velocity);
    return s;
}

using Path = std::vector<std::pair<long, long>>;

// The positions after each of `updates` calls.
Path walk(Sprite& s, int updates)
{
    Path p;
    for (int i = 0; i < updates; ++i) {
        s.update();
        p.emplace_back(s.getX(), s.getY());
    }
    return p;
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
    EXPECT_EQ(s.error, 0);
    EXPECT_EQ(walk(s, 3), (Path{{5, 0}, {10, 0}, {10, 0}}));
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

// The accumulator belongs to the game: setDest and bind leave it alone, and
// update steps the minor axis by whatever it holds.
TEST(SpriteMotion, TheAccumulatorTheGameSetSteersTheLine)
{
    Sprite s = spriteAt(0, 0, 5);
    s.error = 12;
    s.setDest(10, 0);
    EXPECT_EQ(s.error, 12);
    s.bind(nullptr);
    EXPECT_EQ(s.error, 12);

    // bind put the sprite back at (0,0); the horizontal move of the first
    // example, but 12 >= 10 steps y once before the first x step.
    EXPECT_EQ(walk(s, 3), (Path{{5, 1}, {10, 1}, {15, 1}}));
    EXPECT_EQ(s.error, 2);

    // A second move keeps the accumulator where the first one left it.
    s.setDest(15, 11);
    EXPECT_EQ(s.error, 2);
}

// With the accumulator at 0 the minor axis lags: the sprite passes beside a
// diagonal destination and keeps going along the line until the game stops it.
TEST(SpriteMotion, FromZeroADiagonalMovePassesBesideItsDestination)
{
    Sprite s = spriteAt(0, 0, 1);
    s.setDest(4, 2);
    EXPECT_EQ(walk(s, 6), (Path{{1, 0}, {2, 0}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}));

    // Calling setDest again is how a game stops it: a move to where it stands.
    s.setDest(s.getX(), s.getY());
    EXPECT_EQ(walk(s, 1), (Path{{6, 2}}));

    // The same with a velocity dividing the distance: the last update ends
    // one pixel short on the minor axis.
    Sprite t = spriteAt(0, 0, 3);
    t.setDest(-12, 6);
    EXPECT_EQ(t.stepX, -1);
    EXPECT_EQ(t.stepY, 1);
    EXPECT_EQ(walk(t, 4), (Path{{-3, 1}, {-6, 2}, {-9, 4}, {-12, 5}}));
    EXPECT_EQ(walk(t, 1), (Path{{-15, 7}}));
}

// A game that primes the accumulator with the minor distance plus half the
// major one after setDest lands on every line: with a velocity of 1 the
// sprite reaches its destination after major-distance updates, never leaves
// the ideal line by more than half a pixel, and moves at most one pixel per
// axis.
TEST(SpriteMotion, APrimedAccumulatorArrivesExactlyInEveryOctant)
{
    const long targets[][2] = {{10, 10}, {10, 3},  {3, 10},  {-10, 4}, {-4, -10}, {9, -7},
                               {0, -6},  {-8, 0},  {1, 12},  {17, -1}, {4, 2}};
    for (const auto& t : targets) {
        Sprite s = spriteAt(100, 200, 1);
        s.setDest(100 + t[0], 200 + t[1]);
        const long major = std::max(std::labs(t[0]), std::labs(t[1]));
        const long minor = std::min(std::labs(t[0]), std::labs(t[1]));
        s.error = static_cast<LONG>(minor + major / 2);
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
    EXPECT_EQ(walk(s, 3), (Path{{4, 0}, {8, 0}, {12, 0}}));
    EXPECT_EQ(s.startX, 0);
    EXPECT_EQ(s.destX, 6);
}
