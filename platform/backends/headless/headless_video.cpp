// The headless video (VideoBackend): windows exist only as the shared layer's
// records, on a fixed screen, with input given by the test hooks.  Every
// call a real backend makes to mirror a window is a no-op here; what a
// backend must answer (the screen, message boxes) gets fixed answers.
#include "platform/backends/headless/headless_backend.h"
#include "platform/user/video_backend.h"
#include "platform/backends/headless/headless_testing.h"

#include <cstdio>
#include <mutex>

namespace vtl {
namespace testing::headless {
namespace {

std::mutex gMessageBoxMutex;
MessageBoxRecord gLastBox = {0, "", ""};
int gAnswer = 0;

} // namespace

const MessageBoxRecord& lastMessageBox() { return gLastBox; }

void setMessageBoxAnswer(int answer)
{
    std::lock_guard<std::mutex> lock(gMessageBoxMutex);
    gAnswer = answer;
}

} // namespace testing::headless

namespace {

// The fixed screen: 1024 x 768, work area (0, 0, 1024, 728) above a 40-pixel
// panel.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kPanelHeight = 40;

class HeadlessVideo : public VideoBackend {
public:
    const char* name() const override { return "headless"; }

    Desktop screen() override
    {
        Desktop d;
        d.width = kScreenWidth;
        d.height = kScreenHeight;
        d.workArea = RECT{0, 0, kScreenWidth, kScreenHeight - kPanelHeight};
        d.format = VTLPixelFormat{PF_RGB565, 16, 2, 0xF800, 0x07E0, 0x001F};
        return d;
    }

    bool createNative(Window&) override { return true; }
    void destroyNative(Window&) override {}
    void syncGeometry(Window&) override {}
    void syncStyle(Window&) override {}
    void syncTitle(Window&) override {}
    void syncShowState(Window&, bool) override {}
    void raise(Window&) override {}
    void pump() override {}
    bool needsPolling() const override { return false; }
    bool windowPixels(Window&, unsigned char**, DWORD*, int*, int*, VTLPixelFormat*) override { return false; }
    void presentPixels(Window&) override {}

    int messageBox(HWND, const char* text, const char* caption, UINT type) override
    {
        using namespace testing::headless;
        std::lock_guard<std::mutex> lock(gMessageBoxMutex);
        ++gLastBox.count;
        std::snprintf(gLastBox.text, sizeof gLastBox.text, "%s", text);
        std::snprintf(gLastBox.caption, sizeof gLastBox.caption, "%s", caption);
        if (gAnswer)
            return gAnswer;
        return (type & 0xF) == MB_YESNO ? IDYES : IDOK;
    }

    bool cursorPos(POINT*) override { return false; }
    void showPointer(bool) override {}
    void warpPointer(POINT) override {}
};

} // namespace

std::unique_ptr<VideoBackend> openHeadlessVideo() { return std::unique_ptr<VideoBackend>(new HeadlessVideo); }

} // namespace vtl
