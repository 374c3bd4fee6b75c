#include <vantrel/alphafx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "support/image_files.h"
#include "support/message_capture.h"

namespace {
char* cstr(const char* s) { return const_cast<char*>(s); }
}

TEST(AlphaBmp, EachValueIsTheMeanOfThePixelsBytes)
{
    // Top row: (B 30, G 60, R 91), white; bottom row: (1, 1, 0), black.
    const Bytes bmp = makeBmp24(2, 2, [](int x, int y) {
        if (y == 0)
            return x == 0 ? Rgba{91, 60, 30, 0} : Rgba{255, 255, 255, 0};
        return x == 0 ? Rgba{0, 1, 1, 0} : Rgba{0, 0, 0, 0};
    });
    TestArchive archive;
    archive.add("MASK.BMP", bmp);
    VTLHND handle;
    setDisplayFormat(handle, kDisplayFormats[2]);
    ASSERT_TRUE(archive.openIn(handle));
    ALPHAFX map{};
    ASSERT_TRUE(handle.create(&map, cstr("MASK.BMP")));
    EXPECT_EQ(handle.alphaList, &map);
    EXPECT_EQ(map.width, 2);
    EXPECT_EQ(map.pitch, 2u);
    EXPECT_EQ(map.map[0], 60);
    EXPECT_EQ(map.map[1], 255);
    EXPECT_EQ(map.map[2], 0);
    EXPECT_EQ(map.map[3], 0);
    EXPECT_TRUE(handle.release(&map));
    EXPECT_EQ(handle.alphaList, nullptr);
}

TEST(AlphaBmp, MissingOrBadFilesLeaveTheMapEmpty)
{
    Bytes bad = makeBmp24(4, 4, [](int, int) { return Rgba{1, 1, 1, 1}; });
    bad[28] = 32;
    TestArchive archive;
    archive.add("BAD.BMP", bad).add("CUT.BMP", Bytes(bad.begin(), bad.begin() + 60));
    VTLHND handle;
    ASSERT_TRUE(archive.openIn(handle));
    ALPHAFX map{};
    ASSERT_TRUE(map.create(3, 3));

    MessageCapture capture;
    map.owner = &handle;
    EXPECT_FALSE(map.loadBmp(cstr("NONE.BMP")));
    EXPECT_EQ(map.map, nullptr) << "the old map is released first";
    EXPECT_EQ(capture.text(), "FastFileOpen: File \"NONE.BMP\" not found.\r\n"
                              "ALPHAFX::loadBmp() - Fastfile::open\r\n");
    capture.clear();
    EXPECT_FALSE(map.loadBmp(cstr("BAD.BMP")));
    EXPECT_FALSE(map.loadBmp(cstr("CUT.BMP")));
    EXPECT_FALSE(map.loadBmp(nullptr));
    EXPECT_EQ(capture.text(), "Failed to load BAD.BMP\r\nFailed to load CUT.BMP\r\n"
                              "ALPHAFX::loadBmp() - Null filename.\r\n");

    // The registry takes upper-case BMP endings only.
    EXPECT_FALSE(handle.create(&map, cstr("bad.bmp")));
    EXPECT_EQ(handle.alphaList, nullptr);
}
