// The waveOut device as a game streams sound through it: blocks prepared,
// written and returned through each kind of notification, and the answers
// to misuse (unprepared and queued blocks, closing while playing, closed
// handles, formats and devices that do not exist).
#include <windows.h>

#include <mmsystem.h>

#include "support/wine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

const DWORD kRate = 22050;

WAVEFORMATEX monoFormat()
{
    WAVEFORMATEX f{};
    f.wFormatTag = WAVE_FORMAT_PCM;
    f.nChannels = 1;
    f.nSamplesPerSec = kRate;
    f.wBitsPerSample = 16;
    f.nBlockAlign = 2;
    f.nAvgBytesPerSec = kRate * 2;
    return f;
}

// A block of `milliseconds` of quiet sound.
struct Block {
    explicit Block(DWORD milliseconds) : samples(kRate * milliseconds / 1000, 64)
    {
        header.lpData = reinterpret_cast<LPSTR>(samples.data());
        header.dwBufferLength = DWORD(samples.size() * 2);
    }
    std::vector<short> samples;
    WAVEHDR header{};
};

struct Heard {
    UINT message;
    DWORD_PTR header;
};

// What a CALLBACK_FUNCTION device was told, in order.
struct Log {
    std::mutex lock;
    std::vector<Heard> heard;
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr); // set on each WOM_DONE
    HWAVEOUT device = nullptr;
    bool otherDevice = false;
    DWORD_PTR instance = 0;

    ~Log() { CloseHandle(done); }
    std::vector<Heard> copy()
    {
        std::lock_guard<std::mutex> hold(lock);
        return heard;
    }
};

void CALLBACK waveOutProc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
{
    Log& log = *reinterpret_cast<Log*>(instance);
    {
        std::lock_guard<std::mutex> hold(log.lock);
        log.heard.push_back(Heard{message, param1});
        if (message != WOM_OPEN && device != log.device)
            log.otherDevice = true;
    }
    if (message == WOM_DONE)
        SetEvent(log.done);
}

HWAVEOUT openWithCallback(Log& log)
{
    const WAVEFORMATEX format = monoFormat();
    HWAVEOUT device = nullptr;
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, DWORD_PTR(waveOutProc), DWORD_PTR(&log), CALLBACK_FUNCTION),
              MMRESULT(MMSYSERR_NOERROR));
    std::lock_guard<std::mutex> hold(log.lock);
    log.device = device;
    return device;
}

} // namespace

TEST(WaveOut, BlocksPlayInOrderAndComeBackThroughTheCallback)
{
    Log log;
    const HWAVEOUT device = openWithCallback(log);
    ASSERT_NE(device, nullptr);
    Block first(60), second(40);
    for (Block* b : {&first, &second}) {
        ASSERT_EQ(waveOutPrepareHeader(device, &b->header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
        EXPECT_EQ(b->header.dwFlags, DWORD(WHDR_PREPARED));
    }
    ASSERT_EQ(waveOutWrite(device, &first.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(waveOutWrite(device, &second.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(WaitForSingleObject(log.done, 5000), WAIT_OBJECT_0);
    ASSERT_EQ(WaitForSingleObject(log.done, 5000), WAIT_OBJECT_0);

    EXPECT_EQ(first.header.dwFlags, DWORD(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(second.header.dwFlags, DWORD(WHDR_PREPARED | WHDR_DONE));
    MMTIME position{};
    position.wType = TIME_BYTES;
    ASSERT_EQ(waveOutGetPosition(device, &position, sizeof position), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(position.wType, UINT(TIME_BYTES));
    EXPECT_EQ(position.u.cb, first.header.dwBufferLength + second.header.dwBufferLength);
    position.wType = TIME_SAMPLES;
    ASSERT_EQ(waveOutGetPosition(device, &position, sizeof position), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(position.u.sample, DWORD(first.samples.size() + second.samples.size()));

    for (Block* b : {&first, &second}) {
        EXPECT_EQ(waveOutUnprepareHeader(device, &b->header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
        EXPECT_EQ(b->header.dwFlags, DWORD(WHDR_DONE));
    }
    ASSERT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));
    // WOM_CLOSE has been delivered by the time waveOutClose returns.
    const std::vector<Heard> heard = log.copy();
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0].message, UINT(WOM_OPEN));
    EXPECT_EQ(heard[1].message, UINT(WOM_DONE));
    EXPECT_EQ(heard[1].header, DWORD_PTR(&first.header));
    EXPECT_EQ(heard[2].message, UINT(WOM_DONE));
    EXPECT_EQ(heard[2].header, DWORD_PTR(&second.header));
    EXPECT_EQ(heard[3].message, UINT(WOM_CLOSE));
    EXPECT_FALSE(log.otherDevice);
}

TEST(WaveOut, QueuedBlocksHoldTheDeviceUntilReset)
{
    Log log;
    const HWAVEOUT device = openWithCallback(log);
    ASSERT_NE(device, nullptr);
    Block longOne(3000), unprepared(10);
    EXPECT_EQ(waveOutWrite(device, &unprepared.header, sizeof(WAVEHDR)), MMRESULT(WAVERR_UNPREPARED));
    // Paused, so that the block stays queued however fast the output plays.
    ASSERT_EQ(waveOutPause(device), MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(waveOutPrepareHeader(device, &longOne.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(waveOutWrite(device, &longOne.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(longOne.header.dwFlags, DWORD(WHDR_PREPARED | WHDR_INQUEUE));
    EXPECT_EQ(waveOutWrite(device, &longOne.header, sizeof(WAVEHDR)), MMRESULT(WAVERR_STILLPLAYING));
    EXPECT_EQ(waveOutUnprepareHeader(device, &longOne.header, sizeof(WAVEHDR)), MMRESULT(WAVERR_STILLPLAYING));
    // Wine closes a device with blocks queued; Windows refuses.
    if (!runningUnderWine()) {
        EXPECT_EQ(waveOutClose(device), MMRESULT(WAVERR_STILLPLAYING));
    }

    // Reset hands the block back at once, marked done.
    ASSERT_EQ(waveOutReset(device), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(longOne.header.dwFlags, DWORD(WHDR_PREPARED | WHDR_DONE));
    EXPECT_EQ(WaitForSingleObject(log.done, 5000), WAIT_OBJECT_0);
    MMTIME position{};
    position.wType = TIME_MS;
    ASSERT_EQ(waveOutGetPosition(device, &position, sizeof position), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(position.u.ms, 0u);
    EXPECT_EQ(waveOutUnprepareHeader(device, &longOne.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));

    // The handle is gone.
    EXPECT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_INVALHANDLE));
    EXPECT_EQ(waveOutPrepareHeader(device, &longOne.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_INVALHANDLE));
    EXPECT_EQ(waveOutWrite(device, &longOne.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_INVALHANDLE));
    EXPECT_EQ(waveOutReset(device), MMRESULT(MMSYSERR_INVALHANDLE));
    DWORD volume = 0;
    EXPECT_EQ(waveOutGetVolume(device, &volume), MMRESULT(MMSYSERR_INVALHANDLE));
}

TEST(WaveOut, RefusesWhatWindowsRefuses)
{
    WAVEFORMATEX format = monoFormat();
    HWAVEOUT device = reinterpret_cast<HWAVEOUT>(0xdeadf00d);
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(device, reinterpret_cast<HWAVEOUT>(0xdeadf00d)); // a query opens nothing
    EXPECT_EQ(waveOutOpen(&device, waveOutGetNumDevs() + 5, &format, 0, 0, CALLBACK_NULL),
              MMRESULT(MMSYSERR_BADDEVICEID));
    format.wFormatTag = 0x7E57; // a codec no system has
    EXPECT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL), MMRESULT(WAVERR_BADFORMAT));
    EXPECT_EQ(waveOutOpen(nullptr, WAVE_MAPPER, &format, 0, 0, WAVE_FORMAT_QUERY), MMRESULT(WAVERR_BADFORMAT));

    format = monoFormat();
    ASSERT_EQ(waveOutOpen(&device, 0, &format, 0, 0, CALLBACK_NULL), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutPrepareHeader(device, nullptr, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_INVALPARAM));
    Block b(10);
    EXPECT_EQ(waveOutPrepareHeader(device, &b.header, sizeof(WAVEHDR) - 1), MMRESULT(MMSYSERR_INVALPARAM));
    // The header calls read the header's own flags, whatever the queue holds.
    b.header.dwFlags = WHDR_INQUEUE;
    EXPECT_EQ(waveOutUnprepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(WAVERR_STILLPLAYING));
    b.header.dwFlags = WHDR_DONE;
    EXPECT_EQ(waveOutUnprepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(b.header.dwFlags, DWORD(WHDR_DONE));
    b.header.dwFlags |= WHDR_INQUEUE;
    EXPECT_EQ(waveOutPrepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(b.header.dwFlags, DWORD(WHDR_PREPARED));
    b.header.dwFlags |= WHDR_INQUEUE;
    EXPECT_EQ(waveOutPrepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(b.header.dwFlags, DWORD(WHDR_PREPARED | WHDR_INQUEUE));
    b.header.dwFlags = WHDR_PREPARED;
    EXPECT_EQ(waveOutUnprepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(b.header.dwFlags, 0u);
    EXPECT_EQ(waveOutGetPosition(device, nullptr, sizeof(MMTIME)), MMRESULT(MMSYSERR_INVALPARAM));

    EXPECT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));

    // Volume: left in the low word, right in the high one, on a stereo
    // device.
    format.nChannels = 2;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = kRate * 4;
    ASSERT_EQ(waveOutOpen(&device, 0, &format, 0, 0, CALLBACK_NULL), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutSetVolume(device, 0x8000FFFF), MMRESULT(MMSYSERR_NOERROR));
    DWORD volume = 0;
    EXPECT_EQ(waveOutGetVolume(device, &volume), MMRESULT(MMSYSERR_NOERROR));
    if (runningUnderWine()) {
        // 32-bit Wine gives the volume back through its mixer's scale, one
        // step off in a word (0x7FFF for 0x8000); each word is held within
        // that step.
        EXPECT_NEAR(double(volume & 0xFFFF), double(0xFFFF), 1.0);
        EXPECT_NEAR(double(volume >> 16), double(0x8000), 1.0);
    } else {
        EXPECT_EQ(volume, 0x8000FFFFu);
    }
    EXPECT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));

    WAVEOUTCAPSA caps{};
    ASSERT_EQ(waveOutGetDevCapsA(0, &caps, sizeof caps), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_TRUE(caps.dwFormats & WAVE_FORMAT_2M16);
    EXPECT_GE(caps.wChannels, 1u);
}

TEST(WaveOut, EventAndWindowCallbacksHearTheBlocks)
{
    const WAVEFORMATEX format = monoFormat();
    const HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, DWORD_PTR(event), 0, CALLBACK_EVENT),
              MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0); // WOM_OPEN
    Block b(30);
    ASSERT_EQ(waveOutPrepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(waveOutWrite(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_OBJECT_0); // WOM_DONE
    EXPECT_TRUE(b.header.dwFlags & WHDR_DONE);
    EXPECT_EQ(waveOutUnprepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));
    CloseHandle(event);

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VantrelWaveOutTest";
    RegisterClassExA(&wc);
    const HWND window = CreateWindowExA(0, wc.lpszClassName, "wave", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr,
                                        nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(waveOutOpen(&device, WAVE_MAPPER, &format, DWORD_PTR(window), 0, CALLBACK_WINDOW),
              MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(waveOutPrepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    ASSERT_EQ(waveOutWrite(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    std::vector<UINT> messages;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    bool done = false;
    while (!done && std::chrono::steady_clock::now() < deadline) {
        MSG m;
        while (PeekMessageA(&m, window, MM_WOM_OPEN, MM_WOM_DONE, PM_REMOVE)) {
            messages.push_back(m.message);
            EXPECT_EQ(m.wParam, WPARAM(device));
            if (m.message == MM_WOM_DONE) {
                EXPECT_EQ(m.lParam, LPARAM(&b.header));
                done = true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(messages, (std::vector<UINT>{MM_WOM_OPEN, MM_WOM_DONE}));
    EXPECT_EQ(waveOutUnprepareHeader(device, &b.header, sizeof(WAVEHDR)), MMRESULT(MMSYSERR_NOERROR));
    EXPECT_EQ(waveOutClose(device), MMRESULT(MMSYSERR_NOERROR));
    DestroyWindow(window);
}
