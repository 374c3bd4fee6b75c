// mciSendString with the "cdaudio" device on a generated virtual disc of two
// tracks, as a game drives its CD music: open by alias, time formats,
// status answers as text, play from a track, the notifications of a play,
// and the errors of misuse.
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/window.h>
#include <vantrel/win32/window_calls.h>

#include "support/manual_audio.h"
#include "support/wave_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

class MciStringsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vantrel-mcistr-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        // 1000 Hz 8-bit mono: 2:00 at level 0x90, then 0:05 at 0xA0.
        const unsigned seconds[2] = {120, 5};
        const unsigned char levels[2] = {0x90, 0xA0};
        for (int t = 0; t < 2; ++t) {
            const std::string made = temporaryWave(waveFile(1, 1, 1000, 8, Bytes(seconds[t] * 1000, levels[t])));
            ASSERT_EQ(std::rename(made.c_str(), track(t + 1).c_str()), 0);
        }
        setenv("VANTREL_CDAUDIO", folder.c_str(), 1);
    }
    void TearDown() override
    {
        send("close all");
        for (int t = 1; t <= 2; ++t)
            std::remove(track(t).c_str());
        rmdir(folder.c_str());
        unsetenv("VANTREL_CDAUDIO");
    }

    std::string track(int n) const { return folder + "/track0" + std::to_string(n) + ".wav"; }
    MCIERROR send(const char* command)
    {
        reply[0] = 'x';
        return mciSendStringA(command, reply, sizeof reply, nullptr);
    }
    std::string ask(const char* command)
    {
        const MCIERROR error = send(command);
        return error ? "error " + std::to_string(error) : std::string(reply);
    }

    ManualAudio audio;
    std::string folder;
    char reply[128];
};

} // namespace

TEST_F(MciStringsTest, StatusAnswersInTheTimeFormat)
{
    ASSERT_EQ(send("open cdaudio alias Music shareable wait"), 0u);
    EXPECT_STRNE(reply, ""); // the device id
    EXPECT_EQ(ask("status music number of tracks"), "2");
    EXPECT_EQ(ask("status music mode"), "stopped");
    EXPECT_EQ(ask("status music media present"), "true");
    EXPECT_EQ(ask("status music time format"), "msf");

    EXPECT_EQ(ask("set music time format tmsf"), "");
    EXPECT_EQ(ask("status music time format"), "tmsf");
    EXPECT_EQ(ask("status music length track 1"), "02:00:00");
    EXPECT_EQ(ask("status MUSIC position track 2"), "02:00:00:00");
    EXPECT_EQ(ask("set music time format milliseconds"), "");
    EXPECT_EQ(ask("status music length"), "125000");

    // Play from the second track: the device plays and reports it.
    EXPECT_EQ(ask("set music time format tmsf"), "");
    EXPECT_EQ(ask("play music from 2"), "");
    EXPECT_EQ(ask("status music mode"), "playing");
    EXPECT_EQ(audio.pull(1)[0], int16_t((0xA0 - 128) * 256));
    EXPECT_EQ(ask("status music current track"), "2");
    EXPECT_EQ(ask("pause music"), "");
    EXPECT_EQ(ask("status music mode"), "paused");
    EXPECT_EQ(ask("stop music"), "");
    EXPECT_EQ(ask("status music mode"), "stopped");
    EXPECT_EQ(ask("seek music to start"), "");
    EXPECT_EQ(ask("status music position"), "01:00:00:00");
    EXPECT_EQ(ask("close music"), "");
}

TEST_F(MciStringsTest, MisuseAnswersAsWindowsDoes)
{
    EXPECT_EQ(send("play nothing"), MCIERROR(MCIERR_INVALID_DEVICE_NAME));
    EXPECT_EQ(send(""), MCIERROR(MCIERR_MISSING_COMMAND_STRING));
    EXPECT_EQ(send("open mixer"), MCIERROR(MCIERR_INVALID_DEVICE_NAME));
    ASSERT_EQ(send("open cdaudio"), 0u);
    EXPECT_EQ(send("open cdaudio"), MCIERROR(MCIERR_DEVICE_OPEN));
    ASSERT_EQ(send("open cdaudio alias music"), 0u); // a second user of the drive
    EXPECT_EQ(send("open cdaudio alias MUSIC"), MCIERROR(MCIERR_DUPLICATE_ALIAS));
    EXPECT_EQ(send("dance cdaudio"), MCIERROR(MCIERR_UNRECOGNIZED_COMMAND));
    EXPECT_EQ(send("status cdaudio"), MCIERROR(MCIERR_MISSING_PARAMETER));
    EXPECT_EQ(send("set cdaudio time format frames"), MCIERROR(MCIERR_BAD_TIME_FORMAT));
    EXPECT_EQ(send("set cdaudio time format tmsf"), 0u);
    EXPECT_EQ(send("play cdaudio from 9"), MCIERROR(MCIERR_OUTOFRANGE)); // track 9 of 2
    EXPECT_EQ(send("play cdaudio from x"), MCIERROR(MCIERR_BAD_INTEGER));
    EXPECT_EQ(send("set cdaudio door open"), 0u); // no door: nothing happens

    char tiny[3];
    EXPECT_EQ(mciSendStringA("status cdaudio mode", tiny, sizeof tiny, nullptr), MCIERROR(MCIERR_PARAM_OVERFLOW));
    EXPECT_EQ(mciSendStringA("status cdaudio mode", nullptr, 0, nullptr), 0u);
    EXPECT_EQ(send("close cdaudio"), 0u);
    EXPECT_EQ(send("close cdaudio"), MCIERROR(MCIERR_INVALID_DEVICE_NAME));
}

namespace {

LRESULT CALLBACK plainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The MM_MCINOTIFY messages waiting for `window`, as (wParam, lParam) pairs.
std::vector<std::pair<WPARAM, LPARAM>> notifications(HWND window)
{
    std::vector<std::pair<WPARAM, LPARAM>> got;
    MSG msg;
    while (PeekMessageA(&msg, window, MM_MCINOTIFY, MM_MCINOTIFY, PM_REMOVE))
        got.emplace_back(msg.wParam, msg.lParam);
    return got;
}

} // namespace

// A game that loops its CD music restarts it when the play's notification
// says it reached its end; a play cut short or overtaken says so instead.
TEST_F(MciStringsTest, APlayWithNotifyTellsItsWindowHowItEnded)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = plainWindowProc;
    wc.lpszClassName = "VantrelCdNotify";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("VantrelCdNotify", "cd", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(send("open cdaudio alias music"), 0u);
    const LPARAM id = std::atoi(reply);
    ASSERT_EQ(send("set music time format tmsf"), 0u);
    const auto play = [&](const char* command) { return mciSendStringA(command, reply, sizeof reply, window); };
    using Got = std::vector<std::pair<WPARAM, LPARAM>>;

    // Track 2 lasts 5 s: mixed to its end, the play is successful, once.
    ASSERT_EQ(play("play music from 2 notify"), 0u);
    EXPECT_EQ(notifications(window), Got{});
    audio.pull(44100 * 5 + 4410);
    EXPECT_EQ(ask("status music mode"), "stopped");
    EXPECT_EQ(notifications(window), (Got{{MCI_NOTIFY_SUCCESSFUL, id}}));
    audio.pull(4410);
    EXPECT_EQ(notifications(window), Got{});

    // Another play, a stop, a seek and a close each cut a play short.
    for (const char* cut : {"play music from 2", "stop music", "seek music to start", "close music"}) {
        ASSERT_EQ(play("play music from 1 notify"), 0u) << cut;
        EXPECT_EQ(send(cut), 0u) << cut;
        EXPECT_EQ(notifications(window), (Got{{MCI_NOTIFY_ABORTED, id}})) << cut;
    }

    // A pause that asks for its own notification supersedes the play's and
    // is notified at once; a plain pause keeps the play's pending.
    ASSERT_EQ(send("open cdaudio alias music"), 0u);
    const LPARAM again = std::atoi(reply);
    ASSERT_EQ(play("play music from 1 notify"), 0u);
    ASSERT_EQ(play("pause music"), 0u);
    EXPECT_EQ(notifications(window), Got{});
    ASSERT_EQ(play("pause music notify"), 0u);
    EXPECT_EQ(notifications(window), (Got{{MCI_NOTIFY_SUPERSEDED, again}, {MCI_NOTIFY_SUCCESSFUL, again}}));
    DestroyWindow(window);
}
