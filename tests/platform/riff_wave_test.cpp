// The in-memory RIFF WAVE reader.
#include <vantrel/seam/riff_wave.h>

#include "support/wave_file.h"

#include <gtest/gtest.h>

using vtl::readRiffWave;

TEST(RiffWave, FindsFormatAndDataInAnyOrderAcrossPadBytes)
{
    Bytes w = riffWave({riffChunk("data", Bytes{1, 2, 3}), riffChunk("junk", Bytes{7}),
                        riffChunk("fmt ", formatBody(3, 1, 8000, 32)), riffChunk("tail", Bytes(4))});
    WAVEFORMATEX* format;
    unsigned char* data;
    DWORD size;
    ASSERT_TRUE(readRiffWave(w.data(), DWORD(w.size()), &format, &data, &size));
    EXPECT_EQ(format->wFormatTag, 3); // the tag is not checked
    EXPECT_EQ(data, w.data() + 20);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(reinterpret_cast<unsigned char*>(format), w.data() + 12 + 12 + 10 + 8);

    // Only what is asked for needs to be there.
    Bytes noData = riffWave({riffChunk("fmt ", formatBody(1, 1, 8000, 8)), riffChunk("pad ", Bytes(8))});
    EXPECT_TRUE(readRiffWave(noData.data(), DWORD(noData.size()), &format, nullptr, nullptr));
    EXPECT_FALSE(readRiffWave(noData.data(), DWORD(noData.size()), &format, &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0u);
}

TEST(RiffWave, RefusesBrokenImages)
{
    WAVEFORMATEX* format = reinterpret_cast<WAVEFORMATEX*>(1);
    unsigned char* data;
    DWORD size;
    EXPECT_FALSE(readRiffWave(nullptr, 100, &format, &data, &size));
    EXPECT_EQ(format, nullptr);

    Bytes good = waveFile(1, 1, 8000, 8, Bytes{1, 2});
    Bytes bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(readRiffWave(bad.data(), DWORD(bad.size()), &format, &data, &size));
    bad = good;
    bad[8] = 'X';
    EXPECT_FALSE(readRiffWave(bad.data(), DWORD(bad.size()), &format, &data, &size));
    bad = good;
    bad[4] = 4, bad[5] = bad[6] = bad[7] = 0; // RIFF size of 4
    EXPECT_FALSE(readRiffWave(bad.data(), DWORD(bad.size()), &format, &data, &size));

    Bytes shortFormat = riffWave({riffChunk("fmt ", formatBody(1, 1, 8000, 8, 12)), riffChunk("data", Bytes(4))});
    EXPECT_FALSE(readRiffWave(shortFormat.data(), DWORD(shortFormat.size()), &format, &data, &size));

    // A RIFF size reaching past the bytes given stops at the bytes given,
    // and a data chunk claiming too much is cut to what is there.
    Bytes cut = good;
    cut[4] = 0xFF, cut[5] = 0xFF, cut[6] = 0xFF, cut[7] = 0x7F;
    cut[40] = 0xFF, cut[41] = 0xFF;
    ASSERT_TRUE(readRiffWave(cut.data(), DWORD(cut.size()), &format, &data, &size));
    EXPECT_EQ(size, 2u);
    EXPECT_FALSE(readRiffWave(good.data(), 30, &format, &data, &size));
}
