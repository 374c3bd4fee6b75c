// A game that releases every object at the end, including ones whose create
// failed or that were never created: those leave the lists alone, so the
// desktop-format change re-decodes every image still registered and gfxEnd
// frees all of them.
#include <vantrel/alphafx.h>
#include <vantrel/animation.h>
#include <vantrel/audio.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include "display/registry_walks.h"
#include "support/image_files.h"
#include "support/manual_audio.h"
#include "support/message_capture.h"
#include "support/wave_file.h"

#include <cstring>
#include <new>
#include <vector>

namespace {
char* cstr(const char* s) { return const_cast<char*>(s); }

Rgba checker(int x, int y) { return (x + y) % 2 ? Rgba{255, 128, 0, 255} : Rgba{0, 64, 255, 255}; }

template <class T>
std::vector<const T*> listOf(const T* head)
{
    std::vector<const T*> out;
    for (const T* at = head; at; at = at->next)
        out.push_back(at);
    return out;
}

// Storage for an object that the game never cleared: its links hold
// whatever the stack held.
template <class T>
struct Garbage {
    alignas(T) unsigned char raw[sizeof(T)];
    Garbage() { std::memset(raw, 0xA5, sizeof raw); }
    T* get() { return reinterpret_cast<T*>(raw); }
};

class UnlinkedRelease : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SOUND::create(reinterpret_cast<HWND>(1)));
        setDisplayFormat(handle, kDisplayFormats[2]); // 16-bit 5-6-5
        archive.add("TITLE.BMP", makeBmp24(6, 4, checker));
        archive.add("BEEP.WAV", waveFile(1, 1, 11025, 16, ramp16(500, 1)));
        archive.add("MUSIC.WAV", waveFile(1, 1, 11025, 8, Bytes(9000, 0x80)));
        ASSERT_TRUE(archive.openIn(handle));
    }
    void TearDown() override { EXPECT_TRUE(SOUND::release()); }

    ManualAudio audio;
    TestArchive archive;
    VTLHND handle;
};
} // namespace

TEST_F(UnlinkedRelease, NeverLinkedObjectsOfEveryClassLeaveTheirListsAlone)
{
    MessageCapture capture;
    const DWORD before = MemUsed();
    BITPLANEFX s1{}, s2{}, sFailed{}, sNever{};
    RLEFX r1{}, r2{}, rFailed{}, rNever{};
    ALPHAFX a1{}, a2{}, aNever{};
    ANIMATIONFX n1{}, n2{}, nFailed{}, nNever{};
    SOUNDBUFFER b1, b2, bNever;
    SOUNDSTREAM t1{}, t2{}, tFailed{}, tNever{};

    ASSERT_TRUE(handle.create(&s1, cstr("TITLE.BMP")));
    EXPECT_FALSE(handle.create(&sFailed, cstr("MISSING.BMP")));
    ASSERT_TRUE(handle.create(&s2, 8, 8, true));
    ASSERT_TRUE(handle.create(&r1, cstr("TITLE.BMP")));
    EXPECT_FALSE(handle.create(&rFailed, cstr("title.bmp")));
    ASSERT_TRUE(handle.create(&r2, cstr("TITLE.BMP")));
    ASSERT_TRUE(handle.create(&a1, 4, 4));
    ASSERT_TRUE(handle.create(&a2, 4, 4));
    ASSERT_TRUE(handle.create(&n1, static_cast<unsigned short>(2)));
    EXPECT_FALSE(handle.create(&nFailed, cstr("MISSING.RLA")));
    ASSERT_TRUE(handle.create(&n2, static_cast<unsigned short>(3)));
    ASSERT_TRUE(handle.create(&b1, cstr("BEEP.WAV")));
    ASSERT_TRUE(handle.create(&b2, cstr("BEEP.WAV")));
    ASSERT_TRUE(handle.create(&t1, cstr("MUSIC.WAV")));
    EXPECT_FALSE(handle.create(&tFailed, cstr("MISSING.WAV")));
    ASSERT_TRUE(handle.create(&t2, cstr("MUSIC.WAV")));

    // Every never-linked object, failed or untouched, released: each
    // release succeeds and no list changes.
    EXPECT_TRUE(handle.release(&sFailed));
    EXPECT_TRUE(handle.release(&sNever));
    EXPECT_TRUE(handle.release(&rFailed));
    EXPECT_TRUE(handle.release(&rNever));
    EXPECT_TRUE(handle.release(&aNever));
    EXPECT_TRUE(handle.release(&nFailed));
    EXPECT_TRUE(handle.release(&nNever));
    EXPECT_TRUE(handle.release(&bNever));
    EXPECT_TRUE(handle.release(&tFailed));
    EXPECT_TRUE(handle.release(&tNever));
    EXPECT_EQ(listOf(handle.surfaceList), (std::vector<const BITPLANEFX*>{&s2, &s1}));
    EXPECT_EQ(listOf(handle.rleList), (std::vector<const RLEFX*>{&r2, &r1}));
    EXPECT_EQ(listOf(handle.alphaList), (std::vector<const ALPHAFX*>{&a2, &a1}));
    EXPECT_EQ(listOf(handle.animationList), (std::vector<const ANIMATIONFX*>{&n2, &n1}));
    EXPECT_EQ(listOf(handle.soundList), (std::vector<const SOUNDBUFFER*>{&b2, &b1}));
    EXPECT_EQ(listOf(handle.streamList), (std::vector<const SOUNDSTREAM*>{&t2, &t1}));

    // Released a second time, a linked object is no longer on its list
    // either: the first release took it off, the second changes nothing.
    EXPECT_TRUE(handle.release(&s1));
    EXPECT_TRUE(handle.release(&s1));
    EXPECT_EQ(listOf(handle.surfaceList), (std::vector<const BITPLANEFX*>{&s2}));

    // The desktop changes to 32 bits: every image still registered is made
    // again for it, and none is left at its old depth.
    setDisplayFormat(handle, kDisplayFormats[7]);
    vtl::restoreRegisteredImages(handle);
    EXPECT_EQ(s2.bitsPerPixel, 32);
    EXPECT_EQ(r1.bytesPerPixel, 4);
    EXPECT_EQ(r2.bytesPerPixel, 4);
    BITPLANEFX screen{};
    ASSERT_TRUE(handle.create(&screen, 16, 16, false));
    screen.Blt(&r1, POINT{1, 1});
    EXPECT_EQ(pixelAt(screen, 2, 1) & 0xFFFFFF, 0xFF8000u); // image (1, 0), orange

    // The game ends: its own releases, then gfxEnd frees every image.
    for (ANIMATIONFX* n : {&n1, &n2})
        EXPECT_TRUE(handle.release(n));
    for (SOUNDBUFFER* b : {&b1, &b2})
        EXPECT_TRUE(handle.release(b));
    for (SOUNDSTREAM* t : {&t1, &t2})
        EXPECT_TRUE(handle.release(t));
    handle.gfxEnd();
    EXPECT_EQ(handle.surfaceList, nullptr);
    EXPECT_EQ(handle.rleList, nullptr);
    EXPECT_EQ(handle.alphaList, nullptr);
    EXPECT_EQ(MemUsed(), before);
}

TEST_F(UnlinkedRelease, ASoundBufferOnTheStackWhoseLoadFailedIsReleasedSafely)
{
    MessageCapture capture;
    SOUNDBUFFER linked;
    ASSERT_TRUE(handle.create(&linked, cstr("BEEP.WAV")));
    // Its constructor sets only the buffer; the links are what the stack held.
    Garbage<SOUNDBUFFER> raw;
    SOUNDBUFFER* sound = new (raw.raw) SOUNDBUFFER;
    EXPECT_FALSE(handle.create(sound, cstr("MISSING.WAV")));
    EXPECT_TRUE(handle.release(sound));
    EXPECT_EQ(listOf(handle.soundList), (std::vector<const SOUNDBUFFER*>{&linked}));
    sound->~SOUNDBUFFER();
    EXPECT_TRUE(handle.release(&linked));
    EXPECT_EQ(handle.soundList, nullptr);
}

TEST_F(UnlinkedRelease, RleBlittersRefuseAnImageMadeForAnotherPixelSize)
{
    RLEFX image{};
    ASSERT_TRUE(handle.create(&image, cstr("TITLE.BMP"))); // 16-bit runs
    BITPLANEFX wide{};
    wide.owner = &handle;
    wide.bitsPerPixel = 32;
    wide.bytesPerPixel = 4;
    ASSERT_TRUE(wide.create(16, 16, false));
    std::memset(wide.pixels, 0, size_t(wide.pitch) * 16);
    wide.Blt(&image, POINT{0, 0});
    wide.BltNoEffects(&image, POINT{0, 0});
    wide.FadeBlt(&image, POINT{0, 0}, 16);
    wide.Blt(&image, POINT{0, 0}, 16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(pixelAt(wide, x, y), 0u) << x << "," << y;
    wide.release();
    EXPECT_TRUE(handle.release(&image));
}
