// Polling: percentages, directions in every mode, buttons and time-outs.
#include "joystick_fixture.h"

#include <type_traits>

namespace {

class ReadTest : public JoystickTest {
protected:
    // Both sticks read, each centred at 500 with extremes 100 and 900 and
    // directions from 400 and 600.
    static void bothSticksPresent()
    {
        calibrate(0, 500, 100, 900, 100);
        calibrate(1, 500, 100, 900, 100);
        vtl::joystickState().present[0] = vtl::joystickState().present[1] = 1;
    }
};

TEST_F(ReadTest, PercentagesFollowTheCalibratedTravelOnEachSide)
{
    calibrate(0, 500, 100, 900, 50);
    vtl::joystickState().present[0] = 1;
    struct Case {
        uint32_t count;
        LONG percent;
    } cases[] = {{300, -50}, {700, 50}, {500, 0}, {100, -100}, {900, 100}, {499, 0}, {1300, 200}, {24, -119}};
    for (const Case& c : cases) {
        port.plug(0, c.count, c.count);
        LONG x = 1234, y = 1234;
        ReadJoystick1(nullptr, &x, &y);
        EXPECT_EQ(x, c.percent) << c.count;
        EXPECT_EQ(y, c.percent) << c.count;
    }
}

TEST_F(ReadTest, PercentagesAreZeroWhileAnExtremeIsWithinFiveOfTheCentre)
{
    calibrate(0, 500, 100, 900, 50);
    vtl::joystickState().calibration[0].minX = 495; // not below centre - 5
    vtl::joystickState().present[0] = 1;
    port.plug(0, 497, 300);
    LONG x = 1, y = 1;
    ReadJoystick1(nullptr, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);

    vtl::joystickState().calibration[0].minX = 494;
    ReadJoystick1(nullptr, &x, &y);
    EXPECT_EQ(x, -50); // (497 - 500) * 100 / (500 - 494)
    EXPECT_EQ(y, -50);
}

TEST_F(ReadTest, StickTwoIsReportedFromTheLastPollAsUnsignedWords)
{
    calibrate(1, 500, 100, 900, 50);
    vtl::joystickState().present[1] = 1;
    port.plug(1, 300, 900);
    port.press(1, 0, true);
    ReadJoystick1(nullptr, nullptr, nullptr);
    const unsigned readsBefore = port.reads();

    DWORD state = 0, x = 0, y = 0;
    ReadJoystick2(&state, &x, &y);
    EXPECT_EQ(port.reads(), readsBefore) << "ReadJoystick2 must not read the port";
    EXPECT_EQ(state, DWORD{VTL_JOY_BUTTON1 | VTL_JOY_LEFT | VTL_JOY_DOWN});
    EXPECT_EQ(static_cast<LONG>(x), -50);
    EXPECT_EQ(static_cast<LONG>(y), 100);
    ReadJoystick2(nullptr, nullptr, nullptr); // null outputs are allowed
}

TEST_F(ReadTest, DirectionsStartFiveCountsBeyondEachThreshold)
{
    calibrate(0, 500, 100, 900, 100); // thresholds 400 and 600
    vtl::joystickState().present[0] = 1;
    struct Case {
        uint32_t x, y;
        DWORD state;
    } cases[] = {
        {395, 500, 0},           {394, 500, VTL_JOY_LEFT},
        {605, 500, 0},           {606, 500, VTL_JOY_RIGHT},
        {500, 394, VTL_JOY_UP},  {500, 606, VTL_JOY_DOWN},
        {100, 100, VTL_JOY_LEFT | VTL_JOY_UP}, {900, 900, VTL_JOY_RIGHT | VTL_JOY_DOWN},
    };
    for (const Case& c : cases) {
        port.plug(0, c.x, c.y);
        EXPECT_EQ(poll(), c.state) << c.x << "," << c.y;
    }
}

TEST_F(ReadTest, ModeZeroKeepsEachStickToItsOwnButtons)
{
    bothSticksPresent();
    port.plug(0, 100, 500);
    port.plug(1, 900, 900);
    port.press(0, 0, true);
    port.press(1, 1, true);
    EXPECT_EQ(poll(), DWORD{VTL_JOY_LEFT | VTL_JOY_BUTTON1});
    DWORD second = 0;
    ReadJoystick2(&second, nullptr, nullptr);
    EXPECT_EQ(second, DWORD{VTL_JOY_RIGHT | VTL_JOY_DOWN | VTL_JOY_BUTTON2});
}

TEST_F(ReadTest, ModeOneGivesEveryStickAllFourButtons)
{
    vtl::joystickState().mode = 1;
    bothSticksPresent();
    port.plug(0, 500, 500);
    port.plug(1, 500, 500);
    port.press(0, 0, true); // port bit 0x10 clear
    EXPECT_EQ(poll(), DWORD{VTL_JOY_BUTTON1});
    DWORD second = 0;
    ReadJoystick2(&second, nullptr, nullptr);
    EXPECT_EQ(second, DWORD{VTL_JOY_OTHER_BUTTON1});

    port.press(0, 0, false);
    port.press(1, 1, true);
    EXPECT_EQ(poll(), DWORD{VTL_JOY_OTHER_BUTTON2});
    ReadJoystick2(&second, nullptr, nullptr);
    EXPECT_EQ(second, DWORD{VTL_JOY_BUTTON2});
}

TEST_F(ReadTest, ModeTwoFoldsTheSecondAxisPairIntoTwoBits)
{
    vtl::joystickState().mode = 2;
    bothSticksPresent();
    struct Case {
        uint32_t x2, y2;
        DWORD extra;
    } cases[] = {{500, 500, 0},     {100, 500, 0x100}, {900, 500, 0x100},
                 {500, 100, 0x200}, {500, 900, 0x200}, {100, 900, 0x300}};
    port.plug(0, 900, 500);
    port.press(1, 0, true);
    for (const Case& c : cases) {
        port.plug(1, c.x2, c.y2);
        EXPECT_EQ(poll(), VTL_JOY_RIGHT | VTL_JOY_OTHER_BUTTON1 | c.extra) << c.x2 << "," << c.y2;
        DWORD second = 1;
        ReadJoystick2(&second, nullptr, nullptr);
        EXPECT_EQ(second, 0u) << "only stick 1's word is filled";
    }
}

TEST_F(ReadTest, ModeThreeReportsEachDirectionOfTheSecondPair)
{
    vtl::joystickState().mode = 3;
    bothSticksPresent();
    port.plug(0, 500, 500);
    struct Case {
        uint32_t x2, y2;
        DWORD extra;
    } cases[] = {{100, 500, 0x100}, {500, 100, 0x200}, {900, 500, 0x400},
                 {500, 900, 0x800}, {100, 100, 0x300}, {900, 900, 0xC00}};
    for (const Case& c : cases) {
        port.plug(1, c.x2, c.y2);
        EXPECT_EQ(poll(), c.extra) << c.x2 << "," << c.y2;
    }
}

TEST_F(ReadTest, AnUnpluggedStickTimesOutAndReadsAsItsCentre)
{
    calibrate(0, 500, 100, 900, 100);
    calibrate(1, 520, 100, 900, 100);
    vtl::JoystickState& s = vtl::joystickState();
    s.present[0] = s.present[1] = 1;
    port.plug(0, 100, 100);
    port.unplug(1);
    EXPECT_EQ(poll(), DWORD{VTL_JOY_LEFT | VTL_JOY_UP});
    EXPECT_EQ(s.present[1], 0);
    EXPECT_EQ(s.x[1], 520);
    EXPECT_EQ(s.y[1], 520);
    DWORD second = 1;
    ReadJoystick2(&second, nullptr, nullptr);
    EXPECT_EQ(second, 0u);

    // Plugging it back does not bring it back until it is marked again.
    port.plug(1, 100, 100);
    poll();
    EXPECT_EQ(s.present[1], 0);
    EXPECT_EQ(s.x[1], 520);
}

TEST_F(ReadTest, TheTimeOutFallsOnTheEightThousandthRead)
{
    vtl::JoystickState& s = vtl::joystickState();
    s.present[0] = 1;
    port.plug(0, 7999, 300);
    poll();
    EXPECT_EQ(s.present[0], 1);
    EXPECT_EQ(s.x[0], 7999);
    EXPECT_EQ(s.y[0], 300);

    // One axis that never ends is enough to lose the stick.
    port.plug(0, 8000, 300);
    poll();
    EXPECT_EQ(s.present[0], 0);
}

TEST_F(ReadTest, NothingIsReadBeforeAStickIsMarkedPresent)
{
    calibrate(0, 555, 100, 900, 100);
    port.plug(0, 100, 100);
    port.press(0, 0, true);
    EXPECT_EQ(poll(), 0u);
    EXPECT_EQ(vtl::joystickState().x[0], 555);
}

TEST_F(ReadTest, CalibrationFollowsThePlayersMovements)
{
    port.plug(0, 574, 580);
    CalibCenter(0);
    DWORD cx = 0, cy = 0, minX = 0, minY = 0, maxX = 0, maxY = 0;
    GetCenter(0, &cx, &cy);
    EXPECT_EQ(cx, 574u);
    EXPECT_EQ(cy, 580u);
    GetMaxMin(0, &minX, &minY, &maxX, &maxY);
    EXPECT_EQ(minX, 32000u);
    EXPECT_EQ(maxX, 1u);

    // The player sweeps the stick round; resting at the centre changes
    // nothing, each extreme is kept.  (The first position off the centre
    // lands in the maximum, whichever side it is on: the sweep corrects it.)
    const uint32_t path[][2] = {{574, 580}, {500, 500}, {24, 500}, {1124, 500},
                                {574, 30},  {574, 1100}, {300, 300}};
    for (const auto& p : path) {
        port.plug(0, p[0], p[1]);
        CalibAdjust(0);
    }
    GetMaxMin(0, &minX, &minY, &maxX, &maxY);
    EXPECT_EQ(minX, 24u);
    EXPECT_EQ(maxX, 1124u);
    EXPECT_EQ(minY, 30u);
    EXPECT_EQ(maxY, 1100u);
    GetMaxMin(0, nullptr, nullptr, nullptr, nullptr);
    GetCenter(0, nullptr, nullptr);

    // Once calibrated the stick reads directions past a quarter of its travel
    // and percentages of it.
    port.plug(0, 574 - 150, 580);
    LONG x = 0, y = 0;
    DWORD state = 0;
    ReadJoystick1(&state, &x, &y);
    EXPECT_EQ(state, DWORD{VTL_JOY_LEFT});
    EXPECT_EQ(x, -150 * 100 / 550);
    EXPECT_EQ(y, 0);
    port.plug(0, 574 - 100, 580);
    ReadJoystick1(&state, nullptr, nullptr);
    EXPECT_EQ(state, 0u);
}

// Games written for Windows pass unsigned long for DWORD and long for LONG
// (one type each there); the 32-bit result lands whole in either, zero- or
// sign-extended, and nothing else converts.
static_assert(!std::is_convertible<long long*, VTLLongOut>::value, "a wider type of another name");
static_assert(!std::is_convertible<long*, VTLDwordOut>::value, "signed into unsigned");
static_assert(!std::is_convertible<unsigned long*, VTLLongOut>::value, "unsigned into signed");
static_assert(!std::is_convertible<const DWORD*, VTLDwordOut>::value, "read-only");

TEST_F(ReadTest, ResultsLandInEitherSpellingOfTheirTypes)
{
    bothSticksPresent();
    port.plug(0, 300, 700);
    port.plug(1, 700, 300);

    unsigned long state = ~0ul;
    long x = 0x7777777777, y = 0x7777777777;
    ReadJoystick1(&state, &x, &y);
    EXPECT_EQ(state, static_cast<unsigned long>(VTL_JOY_LEFT | VTL_JOY_DOWN));
    EXPECT_EQ(x, -50);
    EXPECT_EQ(y, 50);
    DWORD narrowState = 0;
    x = 0;
    ReadJoystick1(&narrowState, &x, NULL); // mixed, and null in either form
    ReadJoystick1(nullptr, 0, &y);
    EXPECT_EQ(narrowState, DWORD{VTL_JOY_LEFT | VTL_JOY_DOWN});
    EXPECT_EQ(x, -50);

    // Stick 2's signed percentages come as unsigned 32-bit words.
    unsigned long wideX = 0, wideY = 0;
    ReadJoystick2(nullptr, &wideX, &wideY);
    EXPECT_EQ(wideX, 50u);
    EXPECT_EQ(wideY, 0xFFFFFFCEul); // -50 in 32 bits
    EXPECT_EQ(static_cast<LONG>(wideY), -50);

    unsigned long cx = ~0ul, minX = ~0ul, maxY = ~0ul;
    DWORD cy = 0, minY = 0;
    GetCenter(0, &cx, &cy);
    GetMaxMin(1, &minX, &minY, nullptr, &maxY);
    EXPECT_EQ(cx, 500ul);
    EXPECT_EQ(cy, 500u);
    EXPECT_EQ(minX, 100ul);
    EXPECT_EQ(minY, 100u);
    EXPECT_EQ(maxY, 900ul);
    cx = 99;
    GetCenter(2, &cx, nullptr); // no such stick: nothing is written
    EXPECT_EQ(cx, 99ul);
}

TEST_F(ReadTest, StickNumbersBeyondTwoAreIgnored)
{
    CalibCenter(2);
    CalibAdjust(7);
    DWORD v = 99;
    GetCenter(2, &v, &v);
    GetMaxMin(200, &v, &v, &v, &v);
    EXPECT_EQ(v, 99u);
    EXPECT_EQ(port.reads(), 0u);
}

} // namespace
