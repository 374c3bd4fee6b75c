#include <vantrel/animation.h>
#include <vantrel/core.h>
#include <vantrel/fastfile.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "anim/anim_fixtures.h"
#include "support/message_capture.h"

namespace {
char* name(const char* text) { return const_cast<char*>(text); }

const Bytes kSmall = solidRle(2, 1, 255, 0, 0);   // 15 + 2 + 6 + 2 = 25 bytes
const Bytes kLarger = solidRle(3, 2, 0, 0, 255);  // 15 + 2 * (2 + 9 + 2) = 41 bytes
} // namespace

TEST(RlaLoader, RecordsAreReadBackToBackAndEachFrameRegistered)
{
    const Bytes file = rlaFile({{4, 1, kSmall}, {4, 2, kLarger}, {7, 0, kSmall}});
    ArchiveHandle fixture({{"HERO.RLA", file}});
    VTLHND& handle = fixture.handle;
    RLEFX older{};
    ASSERT_TRUE(handle.create(&older, static_cast<unsigned short>(1), static_cast<unsigned short>(1), 8ul));
    const DWORD before = MemUsed();

    ANIMATIONFX set{};
    ASSERT_TRUE(handle.create(&set, name("HERO.RLA")));
    EXPECT_EQ(handle.animationList, &set);
    ASSERT_EQ(set.frameCount, 3);
    unsigned char* entry = fixture.entry("HERO.RLA");
    ASSERT_NE(entry, nullptr);

    const size_t l0 = kSmall.size(), l1 = kLarger.size();
    const unsigned char* expectedData[] = {entry + 2 + 8, entry + 2 + 8 + l0 + 8, entry + 2 + 8 + l0 + 8 + l1 + 8};
    const DWORD expectedSize[] = {DWORD(l0), DWORD(l1), DWORD(l0)};
    const unsigned short actions[] = {4, 4, 7}, directions[] = {1, 2, 0};
    for (int i = 0; i < 3; ++i) {
        const ANIMFRAME& slot = set.frames[i];
        ASSERT_NE(slot.image, nullptr);
        EXPECT_EQ(slot.action, actions[i]);
        EXPECT_EQ(slot.direction, directions[i]);
        EXPECT_EQ(slot.xOffset, 0);
        EXPECT_EQ(slot.yOffset, 0);
        EXPECT_EQ(slot.owned, 1);
        const RLEFX& image = *slot.image;
        EXPECT_EQ(image.fileData, expectedData[i]) << "frame " << i;
        EXPECT_EQ(image.fileSize, expectedSize[i]) << "frame " << i;
        EXPECT_EQ(image.kind, RLE_KIND_RLE);
        EXPECT_EQ(image.owner, &handle);
        EXPECT_EQ(image.format, PF_RGB565);
        EXPECT_EQ(image.bitsPerPixel, 16);
        EXPECT_EQ(image.bytesPerPixel, 2);
        EXPECT_NE(image.runs, nullptr);
    }
    EXPECT_EQ(set.frames[1].image->width, 3);
    EXPECT_EQ(set.frames[1].image->height, 2);
    // The first run of frame 1: 3 opaque pixels of pure blue in 5-6-5.
    const unsigned char* runs = set.frames[1].image->runs;
    EXPECT_EQ(runs[0] | runs[1] << 8, 3);
    EXPECT_EQ(runs[2] | runs[3] << 8, 0x001F);

    // Newest first: the last frame loaded heads the handle's RLE list.
    EXPECT_EQ(handle.rleList, set.frames[2].image);
    EXPECT_EQ(set.frames[2].image->prev, nullptr);
    EXPECT_EQ(set.frames[2].image->next, set.frames[1].image);
    EXPECT_EQ(set.frames[1].image->next, set.frames[0].image);
    EXPECT_EQ(set.frames[0].image->next, &older);
    EXPECT_EQ(older.prev, set.frames[0].image);

    ASSERT_TRUE(handle.release(&set));
    EXPECT_EQ(handle.animationList, nullptr);
    EXPECT_EQ(handle.rleList, &older);
    EXPECT_EQ(older.prev, nullptr);
    EXPECT_EQ(MemUsed(), before);
    handle.release(&older);
}

TEST(RlaLoader, EmptyFileGivesATableWithoutSlots)
{
    ArchiveHandle fixture({{"NONE.RLA", rlaFile({})}});
    ANIMATIONFX set{};
    RLEFX lent{};
    ASSERT_TRUE(fixture.handle.create(&set, name("NONE.RLA")));
    EXPECT_EQ(set.frameCount, 0);
    EXPECT_NE(set.frames, nullptr);
    MessageCapture log;
    EXPECT_FALSE(set.blt(&lent, 0, 0, 0, 0));
    EXPECT_EQ(log.text(), "ANIMATIONFX::blt() - Surface overflow\r\n");
    EXPECT_TRUE(fixture.handle.release(&set));
}

// Every way a file can fail to fit: cut at each byte, a length past the end,
// a length too short for an RLE header.  Nothing is made, nothing leaks.
TEST(RlaLoader, FileThatDoesNotFitIsRefusedWhole)
{
    const Bytes whole = rlaFile({{1, 1, kSmall}, {1, 1, kLarger}});
    std::vector<std::pair<std::string, Bytes>> entries;
    std::vector<std::pair<std::string, std::string>> expected;
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        const std::string entryName = "CUT" + std::to_string(cut) + ".RLA";
        entries.push_back({entryName, Bytes(whole.begin(), whole.begin() + static_cast<long>(cut))});
        const char* why = cut < 2                        ? "No frame count."
                          : cut < 2 + 8 + kSmall.size() ? "Frame 0 does not fit in the file."
                                                         : "Frame 1 does not fit in the file.";
        expected.push_back({entryName, std::string("ANIMATIONFX::loadRla() - ") + why + "\r\n"});
    }
    Bytes huge = whole;
    huge[2 + 3] = 0x7F; // the first length near 2 GiB
    entries.push_back({"HUGE.RLA", huge});
    expected.push_back({"HUGE.RLA", "ANIMATIONFX::loadRla() - Frame 0 does not fit in the file.\r\n"});
    Bytes shortImage = rlaFile({{1, 1, Bytes(kSmall.begin(), kSmall.begin() + 14)}});
    entries.push_back({"SHORT.RLA", shortImage});
    expected.push_back({"SHORT.RLA", "ANIMATIONFX::loadRla() - Frame 0 does not fit in the file.\r\n"});

    ArchiveHandle fixture(entries);
    const DWORD before = MemUsed();
    for (const auto& [entryName, message] : expected) {
        ANIMATIONFX set{};
        MessageCapture log;
        EXPECT_FALSE(fixture.handle.create(&set, name(entryName.c_str()))) << entryName;
        EXPECT_EQ(log.text(), message) << entryName;
        EXPECT_EQ(set.frames, nullptr);
        EXPECT_EQ(fixture.handle.animationList, nullptr);
        EXPECT_EQ(fixture.handle.rleList, nullptr);
        EXPECT_EQ(MemUsed(), before) << entryName;
    }
}

TEST(RlaLoader, BadFrameReleasesEverythingMadeSoFar)
{
    Bytes wide = kSmall;
    wide[15] = 3; // a run of 3 pixels in a row 2 wide
    const Bytes file = rlaFile({{0, 0, kSmall}, {0, 0, kLarger}, {0, 0, wide}, {0, 0, kSmall}});
    ArchiveHandle fixture({{"BAD.RLA", file}});
    RLEFX older{};
    ASSERT_TRUE(fixture.handle.create(&older, static_cast<unsigned short>(1), static_cast<unsigned short>(1), 8ul));
    const DWORD before = MemUsed();

    ANIMATIONFX set{};
    EXPECT_FALSE(fixture.handle.create(&set, name("BAD.RLA")));
    EXPECT_EQ(set.frames, nullptr);
    EXPECT_EQ(fixture.handle.animationList, nullptr);
    EXPECT_EQ(fixture.handle.rleList, &older);
    EXPECT_EQ(older.prev, nullptr);
    EXPECT_EQ(MemUsed(), before);
    fixture.handle.release(&older);
}

TEST(RlaLoader, ReloadingReleasesTheOldTableFirst)
{
    ArchiveHandle fixture({{"ONE.RLA", rlaFile({{2, 3, kSmall}})}, {"TWO.RLA", rlaFile({{5, 5, kLarger}, {5, 5, kSmall}})}});
    const DWORD before = MemUsed();
    ANIMATIONFX set{};
    ASSERT_TRUE(fixture.handle.create(&set, name("ONE.RLA")));
    ASSERT_TRUE(set.loadRla(name("TWO.RLA")));
    EXPECT_EQ(set.frameCount, 2);
    EXPECT_EQ(set.frames[0].action, 5);
    // The old frame left the RLE list; only the two new ones are in it.
    EXPECT_EQ(fixture.handle.rleList, set.frames[1].image);
    EXPECT_EQ(set.frames[0].image->next, nullptr);
    ASSERT_TRUE(fixture.handle.release(&set));
    EXPECT_EQ(MemUsed(), before);
}

TEST(RlaLoader, MissingEntryAndNullName)
{
    ArchiveHandle fixture({{"HERO.RLA", rlaFile({{0, 0, kSmall}})}});
    ANIMATIONFX set{};
    MessageCapture log;
    EXPECT_FALSE(fixture.handle.create(&set, name("GHOST.RLA")));
    EXPECT_EQ(log.messages().back(), "ANIMATIONFX::loadRla() - FastFileOpen\r\n");
    log.clear();
    EXPECT_FALSE(fixture.handle.create(&set, nullptr));
    EXPECT_EQ(log.text(), "ANIMATIONFX::loadRla() - Null filename.\r\n");
    EXPECT_EQ(fixture.handle.animationList, nullptr);

    // A set that no handle made has no archive to read from.
    ANIMATIONFX orphan{};
    log.clear();
    EXPECT_FALSE(orphan.loadRla(name("HERO.RLA")));
    EXPECT_EQ(log.text(), "ANIMATIONFX::loadRla() - FastFileOpen\r\n");
}
