// mciSendString's "waveaudio" device: a WAV file opened by name and alias,
// played, stopped and closed, its status as text, and the MM_MCINOTIFY
// messages a window asked for with "notify".
#include <windows.h>

#include <mmsystem.h>

#include "scratch_folder.h"
#include "wave_image.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string ask(const std::string& command, MCIERROR* error = nullptr, HWND callback = nullptr)
{
    char reply[128] = "unchanged";
    const MCIERROR e = mciSendStringA(command.c_str(), reply, sizeof reply, callback);
    if (error)
        *error = e;
    else
        EXPECT_EQ(e, 0u) << command;
    return reply;
}

struct Notification {
    WPARAM result;
    LPARAM device;
};
std::vector<Notification> gNotifications;

LRESULT CALLBACK notifyWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == MM_MCINOTIFY) {
        gNotifications.push_back(Notification{wParam, lParam});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A hidden window that records the notifications it is sent.
class NotifyWindow {
public:
    NotifyWindow()
    {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = notifyWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "WaveAudioNotify";
        RegisterClassExA(&wc);
        hwnd = CreateWindowExA(0, "WaveAudioNotify", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        gNotifications.clear();
    }
    ~NotifyWindow()
    {
        DestroyWindow(hwnd);
        UnregisterClassA("WaveAudioNotify", GetModuleHandleA(nullptr));
    }
    // Dispatches messages until `count` notifications came or 3 s passed.
    bool waitFor(size_t count)
    {
        const DWORD start = GetTickCount();
        while (gNotifications.size() < count && GetTickCount() - start < 3000) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(5);
        }
        return gNotifications.size() >= count;
    }
    HWND hwnd;
};

class WaveAudio : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write("Sounds/Tone.wav", waveImage(200));
        tone = folder.windows("Sounds\\Tone.wav");
    }
    void TearDown() override { mciSendStringA("close all", nullptr, 0, nullptr); }

    ScratchFolder folder;
    std::string tone;
};

} // namespace

TEST_F(WaveAudio, OpensAFileAndAnswersItsStatusInTheTimeFormat)
{
    const std::string id = ask("open \"" + tone + "\" type waveaudio alias tone");
    EXPECT_GT(std::atoi(id.c_str()), 0);
    EXPECT_EQ(ask("status tone mode"), "stopped");
    EXPECT_EQ(ask("status tone time format"), "milliseconds");
    EXPECT_EQ(ask("status tone length"), "200");
    ask("set tone time format samples");
    EXPECT_EQ(ask("status tone length"), "2205");
    ask("set tone time format bytes");
    EXPECT_EQ(ask("status tone length"), "2205");
    ask("set tone time format ms");

    // "wait" returns once the sound has played to its end (which Wine's
    // silent test output reaches faster than it plays).
    const DWORD start = GetTickCount();
    ask("play tone wait");
    if (!runningUnderWine()) {
        EXPECT_GE(GetTickCount() - start, 150u);
    }
    EXPECT_EQ(ask("status tone mode"), "stopped");
    EXPECT_EQ(ask("status tone position"), "200");

    ask("play tone from 50");
    EXPECT_EQ(ask("status tone mode"), "playing");
    ask("pause tone");
    EXPECT_EQ(ask("status tone mode"), "paused");
    ask("stop tone");
    EXPECT_EQ(ask("status tone mode"), "stopped");
    ask("seek tone to start");
    EXPECT_EQ(ask("status tone position"), "0");

    ask("close tone");
    MCIERROR error = 0;
    ask("status tone mode", &error);
    EXPECT_NE(error, 0u);
}

TEST_F(WaveAudio, RefusesWhatWindowsRefuses)
{
    MCIERROR error = 0;
    ask("open \"" + folder.windows("Sounds\\Missing.wav") + "\" type waveaudio alias gone", &error);
    EXPECT_EQ(error, static_cast<MCIERROR>(MCIERR_FILE_NOT_FOUND));

    ask("open \"" + tone + "\" alias tone");
    ask("open \"" + tone + "\" alias tone", &error);
    EXPECT_EQ(error, static_cast<MCIERROR>(MCIERR_DUPLICATE_ALIAS));
    ask("play tone from 5000", &error);
    EXPECT_EQ(error, static_cast<MCIERROR>(MCIERR_OUTOFRANGE));
    ask("set tone time format furlongs", &error);
    EXPECT_NE(error, 0u);
    ask("status tone", &error);
    EXPECT_EQ(error, static_cast<MCIERROR>(MCIERR_MISSING_PARAMETER));

    // An answer longer than the buffer is an error (Wine cuts it short).
    char tiny[2];
    if (!runningUnderWine()) {
        EXPECT_EQ(mciSendStringA("status tone length", tiny, sizeof tiny, nullptr),
                  static_cast<MCIERROR>(MCIERR_PARAM_OVERFLOW));
    }
}

TEST_F(WaveAudio, PlaysNotifyWhenTheyEndOrAreCutShort)
{
    NotifyWindow window;
    ASSERT_NE(window.hwnd, nullptr);
    const LPARAM id = std::atoi(ask("open \"" + tone + "\" alias tone").c_str());

    // To its end.
    ask("play tone from 100 notify", nullptr, window.hwnd);
    ASSERT_TRUE(window.waitFor(1));
    EXPECT_EQ(gNotifications[0].result, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(gNotifications[0].device, id);

    // Cut short by another play; then a command that lets the play go on
    // asks for its own notification.
    gNotifications.clear();
    ask("play tone from 0 notify", nullptr, window.hwnd);
    ask("play tone from 0 notify", nullptr, window.hwnd);
    ask("status tone mode notify", nullptr, window.hwnd);
    ask("stop tone", nullptr, window.hwnd);
    ASSERT_TRUE(window.waitFor(3));
    EXPECT_EQ(gNotifications[0].result, static_cast<WPARAM>(MCI_NOTIFY_ABORTED));
    EXPECT_EQ(gNotifications[1].result, static_cast<WPARAM>(MCI_NOTIFY_SUPERSEDED));
    EXPECT_EQ(gNotifications[2].result, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));

    // A command that finishes at once notifies at once.
    gNotifications.clear();
    ask("seek tone to start notify", nullptr, window.hwnd);
    ASSERT_TRUE(window.waitFor(1));
    EXPECT_EQ(gNotifications[0].result, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
}
