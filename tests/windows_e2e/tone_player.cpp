// Plays a sine tone through the library's sound classes, as a game plays a
// sound effect: SOUND::create on the game's window, a SOUNDBUFFER loaded from
// a WAV file, a volume, play, and stop once it has been heard.
//
//   vantrel-tone-player FILE.wav HERTZ PEAK SECONDS VOLUME
//
// writes FILE.wav first: 44100 Hz, 16-bit mono, a sine of HERTZ with peak
// PEAK (0 to 32767) lasting SECONDS; VOLUME is SOUNDBUFFER::setVol's, in
// hundredths of a decibel.  Exits 0 once the whole tone has played.
#include <vantrel.h>

#include "message_pump.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr unsigned kRate = 44100;

void put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(std::vector<unsigned char>& out, unsigned long value)
{
    put16(out, static_cast<unsigned>(value & 0xFFFF));
    put16(out, static_cast<unsigned>(value >> 16));
}

bool writeTone(const char* path, double hertz, double peak, double seconds)
{
    const unsigned long samples = static_cast<unsigned long>(seconds * kRate);
    std::vector<unsigned char> wav;
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    put32(wav, 36 + samples * 2);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, kRate);
    put32(wav, kRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    put32(wav, samples * 2);
    const double pi = std::acos(-1.0);
    for (unsigned long i = 0; i < samples; ++i) {
        const long value = std::lround(peak * std::sin(2 * pi * hertz * static_cast<double>(i) / kRate));
        put16(wav, static_cast<unsigned>(value & 0xFFFF));
    }
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(wav.data(), 1, wav.size(), f) == wav.size();
    return std::fclose(f) == 0 && written;
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int fail(const char* what)
{
    std::fprintf(stderr, "tone player: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6)
        return fail("usage: FILE.wav HERTZ PEAK SECONDS VOLUME");
    const char* path = argv[1];
    const double seconds = std::atof(argv[4]);
    if (!writeTone(path, std::atof(argv[2]), std::atof(argv[3]), seconds))
        return fail("cannot write the tone");

    // A game on Windows enters COM before the library makes its sound device.
    CoInitialize(nullptr);
    DXWindow window(GetModuleHandleA(nullptr), "VantrelTonePlayer", "tone player");
    if (!window.doReg(windowProcedure, 0, 0, 0) || !window.createWindow(160, 120))
        return fail("no window");
    // The window stays hidden: DirectSound needs it, the screen does not.
    if (!SOUND::create(window.hwnd()))
        return fail("SOUND::create failed");

    int status = 0;
    {
        SOUNDBUFFER tone;
        if (!tone.load(path))
            status = fail("SOUNDBUFFER::load failed");
        else if (!tone.setVol(std::atol(argv[5])))
            status = fail("SOUNDBUFFER::setVol failed");
        else if (!tone.play(false))
            status = fail("SOUNDBUFFER::play failed");
        else {
            // The whole tone, and a little more for the device's own buffer.
            pumpFor(static_cast<DWORD>(seconds * 1000) + 500);
            DWORD state = 0;
            if (tone.buffer->GetStatus(&state) != DS_OK || (state & DSBSTATUS_PLAYING))
                status = fail("the tone is still playing after its length");
            tone.stop();
        }
        tone.release();
    }
    SOUND::release();
    window.destroy();
    window.unReg();
    CoUninitialize();
    return status;
}
