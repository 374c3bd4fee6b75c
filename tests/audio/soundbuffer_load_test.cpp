// SOUNDBUFFER::load from disk files and loadWav from the archive, through
// the registry.
#include <vantrel/audio.h>
#include <vantrel/vtlhnd.h>

#include "support/manual_audio.h"
#include "support/message_capture.h"
#include "support/test_archive.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

char* cstr(const char* s) { return const_cast<char*>(s); }

class LoadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SOUND::create(reinterpret_cast<HWND>(1))); }
    void TearDown() override
    {
        for (const std::string& p : files)
            std::remove(p.c_str());
        EXPECT_TRUE(SOUND::release());
    }
    std::string file(const Bytes& b)
    {
        files.push_back(temporaryWave(b));
        return files.back();
    }
    // What `sound` plays, left channel, from its start.
    std::vector<int16_t> played(const SOUNDBUFFER& sound, uint32_t frames)
    {
        EXPECT_TRUE(sound.play(false));
        std::vector<int16_t> out = audio.pull(frames), l;
        for (size_t i = 0; i < out.size(); i += 2)
            l.push_back(out[i]);
        return l;
    }

    ManualAudio audio;
    std::vector<std::string> files;
};

const Bytes kSamples = samples16({100, -100, 2000, -2000});

} // namespace

TEST_F(LoadTest, LoadsAPcmFileFromDisk)
{
    SOUNDBUFFER sound;
    MessageCapture capture;
    ASSERT_TRUE(sound.load(file(waveFile(1, 1, 44100, 16, kSamples)).c_str()));
    EXPECT_TRUE(capture.text().empty());
    EXPECT_EQ(played(sound, 5), (std::vector<int16_t>{100, -100, 2000, -2000, 0}));
    // 8-bit stereo plays too, converted.
    ASSERT_TRUE(sound.load(file(waveFile(1, 2, 44100, 8, Bytes{0x80, 0x81, 0x7F, 0x90})).c_str()));
    EXPECT_EQ(played(sound, 2), (std::vector<int16_t>{0, -256}));
}

TEST_F(LoadTest, ReportsEachWayAFileCanFail)
{
    struct Case {
        Bytes bytes;
        const char* messages;
    } cases[] = {
        {Bytes{'n', 'o', 'p', 'e'}, "SOUNDBUFFER::load() - Descend to wave.\r\n"},
        {riffWave({}), "SOUNDBUFFER::load() - Descend to fmt.\r\n"},
        {riffWave({riffChunk("fmt ", Bytes(6))}), "SOUNDBUFFER::load() - Read wave format.\r\n"},
        // The format chunk must come first: a LIST first is read as the format.
        {riffWave({riffChunk("LIST", Bytes(20, 7)), riffChunk("fmt ", formatBody(1, 1, 44100, 16)),
                   riffChunk("data", kSamples)}),
         "SOUNDBUFFER::load() - Wrong wave format.\r\n"},
        {waveFile(3, 1, 44100, 32, Bytes(8)), "SOUNDBUFFER::load() - Wrong wave format.\r\n"},
        {riffWave({riffChunk("fmt ", formatBody(1, 1, 44100, 16)), riffChunk("junk", Bytes(3))}),
         "SOUNDBUFFER::load() - Descend to data.\r\n"},
        {waveFile(1, 1, 44100, 12, kSamples), "SOUNDBUFFER::load() - Create buffer.\r\n"},
    };
    for (const Case& c : cases) {
        SOUNDBUFFER sound;
        MessageCapture capture;
        EXPECT_FALSE(sound.load(file(c.bytes).c_str()));
        EXPECT_EQ(capture.text(), c.messages);
        EXPECT_EQ(sound.buffer, nullptr);
    }

    // Data cut short: the buffer is made, the read falls short, and it is
    // released again.
    Bytes cut = waveFile(1, 1, 44100, 16, kSamples);
    cut.resize(cut.size() - 3);
    SOUNDBUFFER sound;
    MessageCapture capture;
    EXPECT_FALSE(sound.load(file(cut).c_str()));
    EXPECT_EQ(capture.text(), "SOUNDBUFFER::write() - Write1.\r\nSOUNDBUFFER::load() - Write the data.\r\n");
    EXPECT_EQ(sound.buffer, nullptr);
    capture.clear();
    EXPECT_FALSE(sound.load(nullptr));
    EXPECT_FALSE(sound.load("/nonexistent/boom.wav"));
    EXPECT_EQ(capture.text(), "SOUNDBUFFER::load() - Null filename.\r\nSOUNDBUFFER::load() - mmioOpen.\r\n");
}

TEST_F(LoadTest, RegistryLoadsArchiveEntriesWithUpperCaseEndings)
{
    TestArchive archive;
    // The in-memory reader finds the format chunk anywhere and takes any tag.
    Bytes floats(8);
    float f[2] = {0.5f, -0.25f};
    std::memcpy(floats.data(), f, 8);
    archive.add("BOOM.WAV", waveFile(1, 1, 44100, 16, kSamples))
        .add("LATE.WAV", riffWave({riffChunk("data", kSamples), riffChunk("fmt ", formatBody(1, 1, 44100, 16))}))
        .add("FLOAT.WAV", waveFile(3, 1, 44100, 32, floats))
        .add("NOISE.WAV", std::string("not a wave"));
    VTLHND handle;
    ASSERT_TRUE(archive.openIn(handle));

    SOUNDBUFFER boom, late, floating, noise, lower;
    MessageCapture capture;
    EXPECT_FALSE(handle.create(&lower, cstr("boom.wav")));
    EXPECT_EQ(lower.owner, &handle); // written before the name is refused
    ASSERT_TRUE(handle.create(&boom, cstr("BOOM.WAV")));
    ASSERT_TRUE(handle.create(&late, cstr("LATE.WAV")));
    ASSERT_TRUE(handle.create(&floating, cstr("FLOAT.WAV")));
    EXPECT_FALSE(handle.create(&noise, cstr("NOISE.WAV")));
    EXPECT_TRUE(capture.text().empty());
    EXPECT_EQ(handle.lockCount, 0u); // the copied entries are not kept locked

    EXPECT_EQ(played(boom, 4), (std::vector<int16_t>{100, -100, 2000, -2000}));
    boom.stop();
    EXPECT_EQ(played(late, 4), (std::vector<int16_t>{100, -100, 2000, -2000}));
    late.stop();
    EXPECT_EQ(played(floating, 2), (std::vector<int16_t>{16384, -8192}));

    // Newest first; unlinking keeps the rest in order.
    EXPECT_EQ(handle.soundList, &floating);
    EXPECT_EQ(floating.next, &late);
    EXPECT_EQ(late.next, &boom);
    EXPECT_TRUE(handle.release(&late));
    EXPECT_EQ(floating.next, &boom);
    EXPECT_EQ(boom.prev, &floating);
    EXPECT_TRUE(handle.release(&floating));
    EXPECT_EQ(handle.soundList, &boom);
    EXPECT_EQ(boom.prev, nullptr);
    EXPECT_TRUE(handle.release(&boom));
    EXPECT_EQ(handle.soundList, nullptr);
    EXPECT_EQ(boom.buffer, nullptr);

    capture.clear();
    SOUNDBUFFER missing;
    EXPECT_FALSE(handle.create(&missing, cstr("GONE.WAV")));
    EXPECT_NE(capture.text().find("GONE.WAV"), std::string::npos); // the archive's own message
    handle.FastFileFini();
}
