// The virtual disc's track table and the MCI time formats on it.
#include "platform/shared/cd_timeline.h"

#include <gtest/gtest.h>

namespace {

vtl::CdTimeline threeTracks()
{
    vtl::CdTimeline disc;
    uint32_t length;
    EXPECT_TRUE(disc.add(44100 * 10, 44100, &length)); // 10 s
    EXPECT_EQ(length, 750u);
    EXPECT_TRUE(disc.add(0, 44100, &length)); // unreadable, no length: skipped
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(disc.add(22050 * 61 + 100, 22050, &length)); // 61 s and a part of a frame
    EXPECT_EQ(length, 61u * 75);
    return disc;
}

TEST(CdTimeline, TracksFollowEachOtherAndEmptyOnesTakeNoPlace)
{
    const vtl::CdTimeline disc = threeTracks();
    EXPECT_EQ(disc.starts, (std::vector<uint32_t>{0, 750, 750}));
    EXPECT_EQ(disc.length, 750u + 61 * 75);
    EXPECT_EQ(disc.trackLength(1), 0u);
    EXPECT_EQ(disc.trackAt(0), 0u);
    EXPECT_EQ(disc.trackAt(749), 0u);
    EXPECT_EQ(disc.trackAt(750), 2u) << "the empty track is never where the disc is";
    EXPECT_EQ(disc.trackAt(disc.length), 2u);
}

TEST(CdTimeline, DiscLongerThanItsPositionsLeavesTheTrackOut)
{
    vtl::CdTimeline disc;
    uint32_t length;
    // A rate of 1 Hz: four billion frames would be 75 times as many CD frames.
    EXPECT_FALSE(disc.add(UINT32_MAX, 1, &length));
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(disc.length, 0u);
    EXPECT_EQ(disc.starts.size(), 1u);
}

TEST(CdTimeline, TimeFormatsRoundTrip)
{
    const vtl::CdTimeline disc = threeTracks();
    uint32_t frame;
    ASSERT_TRUE(disc.toCdFrame(MCI_FORMAT_TMSF, MCI_MAKE_TMSF(3, 1, 0, 5), &frame));
    EXPECT_EQ(frame, 750u + 60 * 75 + 5);
    EXPECT_EQ(disc.fromCdFrame(MCI_FORMAT_TMSF, frame), DWORD(MCI_MAKE_TMSF(3, 1, 0, 5)));
    EXPECT_EQ(disc.fromCdFrame(MCI_FORMAT_MSF, frame), DWORD(MCI_MAKE_MSF(1, 10, 5)));
    ASSERT_TRUE(disc.toCdFrame(MCI_FORMAT_MILLISECONDS, 2000, &frame));
    EXPECT_EQ(frame, 150u);
    EXPECT_EQ(disc.fromCdFrame(MCI_FORMAT_MILLISECONDS, 150), 2000u);
    // No track 4, no position past the end.
    EXPECT_FALSE(disc.toCdFrame(MCI_FORMAT_TMSF, MCI_MAKE_TMSF(4, 0, 0, 0), &frame));
    EXPECT_FALSE(disc.toCdFrame(MCI_FORMAT_MSF, MCI_MAKE_MSF(2, 0, 0), &frame));
    EXPECT_TRUE(disc.toCdFrame(MCI_FORMAT_MSF, MCI_MAKE_MSF(1, 11, 0), &frame)) << "the end itself";
}

TEST(CdTimeline, LongDurationsStopAt255Minutes)
{
    EXPECT_EQ(vtl::cdDuration(MCI_FORMAT_MSF, 300u * 60 * 75), DWORD(MCI_MAKE_MSF(255, 0, 0)));
    EXPECT_EQ(vtl::cdDuration(MCI_FORMAT_MILLISECONDS, 300u * 60 * 75), 300u * 60 * 1000);
}

TEST(CdTimeline, FirstSampleOfAFrameBelongsToIt)
{
    // At 32 kHz a CD frame is 426.67 samples: frame 1 starts at sample 427.
    EXPECT_EQ(vtl::firstSampleOf(1, 32000), 427u);
    EXPECT_EQ(vtl::firstSampleOf(75, 32000), 32000u);
    EXPECT_EQ(vtl::firstSampleOf(1, 44100), 588u);
}

} // namespace
