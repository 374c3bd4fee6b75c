// A page whose game loop presents a frame at a time, as games do, while the
// multimedia calls that natively run on threads of their own do their work:
// a 10 ms periodic timer event, waveOut blocks with their WOM_DONE
// notifications as window messages, and a PlaySound that waits for its
// sound's end.  The page reports what it measured and "passed" or "failed".
// Sound starts after the player's first click, as browsers require.
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/timing.h>
#include <vantrel/win32/window.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kPeriodMs = 10;
constexpr int kRate = 22050;
constexpr int kBlocks = 4;
constexpr int kBlockFrames = kRate / 10; // 100 ms each

struct TimerRecord {
    LARGE_INTEGER last{};
    int calls = 0;
    double longestGapMs = 0;
};

TimerRecord gTimer;
LARGE_INTEGER gFrequency;

double msBetween(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(gFrequency.QuadPart);
}

void CALLBACK onTick(UINT, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (gTimer.calls++ > 0)
        gTimer.longestGapMs = std::max(gTimer.longestGapMs, msBetween(gTimer.last, now));
    gTimer.last = now;
}

// The sound part, started by the first click.
struct Sound {
    HWAVEOUT device = nullptr;
    std::vector<int16_t> samples = std::vector<int16_t>(size_t(kBlocks) * kBlockFrames);
    WAVEHDR headers[kBlocks] = {};
    int opened = 0, done = 0, closed = 0;
    bool started = false;
};

Sound gSound;

WAVEFORMATEX monoFormat()
{
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kRate * 2;
    return format;
}

bool startWaveOut(HWND hwnd)
{
    for (size_t i = 0; i < gSound.samples.size(); ++i)
        gSound.samples[i] = int16_t((i / 50) % 2 ? 4000 : -4000); // 220.5 Hz, quietly
    const WAVEFORMATEX format = monoFormat();
    if (waveOutOpen(&gSound.device, WAVE_MAPPER, &format, DWORD_PTR(hwnd), 0, CALLBACK_WINDOW) != MMSYSERR_NOERROR)
        return false;
    for (int i = 0; i < kBlocks; ++i) {
        WAVEHDR& h = gSound.headers[i];
        h.lpData = reinterpret_cast<LPSTR>(gSound.samples.data() + i * kBlockFrames);
        h.dwBufferLength = kBlockFrames * 2;
        if (waveOutPrepareHeader(gSound.device, &h, sizeof h) != MMSYSERR_NOERROR ||
            waveOutWrite(gSound.device, &h, sizeof h) != MMSYSERR_NOERROR)
            return false;
    }
    return true;
}

// A 50 ms WAV image in memory for PlaySound.
std::vector<unsigned char> shortSound()
{
    const uint32_t frames = kRate / 20, data = frames * 2;
    std::vector<unsigned char> image(44 + data);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&image[at], &v, 4); };
    std::memcpy(&image[0], "RIFF", 4);
    put32(4, 36 + data);
    std::memcpy(&image[8], "WAVEfmt ", 8);
    put32(16, 16);
    const WAVEFORMATEX format = monoFormat();
    std::memcpy(&image[20], &format, 16);
    std::memcpy(&image[36], "data", 4);
    put32(40, data);
    return image;
}

LRESULT CALLBACK pageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        if (!gSound.started) {
            gSound.started = true;
            std::printf("multimedia: sound %s\n", startWaveOut(hwnd) ? "started" : "did not start");
        }
        return 0;
    case MM_WOM_OPEN:
        ++gSound.opened;
        return 0;
    case MM_WOM_DONE:
        ++gSound.done;
        return 0;
    case MM_WOM_CLOSE:
        ++gSound.closed;
        return 0;
    default:
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

// One frame to the screen: the present waits for the browser's next one.
void present(IDirectDrawSurface* primary, int frame)
{
    DDBLTFX fx{};
    fx.dwSize = sizeof fx;
    fx.dwFillColor = DWORD(frame * 4) & 0xFF;
    primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

bool pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            return false;
        DispatchMessageA(&msg);
    }
    return true;
}

} // namespace

int main()
{
    QueryPerformanceFrequency(&gFrequency);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = pageProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelMultimediaPage";
    RegisterClassExA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "multimedia", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320,
                                200, nullptr, nullptr, wc.hInstance, nullptr);
    IDirectDraw* dd = nullptr;
    IDirectDrawSurface* primary = nullptr;
    IDirectDrawClipper* clipper = nullptr; // the window's client area is where frames go
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (!hwnd || DirectDrawCreate(nullptr, &dd, nullptr) != DD_OK ||
        dd->SetCooperativeLevel(hwnd, DDSCL_NORMAL) != DD_OK || dd->CreateSurface(&desc, &primary, nullptr) != DD_OK ||
        dd->CreateClipper(0, &clipper, nullptr) != DD_OK || clipper->SetHWnd(0, hwnd) != DD_OK ||
        primary->SetClipper(clipper) != DD_OK) {
        std::printf("multimedia: failed: no window or DirectDraw\n");
        return 1;
    }

    // The timer over a second of presented frames.
    const MMRESULT timer = timeSetEvent(kPeriodMs, 1, onTick, 0, TIME_PERIODIC);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    int frames = 0;
    do {
        present(primary, frames++);
        pump();
        QueryPerformanceCounter(&end);
    } while (msBetween(start, end) < 1000);
    timeKillEvent(timer);
    const double elapsed = msBetween(start, end);
    const int expected = int(elapsed / kPeriodMs);
    std::printf("multimedia: timer: %d calls of a %u ms event in %.0f ms (%d due) over %d frames, longest gap "
                "%.1f ms\n",
                gTimer.calls, kPeriodMs, elapsed, expected, frames, gTimer.longestGapMs);
    // Frames come at most 60 times a second, so a 10 ms event falls due more
    // often: more calls than frames means the events fired while a present
    // waited, not only between frames.  Missed beats are skipped, never run
    // in a burst.  (How close to their times they came is printed above; a
    // busy machine stretches the gaps.)
    bool passed = timer != 0 && gTimer.calls > frames && gTimer.calls <= expected + 1;

    // PlaySound that waits: returns once its 50 ms have been mixed, which
    // needs the page's sound running; before a click it plays nowhere.
    std::printf("multimedia: ready for a click\n");
    while (!gSound.started && pump())
        present(primary, frames++);
    const std::vector<unsigned char> image = shortSound();
    QueryPerformanceCounter(&start);
    const BOOL played = PlaySoundA(reinterpret_cast<LPCSTR>(image.data()), nullptr, SND_MEMORY | SND_SYNC);
    QueryPerformanceCounter(&end);
    std::printf("multimedia: PlaySound of 50 ms returned %d after %.0f ms\n", played, msBetween(start, end));
    // It returns once the mixer has taken the sound's last sample, which
    // may be a block ahead of the speakers; a sound whose end never came
    // would keep it waiting until the test gives up.
    passed = passed && played;

    // The waveOut blocks, 400 ms in all, each reported done as a message.
    QueryPerformanceCounter(&start);
    end = start;
    while (gSound.done < kBlocks && pump() && msBetween(start, end) < 5000) {
        present(primary, frames++);
        QueryPerformanceCounter(&end);
    }
    const bool closedClean = gSound.device && waveOutReset(gSound.device) == MMSYSERR_NOERROR &&
                             waveOutClose(gSound.device) == MMSYSERR_NOERROR;
    pump();
    std::printf("multimedia: waveOut: WOM_OPEN %d, WOM_DONE %d of %d after %.0f ms, WOM_CLOSE %d\n", gSound.opened,
                gSound.done, kBlocks, msBetween(start, end), gSound.closed);
    passed = passed && closedClean && gSound.opened == 1 && gSound.done == kBlocks && gSound.closed == 1;
    std::printf("multimedia: %s\n", passed ? "passed" : "failed");
    primary->Release();
    clipper->Release();
    dd->Release();
    DestroyWindow(hwnd);
    return passed ? 0 : 1;
}
