// The SDL game port, driven through SDL's virtual joysticks.
#include <vantrel/joystick.h>

#include "input/joystick_state.h"
#include <vantrel/seam/game_port.h>
#include "platform/backends/sdl/sdl_game_port.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class SdlGamePortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        vtl::joystickState() = vtl::JoystickState();
    }
    void TearDown() override
    {
        for (SDL_Joystick* j : handles_)
            SDL_JoystickClose(j);
        for (int index : attached_)
            SDL_JoystickDetachVirtual(index);
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    // A virtual device SDL has no mapping for, and the handle that moves it.
    SDL_Joystick* attach(int axes, int buttons)
    {
        return track(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, axes, buttons, 0));
    }

    // A virtual current pad: SDL maps its buttons and axes in its own order
    // (A, B, X, Y, ..., d-pad up, down, left, right; left x, y, right x, y).
    SDL_Joystick* attachPad()
    {
        SDL_VirtualJoystickDesc desc;
        SDL_zero(desc);
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Virtual pad";
        SDL_Joystick* pad = track(SDL_JoystickAttachVirtualEx(&desc));
        EXPECT_TRUE(SDL_IsGameController(attached_.back()));
        return pad;
    }

private:
    SDL_Joystick* track(int index)
    {
        EXPECT_GE(index, 0) << SDL_GetError();
        attached_.push_back(index);
        SDL_Joystick* j = SDL_JoystickOpen(index);
        EXPECT_NE(j, nullptr) << SDL_GetError();
        handles_.push_back(j);
        return j;
    }

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

TEST_F(SdlGamePortTest, APadIsTheWholePortThroughItsMapping)
{
    SDL_Joystick* pad = attachPad();
    vtl::SdlGamePort port;
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY, -32768);
    // The triggers are axes too, and must not leak into either stick.
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
    vtl::GamePortSample s = port.sample();
    EXPECT_EQ(s.timerReads[0], 24u);
    EXPECT_EQ(s.timerReads[1], 1124u);
    EXPECT_EQ(s.timerReads[2], 1124u);
    EXPECT_EQ(s.timerReads[3], 24u);
    EXPECT_EQ(s.buttonBits, vtl::kButtonsReleased);

    // A, B, X, Y one at a time are the port's four buttons in order.
    const SDL_GameControllerButton faces[] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
                                              SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y};
    const uint8_t bits[] = {0x10, 0x20, 0x40, 0x80};
    for (int i = 0; i < 4; ++i) {
        SDL_JoystickSetVirtualButton(pad, faces[i], SDL_PRESSED);
        s = port.sample();
        EXPECT_EQ(s.buttonBits, vtl::kButtonsReleased & ~bits[i]) << "face button " << i;
        SDL_JoystickSetVirtualButton(pad, faces[i], SDL_RELEASED);
    }
    // Shoulders, start and the stick clicks are not game-port buttons.
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_LEFTSTICK, SDL_PRESSED);
    EXPECT_EQ(port.sample().buttonBits, vtl::kButtonsReleased);
}

TEST_F(SdlGamePortTest, AHeldDpadSteersStickOneOverTheLeftStick)
{
    SDL_Joystick* pad = attachPad();
    vtl::SdlGamePort port;
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 0);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, -20000);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_PRESSED);
    vtl::GamePortSample s = port.sample();
    EXPECT_EQ(s.timerReads[0], 1124u);
    EXPECT_EQ(s.timerReads[1], vtl::axisToCount(-20000));
    // The right stick is left alone by the d-pad.
    EXPECT_EQ(s.timerReads[2], 574u);

    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_PRESSED);
    s = port.sample();
    EXPECT_EQ(s.timerReads[0], 574u);
    EXPECT_EQ(s.timerReads[1], 1124u);
}

TEST_F(SdlGamePortTest, APadFirstLeavesASecondDeviceUnread)
{
    SDL_Joystick* pad = attachPad();
    SDL_Joystick* other = attach(2, 2);
    vtl::SdlGamePort port;
    SDL_JoystickSetVirtualAxis(other, 0, -32768);
    SDL_JoystickSetVirtualButton(other, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    const vtl::GamePortSample s = port.sample();
    EXPECT_EQ(s.timerReads[2], 1124u);
    EXPECT_EQ(s.buttonBits, vtl::kButtonsReleased);
}

TEST_F(SdlGamePortTest, ARawStickFirstAndAPadSecondAreTheTwoSticks)
{
    SDL_Joystick* stick = attach(2, 2);
    SDL_Joystick* pad = attachPad();
    vtl::SdlGamePort port;
    SDL_JoystickSetVirtualAxis(stick, 0, -32768);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_B, SDL_PRESSED);
    const vtl::GamePortSample s = port.sample();
    EXPECT_EQ(s.timerReads[0], 24u);
    EXPECT_EQ(s.timerReads[2], 1124u);
    EXPECT_EQ(s.buttonBits, vtl::kButtonsReleased & ~0x80);
}

// A calibration saved while playing with a pad is read back by a later run
// as any stick's file is, and both of the pad's sticks and all four buttons
// reach the game through the joystick functions.
TEST_F(SdlGamePortTest, APadIsCalibratedSavedAndPlayedInTwoStickMode)
{
    SDL_Joystick* pad = attachPad();
    vtl::SdlGamePort port;
    vtl::GamePortSource* previous = vtl::setGamePortSource(&port);
    const std::string file = ::testing::TempDir() + "sdl_pad_joystick.cal";
    std::remove(file.c_str());

    vtl::joystickState().mode = 1;
    CalibCenter(0);
    CalibCenter(1);
    // The first reading off the centre widens the maximum, whichever side
    // it is on: a little left first, as a player would sweep.
    for (int v : {-8000, -32768, 8000, 32767, 0}) {
        for (int axis = 0; axis < 4; ++axis)
            SDL_JoystickSetVirtualAxis(pad, axis, static_cast<Sint16>(v));
        CalibAdjust(0);
        CalibAdjust(1);
    }
    ASSERT_TRUE(SaveJoystickCalibration(file.c_str()));

    vtl::joystickState() = vtl::JoystickState();
    EXPECT_EQ(InstallJoystick(nullptr, RECT{}, 1, 0, file.c_str()), 3); // both sticks usable

    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, 32767);
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY, -32768);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_Y, SDL_PRESSED);
    DWORD state1 = 0, state2 = 0, x2 = 0, y2 = 0;
    LONG x1 = 0, y1 = 0;
    ReadJoystick1(&state1, &x1, &y1);
    ReadJoystick2(&state2, &x2, &y2);
    EXPECT_EQ(state1, DWORD{VTL_JOY_RIGHT | VTL_JOY_BUTTON1 | VTL_JOY_OTHER_BUTTON2});
    EXPECT_EQ(x1, 100);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(state2, DWORD{VTL_JOY_UP | VTL_JOY_BUTTON2 | VTL_JOY_OTHER_BUTTON1});
    EXPECT_EQ(static_cast<LONG>(y2), -100);

    vtl::setGamePortSource(previous);
    std::remove(file.c_str());
}

} // namespace
