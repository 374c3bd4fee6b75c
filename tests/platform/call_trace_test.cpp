// The porter's call trace: what a short Windows-style program's calls write
// with VANTREL_TRACE set, and the once-only line of an unsupported call.
#include <vantrel/win32/beep.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/kernel/trace_testing.h"
#include "support/message_capture.h"
#include "support/window_recorder.h"

namespace {

// VANTREL_TRACE set to `channels` (or unset for null) and the trace sent to a
// file of this test, as a new process would read them.
class TraceSession {
public:
    explicit TraceSession(const char* channels)
        : path_(::testing::TempDir() + "vantrel_trace_" + std::to_string(getpid()) + ".log")
    {
        std::remove(path_.c_str());
        if (channels)
            setenv("VANTREL_TRACE", channels, 1);
        else
            unsetenv("VANTREL_TRACE");
        setenv("VANTREL_TRACE_FILE", path_.c_str(), 1);
        vtl::testing::trace::reset();
    }
    ~TraceSession()
    {
        unsetenv("VANTREL_TRACE");
        unsetenv("VANTREL_TRACE_FILE");
        vtl::testing::trace::reset();
        std::remove(path_.c_str());
    }

    bool written() const { return access(path_.c_str(), F_OK) == 0; }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        std::ifstream in(path_);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
    // The first line that starts with `start`, or "" when none does.
    std::string find(const std::string& start) const
    {
        for (const std::string& line : lines()) {
            if (line.compare(0, start.size(), start) == 0)
                return line;
        }
        return "";
    }

private:
    std::string path_;
};

std::string hex(const void* handle)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(handle)));
    return text;
}

} // namespace

TEST(CallTrace, AWindowsLifeIsWrittenCallByCallWithItsArgumentsAndErrors)
{
    ASSERT_TRUE(registerTestClass("TraceTestWindow", DefWindowProcA));
    HWND w;
    std::string module = hex(GetModuleHandleA(nullptr));
    {
        TraceSession trace("user");
        w = CreateWindowExA(0, "TraceTestWindow", "Game", WS_POPUP, 10, 20, 640, 480, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(w, nullptr);
        ShowWindow(w, SW_SHOW);
        ASSERT_TRUE(PostMessageA(w, WM_USER + 1, 7, 9));
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0 && msg.message != WM_USER + 1)
            DispatchMessageA(&msg);
        // A failing call carries its error code, even one the thread's code
        // already held before the call.
        SetLastError(1400);
        EXPECT_FALSE(DestroyWindow(reinterpret_cast<HWND>(0xdead)));

        const std::string h = hex(w);
        EXPECT_EQ(trace.find("user: CreateWindowExA("),
                  "user: CreateWindowExA(0x0, \"TraceTestWindow\", \"Game\", 0x80000000, 10, 20, 640, 480, 0x0, 0x0, " +
                      module + ", 0x0) -> " + h);
        EXPECT_EQ(trace.find("user: ShowWindow("), "user: ShowWindow(" + h + ", 5) -> 0");
        EXPECT_EQ(trace.find("user: PostMessageA("), "user: PostMessageA(" + h + ", WM_USER+1, 0x7, 0x9) -> 1");
        EXPECT_EQ(trace.find("user: GetMessageA({" + h + ", WM_USER"),
                  "user: GetMessageA({" + h + ", WM_USER+1, 0x7, 0x9}, 0x0, 0x0, 0x0) -> 1");
        // The window procedure's own calls come through the same entry points,
        // with message names.
        EXPECT_NE(trace.find("user: DefWindowProcA(" + h + ", WM_NCCREATE, "), "");
        EXPECT_EQ(trace.find("user: DestroyWindow("), "user: DestroyWindow(0xdead) -> 0 (error 1400)");
        for (const std::string& line : trace.lines())
            EXPECT_EQ(line.rfind("user: ", 0), 0u) << line;
    }
    DestroyWindow(w);
}

TEST(CallTrace, LeavesTheThreadsErrorCodeAsTheCallLeftIt)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    TraceSession trace("user");
    SetLastError(1234);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(GetLastError(), 1234u);
    EXPECT_EQ(trace.find("user: IsWindow("), "user: IsWindow(" + hex(w) + ") -> 1");
}

TEST(CallTrace, GoesToStandardErrorWithoutAFile)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    int savedError = dup(2);
    {
        TraceSession trace("user");
        unsetenv("VANTREL_TRACE_FILE");
        vtl::testing::trace::reset();
        MessageCapture capture;
        dup2(pipeEnds[1], 2);
        IsWindowVisible(w);
        dup2(savedError, 2);
        EXPECT_EQ(capture.text(), "") << "the trace is not the library's debug output";
    }
    close(savedError);
    close(pipeEnds[1]);
    char text[256] = {};
    ssize_t n = read(pipeEnds[0], text, sizeof text - 1);
    close(pipeEnds[0]);
    EXPECT_EQ(std::string(text, n > 0 ? static_cast<size_t>(n) : 0), "user: IsWindowVisible(" + hex(w) + ") -> 0\n");
}

TEST(CallTrace, WritesOnlyTheChannelsNamed)
{
    WindowRecorder rec;
    HWND w;
    {
        TraceSession trace("gdi");
        w = rec.create(WS_POPUP, 0, 0, 10, 10);
        HDC dc = GetDC(w);
        ASSERT_NE(dc, nullptr);
        SetTextColor(dc, RGB(255, 0, 0));
        ReleaseDC(w, dc);
        std::vector<std::string> lines = trace.lines();
        ASSERT_FALSE(lines.empty());
        for (const std::string& line : lines)
            EXPECT_EQ(line.rfind("gdi: ", 0), 0u) << line;
        EXPECT_EQ(trace.find("gdi: GetDC("), "gdi: GetDC(" + hex(w) + ") -> " + hex(dc));
        EXPECT_EQ(trace.find("gdi: SetTextColor("), "gdi: SetTextColor(" + hex(dc) + ", 0xff) -> 0x0");
    }
    {
        // A main loop's PeekMessage would bury everything else: "all" leaves
        // the per-frame calls out until frame is named.
        MSG msg;
        TraceSession all("all");
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        EXPECT_EQ(all.find("frame: "), "");
        TraceSession frame("all,frame");
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        EXPECT_NE(frame.find("frame: PeekMessageA("), "");
    }
    {
        TraceSession off(nullptr);
        DestroyWindow(w);
        EXPECT_FALSE(off.written()) << "nothing traced, so no file is made";
    }
}

TEST(CallTrace, AnUnsupportedCallIsNamedOnceWithoutTheTrace)
{
    TraceSession off(nullptr);
    MessageCapture capture;
    MessageBeep(MB_OK);
    MessageBeep(MB_ICONHAND);
    EXPECT_EQ(capture.text(), "vantrel: MessageBeep is not supported: ignored\n");

    capture.clear();
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL) > 0, true);
    EXPECT_EQ(capture.text(), "") << "a query it answers says nothing";
    GetDeviceCaps(screen, 40 /* ASPECTX */);
    GetDeviceCaps(screen, 42 /* ASPECTY */);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(capture.text(), "vantrel: GetDeviceCaps other than the depth, size, palette and pixels-per-inch "
                              "queries is not supported: returns 0\n");
    EXPECT_FALSE(off.written());
}
