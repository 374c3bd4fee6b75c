// A game that quits with sound still playing: the handle, a stream, a sound
// buffer and a frame set, all from an archive file, destroyed in every
// order.  Nothing may read the archive after it is freed or write into a
// dead handle (the sanitizer build catches both), and the archive's bytes
// are freed once the last of them lets go.
#include <vantrel/animation.h>
#include <vantrel/audio.h>
#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/seam/file_mapping.h>

#include "anim/anim_fixtures.h"
#include "audio/audio_testing.h"
#include "support/manual_audio.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {

char* cstr(const char* s) { return const_cast<char*>(s); }

std::atomic<int> gRefills{0};
void countRefill(SOUNDSTREAM*) { ++gRefills; }

// Plays the output until the stream's worker has refilled `more` segments
// (each refill reads the stream's entry in the archive).
void playRefills(ManualAudio& audio, int more)
{
    const int target = gRefills + more;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (gRefills < target && std::chrono::steady_clock::now() < deadline) {
        audio.pull(4410);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_GE(gRefills.load(), target);
}

enum class Part { Handle, Stream, Sound, FrameSet };
const char* nameOf(Part p)
{
    switch (p) {
    case Part::Handle: return "handle";
    case Part::Stream: return "stream";
    case Part::Sound: return "sound";
    case Part::FrameSet: return "frame set";
    }
    return "";
}

class HandleLifetime : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SOUND::create(reinterpret_cast<HWND>(1)));
        gRefills = 0;
        vtl::testing::audio::observeRefills(&countRefill);
        // 11025 Hz 8-bit mono: 8268-byte segments; ten of them of music.
        Bytes music(8268 * 10);
        for (size_t i = 0; i < music.size(); ++i)
            music[i] = static_cast<unsigned char>(i * 7);
        archive.add("MUSIC.WAV", waveFile(1, 1, 11025, 8, music));
        archive.add("BEEP.WAV", waveFile(1, 1, 11025, 16, ramp16(2000, 1)));
        archive.add("HERO.RLA", rlaFile({{1, 0, solidRle(3, 2, 255, 0, 0)}, {1, 1, solidRle(2, 2, 0, 0, 255)}}));
        path = archive.writeFile();
    }
    void TearDown() override
    {
        vtl::testing::audio::reset();
        EXPECT_TRUE(SOUND::release());
    }

    // A handle with a display format and the archive file open, and the
    // three resources made from it, the stream and the sound playing.
    VTLHND* start(SOUNDSTREAM& stream, SOUNDBUFFER& sound, ANIMATIONFX& set)
    {
        auto* handle = new VTLHND;
        setDisplayFormat(*handle, kDisplayFormats[2]);
        EXPECT_TRUE(handle->FastFileInit(cstr(path.c_str())));
        EXPECT_TRUE(handle->create(&stream, cstr("MUSIC.WAV")));
        EXPECT_TRUE(handle->create(&sound, cstr("BEEP.WAV")));
        EXPECT_TRUE(handle->create(&set, cstr("HERO.RLA")));
        EXPECT_TRUE(stream.play(true));
        EXPECT_TRUE(sound.play(true));
        return handle;
    }

    ManualAudio audio;
    TestArchive archive;
    std::string path;
};

} // namespace

TEST_F(HandleLifetime, EveryOrderOfDestructionKeepsTheArchiveUntilTheLastUserLetsGo)
{
    std::array<Part, 4> order = {Part::Handle, Part::Stream, Part::Sound, Part::FrameSet};
    int orders = 0;
    do {
        std::string label;
        for (Part p : order)
            label += std::string(nameOf(p)) + " ";
        SCOPED_TRACE(label);
        SOUNDSTREAM stream{};
        SOUNDBUFFER sound;
        ANIMATIONFX set{};
        VTLHND* handle = start(stream, sound, set);
        const void* bytes = stream.data;
        ASSERT_NE(bytes, nullptr);
        playRefills(audio, 2);
        for (Part p : order) {
            // A live handle unlinks what it releases; after its end the
            // objects release themselves.
            switch (p) {
            case Part::Handle:
                delete handle;
                handle = nullptr;
                break;
            case Part::Stream:
                EXPECT_TRUE(handle ? handle->release(&stream) : stream.release());
                EXPECT_EQ(stream.thread, nullptr);
                break;
            case Part::Sound:
                EXPECT_TRUE(handle ? handle->release(&sound) : sound.release());
                break;
            case Part::FrameSet:
                EXPECT_TRUE(handle ? handle->release(&set) : set.release());
                EXPECT_EQ(set.frames, nullptr);
                break;
            }
            // Whatever is still playing goes on reading the archive.
            if (stream.buffer)
                playRefills(audio, 1);
            else
                audio.pull(4410);
        }
        // Everyone has let go: the archive's bytes are gone.
        EXPECT_FALSE(vtl::holdView(bytes));
        ++orders;
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_EQ(orders, 24);
}

TEST_F(HandleLifetime, AStreamReleasedAfterItsHandleLeavesTheNextHandleAlone)
{
    SOUNDSTREAM stream{};
    SOUNDBUFFER sound;
    ANIMATIONFX set{};
    VTLHND* first = start(stream, sound, set);
    EXPECT_TRUE(first->release(&set));
    EXPECT_TRUE(first->release(&sound));
    delete first;
    playRefills(audio, 2);

    // A new handle on the same archive counts its own locks only.
    VTLHND second;
    ASSERT_TRUE(second.FastFileInit(cstr(path.c_str())));
    FastFile file{};
    ASSERT_TRUE(file.open(&second, cstr("BEEP.WAV")));
    ASSERT_NE(file.lock(0, 0), nullptr);
    EXPECT_EQ(second.lockCount, 1u);
    EXPECT_TRUE(stream.release());
    EXPECT_EQ(second.lockCount, 1u);
    file.unlock(0, 0);
    file.close();
}

TEST_F(HandleLifetime, TheHandleStillClosesItsArchiveWhenNoLockIsLeft)
{
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(cstr(path.c_str())));
    SOUNDSTREAM stream{};
    SOUNDBUFFER sound;
    ASSERT_TRUE(handle.create(&stream, cstr("MUSIC.WAV")));
    ASSERT_TRUE(handle.create(&sound, cstr("BEEP.WAV")));
    const void* bytes = stream.data;
    EXPECT_EQ(handle.lockCount, 1u);
    handle.FastFileFini(); // the stream's lock keeps it open
    EXPECT_NE(handle.directory, nullptr);
    EXPECT_TRUE(handle.release(&stream));
    EXPECT_TRUE(handle.release(&sound));
    EXPECT_EQ(handle.lockCount, 0u);
    handle.FastFileFini();
    EXPECT_EQ(handle.directory, nullptr);
    EXPECT_FALSE(vtl::holdView(bytes));
}
