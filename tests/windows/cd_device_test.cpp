// The CD device on Windows without a disc in the drive: the virtual disc of
// WAV tracks, played through waveOut.
#include <vantrel/seam/cd_device.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void writeWave(const std::string& path, DWORD rate, DWORD frames)
{
    const DWORD dataSize = frames * 2;
    std::vector<unsigned char> file(44 + dataSize, 0);
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    std::memcpy(&file[0], "RIFF", 4);
    put32(4, 36 + dataSize);
    std::memcpy(&file[8], "WAVEfmt ", 8);
    put32(16, 16);
    put32(20, 1 | 1 << 16); // PCM, mono
    put32(24, rate);
    put32(28, rate * 2);
    put32(32, 2 | 16 << 16); // block of 2 bytes, 16 bits
    std::memcpy(&file[36], "data", 4);
    put32(40, dataSize);
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);
}

class VirtualCdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "vantrel_cd_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        writeWave(folder_ + "/track01.wav", 22050, 22050 / 2); // half a second
        writeWave(folder_ + "/track02.wav", 11025, 11025 * 2); // two seconds
        SetEnvironmentVariableA("VANTREL_CDAUDIO", folder_.c_str());
        _putenv_s("VANTREL_CDAUDIO", folder_.c_str());
        MCI_OPEN_PARMSA open{};
        open.lpstrDeviceType = "cdaudio";
        ASSERT_EQ(vtl::cdCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, DWORD_PTR(&open)), 0u);
        device_ = open.wDeviceID;
        MCI_SET_PARMS set{};
        set.dwTimeFormat = MCI_FORMAT_TMSF;
        ASSERT_EQ(vtl::cdCommand(device_, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set)), 0u);
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        vtl::cdCommand(device_, MCI_CLOSE, 0, 0);
        DestroyWindow(window_);
        DeleteFileA((folder_ + "/track01.wav").c_str());
        DeleteFileA((folder_ + "/track02.wav").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    DWORD status(DWORD item, DWORD track = 0)
    {
        MCI_STATUS_PARMS s{};
        s.dwItem = item;
        s.dwTrack = track;
        EXPECT_EQ(vtl::cdCommand(device_, MCI_STATUS, MCI_STATUS_ITEM | (track ? MCI_TRACK : 0), DWORD_PTR(&s)),
                  0u);
        return DWORD(s.dwReturn);
    }
    // The notification of the play, or 0 after `ms`.
    WPARAM waitForNotify(DWORD ms)
    {
        const DWORD until = GetTickCount() + ms;
        while (GetTickCount() < until) {
            MSG msg;
            while (PeekMessageA(&msg, window_, 0, 0, PM_REMOVE))
                if (msg.message == MM_MCINOTIFY && msg.lParam == LPARAM(device_))
                    return msg.wParam;
            Sleep(10);
        }
        return 0;
    }

    std::string folder_;
    MCIDEVICEID device_ = 0;
    HWND window_ = nullptr;
};

TEST_F(VirtualCdTest, TrackTableComesFromTheFiles)
{
    EXPECT_GE(device_, 0x4000u) << "no disc in the drive: the virtual one";
    EXPECT_EQ(status(MCI_STATUS_NUMBER_OF_TRACKS), 2u);
    EXPECT_EQ(status(MCI_STATUS_LENGTH, 1), DWORD(MCI_MAKE_MSF(0, 0, 37)));
    EXPECT_EQ(status(MCI_STATUS_LENGTH, 2), DWORD(MCI_MAKE_MSF(0, 2, 0)));
    EXPECT_EQ(status(MCI_STATUS_POSITION, 2), DWORD(MCI_MAKE_TMSF(2, 0, 0, 0)));
    EXPECT_EQ(status(MCI_STATUS_MEDIA_PRESENT), DWORD(TRUE));
}

TEST_F(VirtualCdTest, TrackPlaysToItsEndAndNotifies)
{
    MCI_PLAY_PARMS play{};
    play.dwCallback = DWORD_PTR(window_);
    play.dwFrom = MCI_MAKE_TMSF(1, 0, 0, 0);
    play.dwTo = MCI_MAKE_TMSF(2, 0, 0, 0);
    ASSERT_EQ(vtl::cdCommand(device_, MCI_PLAY, MCI_FROM | MCI_TO | MCI_NOTIFY, DWORD_PTR(&play)), 0u);
    EXPECT_EQ(status(MCI_STATUS_MODE), DWORD(MCI_MODE_PLAY));
    EXPECT_EQ(waitForNotify(5000), WPARAM(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(status(MCI_STATUS_MODE), DWORD(MCI_MODE_STOP));
    EXPECT_EQ(status(MCI_STATUS_POSITION), DWORD(MCI_MAKE_TMSF(2, 0, 0, 0)));
}

TEST_F(VirtualCdTest, StopHoldsThePositionAndAbortsTheNotification)
{
    MCI_PLAY_PARMS play{};
    play.dwCallback = DWORD_PTR(window_);
    play.dwFrom = MCI_MAKE_TMSF(2, 0, 0, 0);
    ASSERT_EQ(vtl::cdCommand(device_, MCI_PLAY, MCI_FROM | MCI_NOTIFY, DWORD_PTR(&play)), 0u);
    Sleep(400);
    ASSERT_EQ(vtl::cdCommand(device_, MCI_STOP, 0, 0), 0u);
    EXPECT_EQ(waitForNotify(1000), WPARAM(MCI_NOTIFY_ABORTED));
    const DWORD stopped = status(MCI_STATUS_POSITION);
    EXPECT_EQ(MCI_TMSF_TRACK(stopped), 2u);
    EXPECT_LT(MCI_TMSF_SECOND(stopped), 2u);
    Sleep(200);
    EXPECT_EQ(status(MCI_STATUS_POSITION), stopped);
    EXPECT_EQ(status(MCI_STATUS_MODE), DWORD(MCI_MODE_STOP));
}

} // namespace
