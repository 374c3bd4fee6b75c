// Joystick tests read a scripted game port and start from a clean state.
#ifndef VANTREL_TESTS_INPUT_JOYSTICK_FIXTURE_H
#define VANTREL_TESTS_INPUT_JOYSTICK_FIXTURE_H

#include <vantrel/joystick.h>

#include "input/joystick_state.h"
#include <vantrel/seam/game_port.h>
#include "platform/backends/headless/scripted_game_port.h"

#include <gtest/gtest.h>

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vtl::joystickState() = vtl::JoystickState();
        previous_ = vtl::setGamePortSource(&port);
    }
    void TearDown() override { vtl::setGamePortSource(previous_); }

    // Sets a stick's calibration directly: centre, extremes and thresholds.
    static void calibrate(int stick, int32_t centre, int32_t minimum, int32_t maximum, int32_t deadZone)
    {
        vtl::JoystickCalibration& c = vtl::joystickState().calibration[stick];
        c.centreX = c.centreY = centre;
        c.minX = c.minY = minimum;
        c.maxX = c.maxY = maximum;
        c.left = c.up = centre - deadZone;
        c.right = c.down = centre + deadZone;
    }

    static DWORD poll()
    {
        DWORD state = 0xDEADBEEF;
        ReadJoystick1(&state, nullptr, nullptr);
        return state;
    }

    vtl::ScriptedGamePort port;

private:
    vtl::GamePortSource* previous_ = nullptr;
};

#endif
