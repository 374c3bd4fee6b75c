// Plays a sound effect loaded from a WAV file and a stream from an archive
// entry on the SDL output until SDL's disk driver has written three seconds
// of it, then stops.  Exits non-zero if anything fails or if SDL is not the
// output that played.
#include <vantrel/audio.h>
#include <vantrel/vtlhnd.h>

#include "support/test_archive.h"
#include "support/wave_file.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

// A sine of `seconds` at `hz`, 16-bit mono 22050 Hz, peak `level` (0..1).
Bytes sine(double seconds, double hz, double level)
{
    std::vector<int16_t> s(size_t(seconds * 22050));
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = int16_t(std::lround(32767 * level * std::sin(2 * M_PI * hz * double(i) / 22050)));
    return waveFile(1, 1, 22050, 16, samples16(s));
}

// Waits until the disk driver's file holds `seconds` of 44.1 kHz 16-bit
// stereo, or 30 s have passed.  The driver writes at the pace its thread
// gets to run, so on a loaded machine three seconds of sound can take longer
// than three seconds; what it writes is the same sound either way.
void waitForCapture(double seconds)
{
    const char* path = std::getenv("SDL_DISKAUDIOFILE");
    const auto wanted = static_cast<std::uintmax_t>(seconds * 44100 * 4);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::error_code error;
    do
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    while (path && std::filesystem::file_size(path, error) < wanted && !error &&
           std::chrono::steady_clock::now() < giveUp);
    if (!path)
        std::this_thread::sleep_for(std::chrono::milliseconds(3000));
}

int fail(const char* what)
{
    std::fprintf(stderr, "audio_sdl_player: %s\n", what);
    return 1;
}

} // namespace

int main()
{
    std::string effectPath = temporaryWave(sine(0.5, 440, 0.5));
    TestArchive archive;
    archive.add("MUSIC.WAV", sine(2.0, 880, 0.25));
    VTLHND handle;
    if (!archive.openIn(handle))
        return fail("archive");

    if (!SOUND::create(reinterpret_cast<HWND>(1)))
        return fail("SOUND::create");
    const char* driver = SDL_GetCurrentAudioDriver();
    if (!driver || std::string(driver) != "disk")
        return fail("the SDL disk driver is not what plays");

    int result = 0;
    {
        SOUNDBUFFER effect;
        SOUNDSTREAM music{};
        if (!effect.load(effectPath.c_str()))
            result = fail("SOUNDBUFFER::load");
        else if (!handle.create(&music, const_cast<char*>("MUSIC.WAV")))
            result = fail("VTLHND::create(SOUNDSTREAM*)");
        else if (!music.play(false) || !effect.play(false))
            result = fail("play");
        else
            waitForCapture(3.0);
        music.stop();
        handle.release(&music);
    }
    std::remove(effectPath.c_str());
    if (!SOUND::release())
        result = fail("SOUND::release");
    handle.FastFileFini();
    return result;
}
