// Messages for a window whose thread has ended: nothing will ever read them,
// so sending fails at once instead of waiting forever.
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "platform/user/message_queue.h"
#include "support/window_recorder.h"

namespace {

LRESULT CALLBACK answer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER)
        return 42;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class DeadThread : public testing::Test {
protected:
    void SetUp() override
    {
        static int counter = 0;
        name = "VantrelDeadThread" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
        ASSERT_TRUE(registerTestClass(name.c_str(), answer));
    }

    HWND create()
    {
        return CreateWindowExA(0, name.c_str(), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }

    std::string name;
};

struct Outcome {
    LRESULT result;
    DWORD error;
};

// SendMessageA on a thread of its own.  The future never becomes ready when
// the call hangs; the test then fails and leaves that thread behind.
std::future<Outcome> sendFromAnotherThread(HWND hwnd)
{
    auto promise = std::make_shared<std::promise<Outcome>>();
    std::future<Outcome> future = promise->get_future();
    std::thread([hwnd, promise] {
        SetLastError(0);
        LRESULT r = SendMessageA(hwnd, WM_USER, 0, 0);
        promise->set_value(Outcome{r, GetLastError()});
    }).detach();
    return future;
}

bool ready(std::future<Outcome>& f) { return f.wait_for(std::chrono::seconds(30)) == std::future_status::ready; }

} // namespace

TEST_F(DeadThread, SendingAndPostingToItsWindowFail)
{
    HWND hwnd = nullptr;
    std::thread([&] { hwnd = create(); }).join();
    ASSERT_NE(hwnd, nullptr);

    std::future<Outcome> sent = sendFromAnotherThread(hwnd);
    ASSERT_TRUE(ready(sent)) << "SendMessageA waits for a thread that has ended";
    Outcome o = sent.get();
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.error, 1400u);

    SetLastError(0);
    EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
    EXPECT_EQ(GetLastError(), 1400u);
}

TEST_F(DeadThread, AMessageStillWaitingWhenTheThreadEndsFails)
{
    std::promise<HWND> created;
    std::future<Outcome> sent;
    std::thread worker([&] {
        created.set_value(create());
        // Leaves without reading the message another thread is sending.
        vtl::ThreadQueue& q = *vtl::currentQueue();
        std::unique_lock<std::mutex> lock(q.mutex);
        q.wake.wait(lock, [&] { return !q.sent.empty(); });
    });
    HWND hwnd = created.get_future().get();
    ASSERT_NE(hwnd, nullptr);
    sent = sendFromAnotherThread(hwnd);
    worker.join();
    ASSERT_TRUE(ready(sent)) << "SendMessageA waits for a thread that has ended";
    Outcome o = sent.get();
    EXPECT_EQ(o.result, 0);
    EXPECT_EQ(o.error, 1400u);
}

TEST_F(DeadThread, ALiveThreadStillAnswers)
{
    // The same sends to a thread that reads its queue get their answers,
    // also from senders that end right after.
    std::promise<HWND> created;
    std::promise<void> finished;
    std::thread worker([&] {
        HWND hwnd = create();
        created.set_value(hwnd);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(hwnd);
    });
    HWND hwnd = created.get_future().get();
    for (int i = 0; i < 50; ++i) {
        std::future<Outcome> sent = sendFromAnotherThread(hwnd);
        ASSERT_TRUE(ready(sent));
        EXPECT_EQ(sent.get().result, 42);
    }
    PostMessageA(hwnd, WM_QUIT, 0, 0);
    worker.join();
}
