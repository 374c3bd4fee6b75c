// The SDL game port, driven through SDL's virtual joysticks.
#include <vantrel/joystick.h>

#include "input/joystick_state.h"
#include <vantrel/seam/game_port.h>
#include "platform/backends/sdl/sdl_game_port.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

class SdlGamePortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        vtl::joystickState() = vtl::JoystickState();
    }
    void TearDown() override
    {
        for (SDL_Joystick* j : handles_)
            SDL_JoystickClose(j);
        for (int index : attached_)
            SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    // A virtual device and the handle that moves it.
    SDL_Joystick* attach(int axes, int buttons)
    {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
        EXPECT_GE(index, 0) << SDL_GetError();
        attached_.push_back(index);
        SDL_Joystick* j = SDL_JoystickOpen(index);
        EXPECT_NE(j, nullptr) << SDL_GetError();
        handles_.push_back(j);
        return j;
    }

private:
    std::vector<int> attached_;
    std::vector<SDL_Joystick*> handles_;
};

TEST(AxisToCount, SpansTheRangeOfARealPortWithTheCentreInTheMiddle)
{
    EXPECT_EQ(vtl::axisToCount(-32768), vtl::kGamePortMinCount);
    EXPECT_EQ(vtl::axisToCount(32767), vtl::kGamePortMaxCount);
    EXPECT_EQ(vtl::axisToCount(0), (vtl::kGamePortMinCount + vtl::kGamePortMaxCount) / 2);
    EXPECT_EQ(vtl::axisToCount(-16384), 24u + 275u);
    EXPECT_LT(vtl::axisToCount(-100), vtl::axisToCount(100));
}

TEST_F(SdlGamePortTest, NoDevicesMeansEveryTimerRunsOn)
{
    vtl::SdlGamePort port;
    ASSERT_TRUE(port.started());
    const vtl::GamePortSample s = port.sample();
    for (uint32_t t : s.timerReads)
        EXPECT_EQ(t, vtl::kTimerNeverEnds);
    EXPECT_EQ(s.buttonBits, vtl::kButtonsReleased);
}

TEST_F(SdlGamePortTest, TwoDevicesAreTheTwoSticks)
{
    SDL_Joystick* first = attach(2, 2);
    SDL_Joystick* second = attach(2, 2);
    vtl::SdlGamePort port;
    SDL_JoystickSetVirtualAxis(first, 0, -32768);
    SDL_JoystickSetVirtualAxis(first, 1, 32767);
    SDL_JoystickSetVirtualAxis(second, 0, 0);
    SDL_JoystickSetVirtualAxis(second, 1, 0);
    SDL_JoystickSetVirtualButton(first, 1, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(second, 0, SDL_PRESSED);
    const vtl::GamePortSample s = port.sample();
    EXPECT_EQ(s.timerReads[0], 24u);
    EXPECT_EQ(s.timerReads[1], 1124u);
    EXPECT_EQ(s.timerReads[2], 574u);
    EXPECT_EQ(s.timerReads[3], 574u);
    EXPECT_EQ(s.buttonBits, 0xF0 & ~0x20 & ~0x40);
}

TEST_F(SdlGamePortTest, ALoneFourButtonDeviceFillsTheWholePort)
{
    SDL_Joystick* only = attach(4, 4);
    vtl::SdlGamePort port;
    SDL_JoystickSetVirtualAxis(only, 2, 32767);
    SDL_JoystickSetVirtualAxis(only, 3, -32768);
    SDL_JoystickSetVirtualButton(only, 3, SDL_PRESSED);
    const vtl::GamePortSample s = port.sample();
    EXPECT_EQ(s.timerReads[2], 1124u);
    EXPECT_EQ(s.timerReads[3], 24u);
    EXPECT_EQ(s.buttonBits, 0xF0 & ~0x80);
}

TEST_F(SdlGamePortTest, AStickIsCalibratedAndReadThroughSdl)
{
    SDL_Joystick* stick = attach(2, 2);
    vtl::SdlGamePort port;
    vtl::GamePortSource* previous = vtl::setGamePortSource(&port);

    CalibCenter(0);
    const int sweep[] = {-8000, -32768, 8000, 32767};
    for (int v : sweep) {
        SDL_JoystickSetVirtualAxis(stick, 0, static_cast<Sint16>(v));
        SDL_JoystickSetVirtualAxis(stick, 1, static_cast<Sint16>(v));
        CalibAdjust(0);
    }
    DWORD minX = 0, maxX = 0, cx = 0;
    GetMaxMin(0, &minX, nullptr, &maxX, nullptr);
    GetCenter(0, &cx, nullptr);
    EXPECT_EQ(minX, 24u);
    EXPECT_EQ(maxX, 1124u);
    EXPECT_EQ(cx, 574u);

    SDL_JoystickSetVirtualAxis(stick, 0, -32768);
    SDL_JoystickSetVirtualAxis(stick, 1, 0);
    SDL_JoystickSetVirtualButton(stick, 0, SDL_PRESSED);
    DWORD state = 0;
    LONG x = 0, y = 1;
    ReadJoystick1(&state, &x, &y);
    EXPECT_EQ(state, DWORD{VTL_JOY_LEFT | VTL_JOY_BUTTON1});
    EXPECT_EQ(x, -100);
    EXPECT_EQ(y, 0);

    // The second stick is not connected: it times out like an unplugged one.
    CalibCenter(1);
    EXPECT_EQ(vtl::joystickState().present[1], 0);

    vtl::setGamePortSource(previous);
}

} // namespace
