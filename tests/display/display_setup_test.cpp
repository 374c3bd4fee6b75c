// The driver list and the smaller set-up operations.
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>

#include "display/driver_list.h"
#include "platform/ddraw/ddraw_testing.h"
#include "support/display_fixture.h"
#include "support/message_capture.h"

#include <cstring>
#include <string>

namespace {

namespace ddraw = vtl::testing::ddraw;
using ddraw::Op;

class DriverListTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        vtl::resetDriverList();
    }
    void TearDown() override
    {
        vtl::resetDriverList();
        DisplayTest::TearDown();
    }
};

TEST_F(DriverListTest, EnumeratesOnceAndEndsWithTheEmulationDriver)
{
    ddraw::record();
    EnumDrivers();
    EnumDrivers();
    EXPECT_EQ(ddraw::countCalls(Op::Enumerate), 1u);
    const vtl::DriverList& list = vtl::driverList();
    ASSERT_EQ(list.count, 2);
    EXPECT_EQ(list.records[0].guidPointer, nullptr);
    EXPECT_EQ(list.records[1].guidPointer, DDCREATE_EMULATIONONLY);
    EXPECT_STREQ(list.records[1].description, "Hardware Emulation Layer");
    EXPECT_STREQ(list.records[1].name, "Software");
}

TEST_F(DriverListTest, KeepsFifteenDriversAndDropsTheRestWithTheEmulationDriver)
{
    ddraw::setExtraDrivers(16);
    EnumDrivers();
    const vtl::DriverList& list = vtl::driverList();
    ASSERT_EQ(list.count, 15);
    EXPECT_STREQ(list.records[14].name, "test14");
    // Copied GUIDs point at the record's own copy, which DDEnable hands on.
    EXPECT_EQ(list.records[3].guidPointer, &list.records[3].guid);
    EXPECT_EQ(vtl::driverGuid(3), &list.records[3].guid);
    EXPECT_EQ(vtl::driverGuid(15), nullptr);
}

TEST_F(DriverListTest, TheHandleStartsOnTheDriverItsIndexNames)
{
    ddraw::setExtraDrivers(2);
    VTLHND handle;
    handle.gfxSetup(window, 320, 240, 16);
    handle.Override();
    handle.driverIndex = 2; // the second test driver
    EXPECT_EQ(handle.gfxBegin(), 1);
    handle.gfxEnd();
    ddraw::setExtraDrivers(0); // that driver is gone now
    MessageCapture capture;
    EXPECT_EQ(handle.gfxBegin(), -1);
    EXPECT_EQ(capture.messages().front(), "DirectDrawCreate failed err=-2147024809\r\n");
}

TEST_F(DisplayTest, DisableWithOnlyTheDisplayObjectRestoresTheModeThenReleasesIt)
{
    VTLHND handle;
    handle.isFullscreen = true;
    ASSERT_EQ(DirectDrawCreate(nullptr, &handle.directDraw, nullptr), DD_OK);
    ddraw::record();
    handle.DDDisable(true);
    EXPECT_EQ(handle.directDraw, nullptr);
    ASSERT_EQ(ddraw::calls().size(), 1u);
    EXPECT_EQ(ddraw::calls()[0].op, Op::RestoreDisplayMode);
}

TEST_F(DisplayTest, CreateSurfaceReportsTheLowBitsOfTheFailure)
{
    VTLHND handle;
    MessageCapture capture;
    EXPECT_EQ(handle.DDCreateSurface(8, 8, true), nullptr);
    ASSERT_EQ(DirectDrawCreate(nullptr, &handle.directDraw, nullptr), DD_OK);
    ddraw::failNext(Op::CreateSurface, DDERR_SURFACELOST);
    EXPECT_EQ(handle.DDCreateSurface(8, 8, true), nullptr);
    EXPECT_EQ(capture.messages().back(), "CreateSurface FAILED, rc = 450\r\n");
    IDirectDrawSurface* s = handle.DDCreateSurface(8, 8, true);
    ASSERT_NE(s, nullptr);
    DDSCAPS caps{};
    s->GetCaps(&caps);
    EXPECT_EQ(caps.dwCaps & (DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY),
              static_cast<DWORD>(DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY));
    s->Release();
    handle.DDDisable(true);
}

TEST_F(DisplayTest, GfxStringNeedsADisplayAndText)
{
    VTLHND handle;
    char text[] = "x";
    EXPECT_FALSE(handle.gfxString(text, nullptr, 0, 0, 0, 0));
    handle.gfxSetup(window, 64, 32, 16);
    handle.Override();
    ASSERT_EQ(handle.gfxBegin(), 1);
    MessageCapture capture;
    EXPECT_FALSE(handle.gfxString(nullptr, nullptr, 0, 0, 0, 0));
    ddraw::failNext(Op::GetDC, DDERR_SURFACELOST);
    EXPECT_FALSE(handle.gfxString(text, nullptr, 0, 0, 0, 0));
    EXPECT_TRUE(handle.gfxString(text, nullptr, 0, 0, 0, 0));
    ddraw::failNext(Op::ReleaseDC, DDERR_GENERIC);
    EXPECT_FALSE(handle.gfxString(text, nullptr, 0, 0, 0, 0));
    EXPECT_EQ(capture.text(),
              "Surface::string() - Null message.\r\ngfxString() - GetDC().\r\ngfxString() - ReleaseDC().\r\n");
}

} // namespace
