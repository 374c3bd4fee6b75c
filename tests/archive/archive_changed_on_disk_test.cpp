// An archive file truncated or replaced on disk while the game runs: the
// archive holds the bytes it was opened with, so every cursor call and
// every loader behaves as before (no read can fault), and a read past an
// entry still fails as it always does.
#include <vantrel/alphafx.h>
#include <vantrel/animation.h>
#include <vantrel/audio.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/fastfile.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "support/image_files.h"
#include "support/manual_audio.h"
#include "support/message_capture.h"
#include "support/wave_file.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
char* cstr(const char* s) { return const_cast<char*>(s); }

Rgba stripes(int x, int) { return x % 2 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255}; }

void putLE(Bytes& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// One frame of 2 x 1 opaque white pixels, as an RLA file.
Bytes oneFrameRla()
{
    Bytes rle;
    putLE(rle, 2, 2);
    putLE(rle, 1, 2);
    putLE(rle, 2, 4);
    rle.resize(15, 0);
    putLE(rle, 2, 2);
    rle.insert(rle.end(), {255, 255, 255, 255, 255, 255});
    putLE(rle, 0, 2);
    Bytes out;
    putLE(out, 1, 2);
    putLE(out, uint32_t(rle.size()), 4);
    putLE(out, 1, 2);
    putLE(out, 0, 2);
    out.insert(out.end(), rle.begin(), rle.end());
    return out;
}

class ChangedOnDisk : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SOUND::create(reinterpret_cast<HWND>(1)));
        setDisplayFormat(handle, kDisplayFormats[2]);
        text = std::string(100, 'x');
        for (int i = 0; i < 100; ++i)
            text[size_t(i)] = char('A' + i % 26);
        archive.add("TEXT.DAT", text);
        archive.add("TITLE.BMP", makeBmp24(4, 2, stripes));
        archive.add("TITLE.TGA", makeTga(2, 24, 4, 2, tgaRows(4, 2, 24, stripes)));
        archive.add("HERO.RLA", oneFrameRla());
        archive.add("BEEP.WAV", waveFile(1, 1, 11025, 16, ramp16(400, 1)));
        path = archive.writeFile();
        ASSERT_TRUE(handle.FastFileInit(cstr(path.c_str())));
        // Cut to a few bytes, or replaced by other bytes of the same size.
        if (GetParam()) {
            ASSERT_EQ(truncate(path.c_str(), 10), 0);
        } else {
            std::FILE* f = std::fopen(path.c_str(), "r+b");
            ASSERT_NE(f, nullptr);
            const Bytes zeros(archive.bytes().size(), 0);
            std::fwrite(zeros.data(), 1, zeros.size(), f);
            std::fclose(f);
        }
    }
    void TearDown() override { EXPECT_TRUE(SOUND::release()); }

    ManualAudio audio;
    TestArchive archive;
    VTLHND handle;
    std::string path;
    std::string text;
};
} // namespace

TEST_P(ChangedOnDisk, EveryCursorCallReadsTheBytesTheArchiveWasOpenedWith)
{
    MessageCapture capture;
    FastFile file{};
    ASSERT_TRUE(file.open(&handle, cstr("text.dat")));
    EXPECT_EQ(file.fSize(), 100u);
    char got[10] = {};
    ASSERT_TRUE(file.seek(90, 0));
    EXPECT_EQ(file.tell(), 90);
    ASSERT_TRUE(file.read(got, 10));
    EXPECT_EQ(std::string(got, 10), text.substr(90));
    // Past the entry's end: refused, as ever.
    EXPECT_FALSE(file.read(got, 1));
    EXPECT_NE(capture.text().find("FastFileRead: read past end of file"), std::string::npos);
    EXPECT_FALSE(file.seek(100, 0));
    ASSERT_TRUE(file.seek(0, 2));
    EXPECT_EQ(file.tell(), 100);
    ASSERT_TRUE(file.seek(-100, 1));
    const char* whole = static_cast<const char*>(file.lock(0, 100));
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(std::string(whole, 100), text);
    EXPECT_EQ(file.lock(1, 100), nullptr);
    EXPECT_TRUE(file.unlock(0, 100));
    EXPECT_TRUE(file.close());
    EXPECT_EQ(file.tell(), -1);
    EXPECT_EQ(handle.lockCount, 0u);
}

TEST_P(ChangedOnDisk, EveryLoaderStillLoadsAndTheNextOpenSeesTheNewFile)
{
    MessageCapture capture;
    BITPLANEFX bmp{}, tga{};
    RLEFX rle{};
    ALPHAFX alpha{};
    ANIMATIONFX set{};
    SOUNDBUFFER sound;
    SOUNDSTREAM stream{};
    EXPECT_TRUE(handle.create(&bmp, cstr("TITLE.BMP")));
    EXPECT_TRUE(handle.create(&tga, cstr("TITLE.TGA")));
    EXPECT_TRUE(handle.create(&rle, cstr("TITLE.BMP")));
    EXPECT_TRUE(handle.create(&alpha, cstr("TITLE.BMP")));
    EXPECT_TRUE(handle.create(&set, cstr("HERO.RLA")));
    EXPECT_TRUE(handle.create(&sound, cstr("BEEP.WAV")));
    EXPECT_TRUE(handle.create(&stream, cstr("BEEP.WAV")));
    EXPECT_EQ(pixelAt(bmp, 0, 0), 0x001Fu); // blue in 5-6-5
    EXPECT_EQ(pixelAt(tga, 1, 1), 0xF800u); // red
    EXPECT_EQ(set.frameCount, 1);
    EXPECT_TRUE(sound.play(false));
    audio.pull(1000);
    EXPECT_EQ(capture.text(), "");

    for (auto* s : {&bmp, &tga})
        EXPECT_TRUE(handle.release(s));
    EXPECT_TRUE(handle.release(&rle));
    EXPECT_TRUE(handle.release(&alpha));
    EXPECT_TRUE(handle.release(&set));
    EXPECT_TRUE(handle.release(&sound));
    EXPECT_TRUE(handle.release(&stream));

    // Opened again, the archive is what is on disk now: refused.
    VTLHND again;
    EXPECT_FALSE(again.FastFileInit(cstr(path.c_str())));
    EXPECT_EQ(again.directory, nullptr);
}

INSTANTIATE_TEST_SUITE_P(TruncatedOrReplaced, ChangedOnDisk, ::testing::Bool());
