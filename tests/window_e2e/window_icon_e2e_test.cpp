// A window's icon on a real desktop: the icon of the program's resources
// that its class names is the one X's window manager hints carry.
#include <vantrel/dxwindow.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "support/x_desktop.h"
#include "../win32/resources/resource_ids.h"

namespace {

void pump()
{
    MSG msg;
    for (int i = 0; i < 50; ++i) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        usleep(5000);
    }
}

} // namespace

TEST(RealWindowIcon, TheClassIconFromTheResourcesShowsOnTheDesktop)
{
    const std::string why = whyNoRealDesktop();
    if (!why.empty())
        GTEST_SKIP() << why;
    const std::string title = "VantrelIcon" + std::to_string(::getpid());
    DXWindow game(GetModuleHandleA(nullptr), title.c_str(), title.c_str());
    ASSERT_TRUE(game.doReg(DefWindowProcA, 0, IDI_GAME, 0));
    ASSERT_TRUE(game.createWindow(160, 120));
    ASSERT_TRUE(game.show(SW_SHOWNORMAL));
    pump();
    const std::string xid = xWindowTitled(title);
    ASSERT_FALSE(xid.empty());
    // The 32-pixel image of the two: its width, its height, then its top
    // left pixel as ARGB, the red mark drawn there.
    const std::string hint = runCommand("xprop -id " + xid + " -f _NET_WM_ICON 32c ' $0 $1 $2 $3' _NET_WM_ICON");
    EXPECT_EQ(hint, "_NET_WM_ICON(CARDINAL) 32 32 4294901760 4278241280"); // red, then the icon's green
}
