#include <vantrel/animation.h>
#include <vantrel/core.h>

#include <gtest/gtest.h>

#include <vector>

#include "anim/frame_set_builder.h"
#include "support/message_capture.h"

TEST(TileHeap, CreateGivesAZeroedTileAndDestroyFreesIt)
{
    const DWORD before = MemUsed();
    Tile* tile = createTile();
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->animation, nullptr);
    EXPECT_EQ(tile->frame, 0);
    EXPECT_EQ(tile->type, 0);
    EXPECT_EQ(tile->secondary, 0);
    EXPECT_FALSE(tile->getForward());
    EXPECT_GT(MemUsed(), before);
    destroyTile(tile);
    EXPECT_EQ(MemUsed(), before);

    MessageCapture log;
    destroyTile(nullptr);
    EXPECT_EQ(log.text(), "tile in destroyTile\r\n");
}

TEST(TileSet, MatchesTypePairAndKeepsWhatIsMarked)
{
    LabelledSet frames({{0, 0}, {4, 1}, {4, 2}, {5, 2}});
    Tile tile{};
    tile.bind(&frames.set);
    EXPECT_TRUE(tile.getForward());
    EXPECT_TRUE(tile.set(4, 2));
    EXPECT_EQ(tile.getBitmap(), 2);
    EXPECT_TRUE(tile.set(0xFFFF, 1)); // type 4 kept
    EXPECT_EQ(tile.getType(), 4);
    EXPECT_EQ(tile.getSecondary(), 1);
    EXPECT_EQ(tile.getBitmap(), 1);
    EXPECT_TRUE(tile.set(5, 0xFFFF)); // secondary 1 kept: no slot (5,1)
    EXPECT_EQ(tile.getBitmap(), 0);
    EXPECT_EQ(tile.getType(), 5);
    EXPECT_EQ(tile.getSecondary(), 1);

    tile.setBitmap(3);
    tile.bind(&frames.set);
    EXPECT_EQ(tile.getBitmap(), 0);
    EXPECT_EQ(tile.getType(), 5); // bind keeps the pair
}

TEST(TileSet, ExaminesOnlyTheFirst27Slots)
{
    ANIMATIONFX set{};
    RLEFX image{};
    ASSERT_TRUE(set.create(30));
    for (unsigned i = 0; i < 30; ++i)
        ASSERT_TRUE(set.blt(&image, static_cast<unsigned short>(i == 26 ? 9 : i == 27 ? 8 : 0), 1, 0, 0));
    Tile tile{};
    tile.bind(&set);
    EXPECT_TRUE(tile.set(9, 1));
    EXPECT_EQ(tile.getBitmap(), 26);
    EXPECT_TRUE(tile.set(8, 1));
    EXPECT_EQ(tile.getBitmap(), 0);
    set.release();
}

TEST(TileAdvance, CyclesOverTheWholeTable)
{
    LabelledSet frames({{1, 0}, {2, 0}, {1, 0}, {3, 0}});
    Tile tile{};
    tile.bind(&frames.set);
    tile.set(2, 0);
    std::vector<unsigned> seen;
    for (int i = 0; i < 4; ++i) {
        tile.advance();
        seen.push_back(tile.getBitmap());
    }
    EXPECT_EQ(seen, (std::vector<unsigned>{2, 3, 0, 1}));
    tile.setForward(false);
    tile.setBitmap(0);
    tile.advance();
    EXPECT_EQ(tile.getBitmap(), 3);
    tile.advance();
    EXPECT_EQ(tile.getBitmap(), 2);

    Tile unbound{};
    unbound.advance();
    EXPECT_EQ(unbound.getBitmap(), 0);
    tile.release();
    EXPECT_EQ(tile.animation, nullptr);
}
