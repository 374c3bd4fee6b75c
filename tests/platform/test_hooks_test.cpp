// The test hooks' shared verbs, seen through the window system's calls: a
// fault fires after the calls it lets through, once or until reset, with its
// error as the thread's last error, and a spent fault disarms no other.
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include "platform/user/user_testing.h"
#include "support/window_recorder.h"

namespace {

namespace user = vtl::testing::user;
using user::Op;

constexpr DWORD kInjected = 0x1234;

class TestHooks : public ::testing::Test {
protected:
    void TearDown() override { user::reset(); }
};

} // namespace

TEST_F(TestHooks, AFaultLetsTheSkippedCallsThroughThenFailsOnceWithItsError)
{
    WindowRecorder rec;
    HWND w = rec.create(WS_OVERLAPPEDWINDOW, 0, 0, 120, 90);
    ASSERT_NE(w, nullptr);
    RECT r;
    user::failNext(Op::GetClientRect, kInjected, 2);
    EXPECT_TRUE(GetClientRect(w, &r));
    EXPECT_TRUE(GetClientRect(w, &r));
    SetLastError(0);
    EXPECT_FALSE(GetClientRect(w, &r));
    EXPECT_EQ(GetLastError(), kInjected);
    EXPECT_TRUE(GetClientRect(w, &r));
    DestroyWindow(w);
}

TEST_F(TestHooks, ASpentFaultLeavesTheOthersArmedUntilReset)
{
    user::failNext(Op::SetTimer, kInjected);
    user::failAlways(Op::KillTimer, kInjected);
    user::record();
    EXPECT_EQ(SetTimer(nullptr, 0, 1000, nullptr), 0u);
    const UINT_PTR id = SetTimer(nullptr, 0, 1000, nullptr);
    ASSERT_NE(id, 0u);
    EXPECT_FALSE(KillTimer(nullptr, id));
    EXPECT_FALSE(KillTimer(nullptr, id));
    EXPECT_EQ(user::countCalls(Op::SetTimer), 2u);
    EXPECT_EQ(user::countCalls(Op::KillTimer), 2u);
    user::reset();
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_TRUE(user::calls().empty());
}
