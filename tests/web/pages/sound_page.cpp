// A page that plays a known sound after the player's first click: a 441 Hz
// sine at half of full scale, 16-bit mono at 44100 Hz (exactly 100 samples a
// period), looped in a DirectSound buffer at full volume.  The sound test
// measures its pitch and level where the page hands it to the speakers.
#include "page_window.h"

#include <vantrel.h>
#include <vantrel/win32/dsound.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr int kPeriod = 100; // samples: 441 Hz
constexpr double kAmplitude = 0.5;

IDirectSound* gSound = nullptr;
IDirectSoundBuffer* gTone = nullptr;

bool makeTone(HWND hwnd)
{
    if (DirectSoundCreate(nullptr, &gSound, nullptr) != DS_OK ||
        gSound->SetCooperativeLevel(hwnd, DSSCL_NORMAL) != DS_OK)
        return false;
    WAVEFORMATEX format;
    std::memset(&format, 0, sizeof format);
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kRate * 2;
    std::vector<int16_t> samples(kPeriod * 441); // one second
    for (size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2 * M_PI * static_cast<double>(i % kPeriod) / kPeriod;
        samples[i] = static_cast<int16_t>(std::lround(kAmplitude * 32767 * std::sin(phase)));
    }
    DSBUFFERDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = static_cast<DWORD>(samples.size() * 2);
    desc.lpwfxFormat = &format;
    if (gSound->CreateSoundBuffer(&desc, &gTone, nullptr) != DS_OK)
        return false;
    void* data = nullptr;
    DWORD bytes = 0;
    if (gTone->Lock(0, desc.dwBufferBytes, &data, &bytes, nullptr, nullptr, 0) != DS_OK)
        return false;
    std::memcpy(data, samples.data(), bytes);
    gTone->Unlock(data, bytes, nullptr, 0);
    return gTone->SetVolume(DSBVOLUME_MAX) == DS_OK;
}

LRESULT CALLBACK soundProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        if (gTone && gTone->Play(0, 0, DSBPLAY_LOOPING) == DS_OK)
            std::printf("sound: playing\n");
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

} // namespace

int main()
{
    DXWindow window(GetModuleHandleA(nullptr), "VantrelSoundPage", "Vantrel sound page");
    if (!openPageWindow(window, soundProc, 320, 200)) {
        std::printf("sound: no window\n");
        return 1;
    }
    if (!makeTone(window.hwnd())) {
        std::printf("sound: no sound buffer\n");
        return 1;
    }
    std::printf("sound: ready\n");
    const unsigned code = window.messageLoop();
    gTone->Release();
    gSound->Release();
    window.unReg();
    return static_cast<int>(code);
}
