// The multimedia system's joy* calls over a scripted game port: positions,
// buttons and capabilities of a plugged stick, and the answers for an
// unplugged stick, ids beyond the driver's and misused records.
#include <vantrel/win32/mmsystem.h>

#include <vantrel/seam/game_port.h>
#include "platform/backends/headless/scripted_game_port.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class JoyCallsTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = vtl::setGamePortSource(&port); }
    void TearDown() override { vtl::setGamePortSource(previous_); }

    vtl::ScriptedGamePort port;

private:
    vtl::GamePortSource* previous_ = nullptr;
};

JOYINFOEX askFor(DWORD flags)
{
    JOYINFOEX info;
    std::memset(&info, 0xAB, sizeof info);
    info.dwSize = sizeof info;
    info.dwFlags = flags;
    return info;
}

} // namespace

TEST_F(JoyCallsTest, PlugedStickReadsItsPositionAndButtons)
{
    port.plug(1, vtl::kGamePortMinCount, vtl::kGamePortMaxCount); // stick 2: left, down
    port.press(1, 1, true);
    JOYINFOEX info = askFor(JOY_RETURNALL);
    ASSERT_EQ(joyGetPosEx(JOYSTICKID2, &info), MMRESULT(JOYERR_NOERROR));
    EXPECT_EQ(info.dwXpos, 0u);
    EXPECT_EQ(info.dwYpos, 65535u);
    EXPECT_EQ(info.dwZpos, 0u);
    EXPECT_EQ(info.dwButtons, DWORD(JOY_BUTTON2));
    EXPECT_EQ(info.dwButtonNumber, 1u);
    EXPECT_EQ(info.dwPOV, DWORD(JOY_POVCENTERED));

    // A centred stick reads the middle of the range; fields not asked for
    // are left as they were.
    port.plug(1, vtl::axisToCount(0), vtl::axisToCount(0));
    port.press(1, 0, true);
    info = askFor(JOY_RETURNX | JOY_RETURNBUTTONS);
    ASSERT_EQ(joyGetPosEx(JOYSTICKID2, &info), MMRESULT(JOYERR_NOERROR));
    EXPECT_NEAR(double(info.dwXpos), 32767.0, 65535.0 / 1100);
    EXPECT_EQ(info.dwYpos, 0xABABABABu);
    EXPECT_EQ(info.dwButtons, DWORD(JOY_BUTTON1 | JOY_BUTTON2));
    EXPECT_EQ(info.dwButtonNumber, 2u);

    JOYINFO old{};
    ASSERT_EQ(joyGetPos(JOYSTICKID2, &old), MMRESULT(JOYERR_NOERROR));
    EXPECT_EQ(old.wXpos, info.dwXpos);
    EXPECT_EQ(old.wButtons, UINT(JOY_BUTTON1 | JOY_BUTTON2));

    JOYCAPSA caps{};
    ASSERT_EQ(joyGetDevCapsA(JOYSTICKID2, &caps, sizeof caps), MMRESULT(JOYERR_NOERROR));
    EXPECT_EQ(caps.wXmin, 0u);
    EXPECT_EQ(caps.wXmax, 65535u);
    EXPECT_EQ(caps.wYmax, 65535u);
    EXPECT_EQ(caps.wNumButtons, 2u);
    EXPECT_EQ(caps.wNumAxes, 2u);
    EXPECT_STRNE(caps.szPname, "");
}

TEST_F(JoyCallsTest, EmptyPortAndBadIdsAnswerAsWindowsDoes)
{
    EXPECT_EQ(joyGetNumDevs(), 16u);
    JOYINFOEX info = askFor(JOY_RETURNALL);
    JOYINFO old{};
    JOYCAPSA caps{};
    for (UINT id : {0u, 1u, 2u, 15u}) {
        EXPECT_EQ(joyGetPosEx(id, &info), MMRESULT(JOYERR_UNPLUGGED)) << id;
        EXPECT_EQ(joyGetPos(id, &old), MMRESULT(JOYERR_UNPLUGGED)) << id;
        EXPECT_EQ(joyGetDevCapsA(id, &caps, sizeof caps), MMRESULT(JOYERR_PARMS)) << id;
    }
    EXPECT_EQ(joyGetPosEx(16, &info), MMRESULT(JOYERR_PARMS));
    EXPECT_EQ(joyGetPos(16, &old), MMRESULT(JOYERR_PARMS));

    port.plug(0, vtl::axisToCount(0), vtl::axisToCount(0));
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, nullptr), MMRESULT(MMSYSERR_INVALPARAM));
    EXPECT_EQ(joyGetPos(JOYSTICKID1, nullptr), MMRESULT(MMSYSERR_INVALPARAM));
    info.dwSize = sizeof info - 4;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), MMRESULT(JOYERR_PARMS));
    EXPECT_EQ(joyGetDevCapsA(JOYSTICKID1, nullptr, sizeof caps), MMRESULT(JOYERR_PARMS));
    EXPECT_EQ(joyGetDevCapsA(JOYSTICKID1, &caps, sizeof caps - 1), MMRESULT(JOYERR_PARMS));
    // Stick 1 alone: stick 2 stays unplugged.
    info.dwSize = sizeof info;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), MMRESULT(JOYERR_NOERROR));
    EXPECT_EQ(joyGetPosEx(JOYSTICKID2, &info), MMRESULT(JOYERR_UNPLUGGED));
}
