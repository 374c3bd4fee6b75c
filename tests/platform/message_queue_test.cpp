#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "support/window_recorder.h"

namespace {

// Runs the queue the way a game does until WM_QUIT; returns GetMessageA's
// last result and the quit code.
int runLoop(WPARAM* code)
{
    MSG msg;
    BOOL r;
    while ((r = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    *code = msg.wParam;
    return r;
}

} // namespace

TEST(MessageQueue, PostedMessagesArriveInOrderThenQuitWithItsCode)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 100, 100);
    ASSERT_NE(w, nullptr);
    rec.clear();
    PostMessageA(w, WM_USER + 1, 10, 20);
    PostQuitMessage(7);
    PostMessageA(w, WM_USER + 2, 0, 0); // posted after the quit, still read before it
    WPARAM code = 0;
    EXPECT_EQ(runLoop(&code), 0);
    EXPECT_EQ(code, 7u);
    auto user = rec.messages;
    ASSERT_EQ(user.size(), 2u);
    EXPECT_EQ(user[0].message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(user[0].wParam, 10u);
    EXPECT_EQ(user[0].lParam, 20);
    EXPECT_EQ(user[1].message, static_cast<UINT>(WM_USER + 2));
    DestroyWindow(w);
}

TEST(MessageQueue, PeekFiltersAndLeavesOtherMessages)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    PostMessageA(w, WM_USER + 1, 0, 0);
    PostMessageA(w, WM_USER + 5, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x1234), WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), 1400u);
    DestroyWindow(w);
}

TEST(MessageQueue, SendMessageRunsNestedSendsAndSurvivesDestroyInsideTheProcedure)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    int depth = 0, deepest = 0;
    rec.handler = [&](HWND h, UINT m, WPARAM wp, LPARAM, LRESULT* result) {
        if (m != WM_USER)
            return false;
        ++depth;
        deepest = std::max(deepest, depth);
        // Each level asks the next one and adds one to its answer.
        *result = wp == 0 ? 100 : SendMessageA(h, WM_USER, wp - 1, 0) + 1;
        --depth;
        return true;
    };
    EXPECT_EQ(SendMessageA(w, WM_USER, 3, 0), 103);
    EXPECT_EQ(deepest, 4);

    rec.handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT* result) {
        if (m != WM_USER)
            return false;
        DestroyWindow(h);
        *result = IsWindow(h) ? 1 : 2;
        return true;
    };
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 2);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(SendMessageA(w, WM_USER, 0, 0), 0);
    EXPECT_EQ(rec.only(WM_DESTROY).size(), 1u);
}

TEST(MessageQueue, OtherThreadsPostAndSendToTheWindowThread)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_POPUP, 0, 0, 10, 10);
    rec.handler = [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT* result) {
        if (m == WM_USER + 1) {
            *result = static_cast<LRESULT>(wp * 2);
            return true;
        }
        if (m == WM_USER + 2)
            PostQuitMessage(static_cast<int>(wp));
        return false;
    };
    LRESULT sent = 0;
    std::thread worker([&] {
        // The main thread is blocked in GetMessageA by now or soon: both the
        // send and the post must wake it.
        sent = SendMessageA(w, WM_USER + 1, 21, 0);
        for (int i = 0; i < 100; ++i)
            PostMessageA(w, WM_USER + 3, static_cast<WPARAM>(i), 0);
        PostMessageA(w, WM_USER + 2, 5, 0);
    });
    WPARAM code = 0;
    runLoop(&code);
    worker.join();
    EXPECT_EQ(sent, 42);
    EXPECT_EQ(code, 5u);
    auto posted = rec.only(WM_USER + 3);
    ASSERT_EQ(posted.size(), 100u);
    for (size_t i = 0; i < posted.size(); ++i)
        EXPECT_EQ(posted[i].wParam, i);
    DestroyWindow(w);
}

TEST(MessageQueue, CreateAndDestroySendTheLifecycleMessagesInOrder)
{
    WindowRecorder rec;
    HWND parent = rec.create(WS_POPUP, 0, 0, 200, 200);
    HWND child = rec.create(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent, 7);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(rec.messages.front().message, static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(rec.only(WM_CREATE).size(), 2u);
    rec.clear();
    DestroyWindow(parent);
    std::vector<std::pair<HWND, UINT>> order;
    for (auto& m : rec.messages) {
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY)
            order.emplace_back(m.hwnd, m.message);
    }
    std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(child));
}

TEST(MessageQueue, CreationFailsWhenTheProcedureRefusesIt)
{
    WindowRecorder rec;
    rec.handler = [](HWND, UINT m, WPARAM, LPARAM, LRESULT* result) {
        if (m != WM_CREATE)
            return false;
        *result = -1;
        return true;
    };
    EXPECT_EQ(rec.create(WS_POPUP, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(rec.only(WM_NCDESTROY).size(), 1u);
    // No window left behind: the class can go.
    WindowRecorder other;
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    // Windows versions differ: "cannot find window class" or "class does
    // not exist".
    EXPECT_TRUE(GetLastError() == 1407u || GetLastError() == 1411u) << GetLastError();
}

TEST(MessageQueue, ClassesCanNotGoWhileTheyHaveWindows)
{
    auto* rec = new WindowRecorder;
    std::string name = rec->className();
    HWND w = rec->create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_FALSE(UnregisterClassA(rec->className(), GetModuleHandleA(nullptr)));
    EXPECT_EQ(GetLastError(), 1412u);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name.c_str();
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    EXPECT_EQ(GetLastError(), 1410u);
    DestroyWindow(w);
    delete rec; // unregisters
    EXPECT_NE(RegisterClassExA(&wc), 0);
    EXPECT_TRUE(UnregisterClassA(wc.lpszClassName, wc.hInstance));
}
