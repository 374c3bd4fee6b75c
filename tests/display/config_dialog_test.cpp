// The configuration dialog on the headless backend: its procedure driven by
// the messages a player's actions produce, the result it writes, and
// gfxBegin answering it through VANTREL_CONFIG.
#include <vantrel/bitplanefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/window.h>

#include "display/config_dialog.h"
#include "display/configuration.h"
#include "display/driver_list.h"
#include "surface/effects_switch.h"
#include "platform/ddraw/ddraw_testing.h"
#include "platform/user/input_events.h"
#include "platform/user/dialog_controls.h"
#include <vantrel/seam/dialog_manager.h>
#include <vantrel/seam/window_backend.h>
#include "support/dialog_helpers.h"
#include "support/display_fixture.h"
#include "support/message_capture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace ddraw = vtl::testing::ddraw;
using ddraw::Op;

class ConfigDialogTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        vtl::resetDriverList();
        vtl::setEffectsEnabled(true);
        unsetenv("VANTREL_CONFIG");
        handle.gfxSetup(window, 640, 480, 16);
        vtl::configurationResult().handle = &handle;
    }
    void TearDown() override
    {
        if (dialog && IsWindow(dialog))
            DestroyWindow(dialog);
        handle.gfxEnd();
        unsetenv("VANTREL_CONFIG");
        DisplayTest::TearDown();
    }

    HWND open()
    {
        dialog = vtl::createDialogParam(IDD_CONFIGURATION, nullptr, ConfigurationDialogProc, 0);
        return dialog;
    }
    HWND item(int id) const { return GetDlgItem(dialog, id); }
    LRESULT send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(item(id), message, wParam, lParam);
    }
    bool checked(int id) const { return send(id, BM_GETCHECK) == BST_CHECKED; }
    bool visible(int id) const { return IsWindowVisible(item(id)) != FALSE; }
    bool enabled(int id) const { return !(GetWindowLongA(item(id), GWL_STYLE) & WS_DISABLED); }
    void command(int id, WORD code = BN_CLICKED) const
    {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item(id)));
    }
    std::vector<std::string> entries(int id) const
    {
        std::vector<std::string> out;
        for (LRESULT i = 0; i < send(id, CB_GETCOUNT); ++i) {
            char text[300] = "";
            send(id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.emplace_back(text);
        }
        return out;
    }
    std::string text(int id) const
    {
        char buffer[200] = "";
        GetWindowTextA(item(id), buffer, sizeof buffer);
        return buffer;
    }
    // Lets the dialog handle what it posted to itself (OK and Cancel post
    // WM_DESTROY); true when it ended.
    INT_PTR finish() { return vtl::runModalDialog(dialog); }

    VTLHND handle;
    HWND dialog = nullptr;
};

const std::vector<std::string> kDepths640 = {
    "640x480x8 Fullscreen (Low Quality)",
    "640x480x16 Fullscreen (Recommended)",
    "640x480x24 Fullscreen (CPU Intensive)",
    "640x480x32 Fullscreen (Faster than 24bit color)",
};

TEST_F(ConfigDialogTest, StartsWithTheDefaultChoices)
{
    ASSERT_NE(open(), nullptr);
    char caption[40] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "Configuration");

    EXPECT_TRUE(checked(IDC_DIRECTDRAW));
    EXPECT_TRUE(checked(IDC_FULLSCREEN));
    EXPECT_FALSE(checked(IDC_WINDOWED));
    EXPECT_TRUE(checked(IDC_EFFECTS));
    EXPECT_FALSE(checked(IDC_GLIDE));
    EXPECT_FALSE(enabled(IDC_GLIDE));

    // The primary display driver, then the emulation layer.
    ASSERT_EQ(entries(IDC_DRIVERS).size(), 2u);
    EXPECT_EQ(entries(IDC_DRIVERS)[1], "Hardware Emulation Layer (Software)");
    EXPECT_EQ(send(IDC_DRIVERS, CB_GETCURSEL), 0);

    EXPECT_EQ(entries(IDC_DEPTHS), kDepths640);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(send(IDC_DEPTHS, CB_GETITEMDATA, i), 8 * (i + 1)) << i;
    EXPECT_EQ(send(IDC_DEPTHS, CB_GETCURSEL), 1);
    EXPECT_TRUE(visible(IDC_DEPTHS));

    EXPECT_FALSE(visible(IDC_WINDOW_LABEL));
    EXPECT_EQ(text(IDC_WINDOW_LABEL), " 640x480x16 Window"); // the headless desktop is 5-6-5
    EXPECT_TRUE(enabled(IDC_WINDOWED));

    EXPECT_EQ(entries(IDC_REFRESH_RATES), std::vector<std::string>{"Glide Not Implemented Yet"});
    EXPECT_EQ(send(IDC_REFRESH_RATES, CB_GETCURSEL), 0);
    EXPECT_FALSE(enabled(IDC_REFRESH_RATES));
    EXPECT_FALSE(enabled(IDC_REFRESH_GROUP));
    EXPECT_TRUE(enabled(IDC_DRIVERS));
}

bool overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool inside(const RECT& inner, const RECT& outer)
{
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Whatever font the system matched for the template's face, the laid-out
// dialog keeps every control clear of the others (the logo included, which
// is shown at its own pixel size), and every label fits its control.
TEST_F(ConfigDialogTest, NoTwoControlsOverlapAndEveryLabelFits)
{
    ASSERT_NE(open(), nullptr);
    const int controls[] = {IDC_LOGO,    IDC_HOME_PAGE,     IDC_DIRECTDRAW, IDC_DRIVERS,       IDC_DEPTHS,
                            IDC_WINDOW_LABEL, IDC_FULLSCREEN, IDC_WINDOWED, IDC_EFFECTS,       IDC_GLIDE,
                            IDC_REFRESH_RATES, IDOK,          IDCANCEL};
    RECT client{};
    GetClientRect(dialog, &client);
    for (int a : controls) {
        const RECT ra = vtl::dialogItemRect(dialog, a);
        ASSERT_LT(ra.left, ra.right) << a;
        EXPECT_TRUE(inside(ra, client)) << a;
        for (int b : controls) {
            // The depth list and the window label take turns in one place.
            const bool turns = (a == IDC_DEPTHS && b == IDC_WINDOW_LABEL) || (a == IDC_WINDOW_LABEL && b == IDC_DEPTHS);
            if (a < b && !turns) {
                EXPECT_FALSE(overlap(ra, vtl::dialogItemRect(dialog, b))) << a << " and " << b;
            }
        }
    }
    // The group boxes hold their own controls and touch nothing else.
    const RECT driverGroup = vtl::dialogItemRect(dialog, IDC_DRIVER_GROUP);
    const RECT refreshGroup = vtl::dialogItemRect(dialog, IDC_REFRESH_GROUP);
    EXPECT_FALSE(overlap(driverGroup, refreshGroup));
    for (int id : controls) {
        const RECT r = vtl::dialogItemRect(dialog, id);
        const bool inDriver = id == IDC_DRIVERS || id == IDC_DEPTHS || id == IDC_WINDOW_LABEL ||
                              id == IDC_FULLSCREEN || id == IDC_WINDOWED || id == IDC_EFFECTS;
        const bool inRefresh = id == IDC_REFRESH_RATES;
        EXPECT_EQ(inside(r, driverGroup), inDriver) << id;
        EXPECT_EQ(overlap(r, driverGroup), inDriver) << id;
        EXPECT_EQ(inside(r, refreshGroup), inRefresh) << id;
        EXPECT_EQ(overlap(r, refreshGroup), inRefresh) << id;
    }

    // The labels, measured in the dialog's font beside the check box each
    // one follows (13 pixels and a gap of 4) or inside a button's edges.
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    ASSERT_NE(font, nullptr);
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, font);
    const struct {
        int id;
        int margin;
    } labelled[] = {{IDC_DIRECTDRAW, 17}, {IDC_FULLSCREEN, 17}, {IDC_WINDOWED, 17}, {IDC_EFFECTS, 17},
                    {IDC_GLIDE, 17},      {IDC_HOME_PAGE, 6},   {IDOK, 6},          {IDCANCEL, 6}};
    for (const auto& l : labelled) {
        const std::string label = text(l.id);
        SIZE s{0, 0};
        GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &s);
        const RECT r = vtl::dialogItemRect(dialog, l.id);
        EXPECT_LE(s.cx + l.margin, r.right - r.left) << label;
    }
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
}

TEST_F(ConfigDialogTest, RadioPairsStayExclusiveAndSwitchTheirParts)
{
    ASSERT_NE(open(), nullptr);
    command(IDC_WINDOWED);
    EXPECT_TRUE(checked(IDC_WINDOWED));
    EXPECT_FALSE(checked(IDC_FULLSCREEN));
    EXPECT_FALSE(visible(IDC_DEPTHS));
    EXPECT_TRUE(visible(IDC_WINDOW_LABEL));

    command(IDC_FULLSCREEN);
    EXPECT_TRUE(checked(IDC_FULLSCREEN));
    EXPECT_FALSE(checked(IDC_WINDOWED));
    EXPECT_TRUE(visible(IDC_DEPTHS));
    EXPECT_FALSE(visible(IDC_WINDOW_LABEL));

    // Glide can not be reached by a player (its box is disabled) but the
    // procedure still switches the two parts over.
    for (bool directDraw : {false, true}) {
        command(directDraw ? IDC_DIRECTDRAW : IDC_GLIDE);
        EXPECT_EQ(checked(IDC_DIRECTDRAW), directDraw);
        EXPECT_EQ(checked(IDC_GLIDE), !directDraw);
        for (int id : {IDC_REFRESH_RATES, IDC_REFRESH_GROUP})
            EXPECT_EQ(enabled(id), !directDraw) << id;
        for (int id : {IDC_DRIVERS, IDC_DEPTHS, IDC_FULLSCREEN, IDC_WINDOWED, IDC_EFFECTS, IDC_DRIVER_GROUP})
            EXPECT_EQ(enabled(id), directDraw) << id;
    }
}

TEST_F(ConfigDialogTest, ChoosingADriverListsItsDepthsAndKeepsThemWhenItCannotStart)
{
    ddraw::setExtraDrivers(1);
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(entries(IDC_DRIVERS).size(), 3u);
    send(IDC_DEPTHS, CB_SETCURSEL, 3);

    ddraw::record();
    send(IDC_DRIVERS, CB_SETCURSEL, 1);
    command(IDC_DRIVERS, CBN_SELCHANGE);
    EXPECT_EQ(ddraw::countCalls(Op::Create), 1u);
    EXPECT_EQ(ddraw::countCalls(Op::EnumDisplayModes), 1u);
    EXPECT_EQ(entries(IDC_DEPTHS), kDepths640);
    EXPECT_EQ(send(IDC_DEPTHS, CB_GETCURSEL), 1);

    // Any other notification of the list changes nothing.
    send(IDC_DEPTHS, CB_SETCURSEL, 2);
    command(IDC_DRIVERS, 3);
    EXPECT_EQ(send(IDC_DEPTHS, CB_GETCURSEL), 2);

    // A driver that does not start leaves the depths as they were.
    ddraw::failNext(Op::Create, DDERR_GENERIC);
    send(IDC_DRIVERS, CB_SETCURSEL, 2);
    command(IDC_DRIVERS, CBN_SELCHANGE);
    EXPECT_EQ(entries(IDC_DEPTHS), kDepths640);
}

TEST_F(ConfigDialogTest, CancelAndTheCloseBoxBothCancel)
{
    for (UINT how : {UINT{WM_COMMAND}, UINT{WM_CLOSE}}) {
        ASSERT_NE(open(), nullptr);
        vtl::configurationResult().cancelled = false;
        if (how == WM_COMMAND)
            command(IDCANCEL);
        else
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(vtl::configurationResult().cancelled);
        EXPECT_TRUE(IsWindow(dialog)); // until the posted WM_DESTROY arrives
        EXPECT_EQ(finish(), 0);
        EXPECT_FALSE(IsWindow(dialog));
    }
}

TEST_F(ConfigDialogTest, DepthsAreAskedForStandardModesFirstThenForAll)
{
    ddraw::record();
    ddraw::failNext(Op::EnumDisplayModes, DDERR_GENERIC);
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(entries(IDC_DEPTHS), kDepths640);
    std::vector<DWORD> flags;
    for (const auto& call : ddraw::calls()) {
        if (call.op == Op::EnumDisplayModes)
            flags.push_back(call.flags);
    }
    EXPECT_EQ(flags, (std::vector<DWORD>{DDEDM_STANDARDVGAMODES, 0}));
}

TEST_F(ConfigDialogTest, NoDepthListedStoresTheListsErrorAndTheDisplayFails)
{
    ddraw::failAlways(Op::EnumDisplayModes, DDERR_GENERIC);
    ASSERT_NE(open(), nullptr);
    EXPECT_TRUE(entries(IDC_DEPTHS).empty());
    EXPECT_EQ(send(IDC_DEPTHS, CB_GETCURSEL), CB_ERR);
    command(IDOK);
    EXPECT_EQ(vtl::configurationResult().bitsPerPixel, static_cast<DWORD>(CB_ERR));
    EXPECT_EQ(finish(), 0);

    MessageCapture capture;
    EXPECT_EQ(handle.gfxBegin(), -1);
    EXPECT_NE(capture.text().find("DDEnable Failed"), std::string::npos);
}

TEST_F(ConfigDialogTest, DisplayChangeRelabelsTheWindowChoice)
{
    ASSERT_NE(open(), nullptr);
    useDesktop("bgr32");
    SendMessageA(dialog, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(text(IDC_WINDOW_LABEL), " 640x480x32 Window");
    useDesktop("pal8");
    vtl::broadcastDisplayChange(8, 1024, 768);
    EXPECT_EQ(text(IDC_WINDOW_LABEL), " 640x480x8 Window");
    EXPECT_TRUE(enabled(IDC_WINDOWED));
}

// ---- The player's input --------------------------------------------------

POINT centreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(ConfigDialogTest, ClicksOnCheckBoxesAndListsWorkAsAPlayerExpects)
{
    ASSERT_NE(open(), nullptr);
    const RECT windowed = vtl::dialogItemRect(dialog, IDC_WINDOWED);
    const LPARAM inside = MAKELPARAM(5, (windowed.bottom - windowed.top) / 2);
    // A press that leaves the box before the release does not click.
    send(IDC_WINDOWED, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    send(IDC_WINDOWED, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-20, -20));
    send(IDC_WINDOWED, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    EXPECT_FALSE(checked(IDC_WINDOWED));
    send(IDC_WINDOWED, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    send(IDC_WINDOWED, WM_LBUTTONUP, 0, inside);
    EXPECT_TRUE(checked(IDC_WINDOWED));
    EXPECT_FALSE(checked(IDC_FULLSCREEN));
    EXPECT_EQ(GetFocus(), item(IDC_WINDOWED));

    // Clicking the driver list opens it; clicking its second entry picks it.
    ddraw::record();
    send(IDC_DRIVERS, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    send(IDC_DRIVERS, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(send(IDC_DRIVERS, CB_GETDROPPEDSTATE));
    const RECT box = vtl::dialogItemRect(dialog, IDC_DRIVERS);
    const vtl::ControlState* s = vtl::controlState(item(IDC_DRIVERS));
    ASSERT_NE(s, nullptr);
    const int secondY = (box.bottom - box.top) + 1 + s->itemHeight + s->itemHeight / 2;
    send(IDC_DRIVERS, WM_MOUSEMOVE, 0, MAKELPARAM(5, secondY));
    EXPECT_EQ(s->hotItem, 1);
    send(IDC_DRIVERS, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, secondY));
    EXPECT_FALSE(send(IDC_DRIVERS, CB_GETDROPPEDSTATE));
    EXPECT_EQ(send(IDC_DRIVERS, CB_GETCURSEL), 1);
    EXPECT_EQ(ddraw::countCalls(Op::EnumDisplayModes), 1u); // the dialog heard CBN_SELCHANGE

    // Keys move the selection of a closed list.
    send(IDC_DEPTHS, WM_KEYDOWN, VK_END);
    EXPECT_EQ(send(IDC_DEPTHS, CB_GETCURSEL), 3);
    // Disabled lists are skipped by the window system's hit test.
    POINT p = centreOf(vtl::dialogItemRect(dialog, IDC_REFRESH_RATES));
    EXPECT_EQ(vtl::windowAt(dialog, &p), dialog);
}

// Posts keys to the dialog's controls from inside its loop, as a player's
// keyboard does.
struct KeyScript {
    std::vector<std::pair<int, WPARAM>> keys; // (control id or 0 for the focus, key)
    size_t next = 0;
};

bool pressKeys(HWND dialog, void* context)
{
    auto& script = *static_cast<KeyScript*>(context);
    if (script.next >= script.keys.size())
        return false;
    auto [id, key] = script.keys[script.next++];
    HWND target = id ? GetDlgItem(dialog, id) : GetFocus();
    PostMessageA(target ? target : dialog, WM_KEYDOWN, key, 1);
    return true;
}

TEST_F(ConfigDialogTest, TheKeyboardWalksTheControlsAndEnterAndEscapeAnswer)
{
    KeyScript enter{{{0, VK_TAB}, {0, VK_TAB}, {0, VK_TAB}, {0, VK_RETURN}}};
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(GetFocus(), item(IDOK)); // the default button has the focus at first
    // Three Tabs lead from OK to the DirectDraw check box; Enter on a check
    // box means OK.
    vtl::configurationResult().cancelled = true;
    EXPECT_EQ(vtl::runModalDialog(dialog, pressKeys, &enter), 0);
    EXPECT_FALSE(vtl::configurationResult().cancelled);

    KeyScript escape{{{IDC_DEPTHS, VK_F4}, {IDC_DEPTHS, VK_ESCAPE}, {0, VK_ESCAPE}}};
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(vtl::runModalDialog(dialog, pressKeys, &escape), 0);
    EXPECT_TRUE(vtl::configurationResult().cancelled);
    EXPECT_EQ(escape.next, 3u); // the first Escape only closed the list
}

// Records the control with the focus each time the dialog is idle and
// presses Tab, a number of times, then Escape.
struct FocusWalk {
    int tabs;
    std::vector<int> seen;
};

bool walkWithTab(HWND dialog, void* context)
{
    auto& walk = *static_cast<FocusWalk*>(context);
    if (static_cast<int>(walk.seen.size()) > walk.tabs)
        return false;
    walk.seen.push_back(GetDlgCtrlID(GetFocus()));
    const bool done = static_cast<int>(walk.seen.size()) > walk.tabs;
    PostMessageA(GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, done ? VK_ESCAPE : VK_TAB, 1);
    return true;
}

TEST_F(ConfigDialogTest, TabWalksTheEnabledVisibleControlsInOrder)
{
    ASSERT_NE(open(), nullptr);
    FocusWalk walk{9, {}};
    vtl::runModalDialog(dialog, walkWithTab, &walk);
    const std::vector<int> fullScreen = {IDOK, IDCANCEL, IDC_HOME_PAGE, IDC_DIRECTDRAW, IDC_DRIVERS,
                                         IDC_DEPTHS, IDC_FULLSCREEN, IDC_WINDOWED, IDC_EFFECTS, IDOK};
    EXPECT_EQ(walk.seen, fullScreen);

    // In a window the depth list is hidden, and so skipped.
    ASSERT_NE(open(), nullptr);
    send(IDC_WINDOWED, BM_CLICK);
    SetFocus(item(IDOK));
    FocusWalk windowed{8, {}};
    vtl::runModalDialog(dialog, walkWithTab, &windowed);
    const std::vector<int> inAWindow = {IDOK, IDCANCEL, IDC_HOME_PAGE, IDC_DIRECTDRAW, IDC_DRIVERS,
                                        IDC_FULLSCREEN, IDC_WINDOWED, IDC_EFFECTS, IDOK};
    EXPECT_EQ(windowed.seen, inAWindow);
}

TEST_F(ConfigDialogTest, TheDialogIsDrawnWithItsLogoAndControls)
{
    ASSERT_NE(open(), nullptr);
    vtl::paintDialog(dialog);
    const BITPLANEFX* canvas = vtl::dialogCanvas(dialog);
    ASSERT_NE(canvas, nullptr);
    auto& c = const_cast<BITPLANEFX&>(*canvas);
    const RECT logo = vtl::dialogItemRect(dialog, IDC_LOGO);
    EXPECT_EQ(logo.right - logo.left, 100);
    EXPECT_EQ(logo.bottom - logo.top, 75);
    // The logo is a picture: many colours, none of them the dialog's face.
    std::vector<unsigned long> colours;
    for (int y = logo.top + 2; y < logo.bottom - 2; y += 3) {
        for (int x = logo.left + 2; x < logo.right - 2; x += 3) {
            const unsigned long p = c.getPixel(x, y);
            EXPECT_NE(p, vtl::kDialogFace);
            if (std::find(colours.begin(), colours.end(), p) == colours.end())
                colours.push_back(p);
        }
    }
    EXPECT_GT(colours.size(), 20u);
    // The dialog's face between the controls, a white field in the lists and
    // the default button's black frame.
    EXPECT_EQ(c.getPixel(2, c.height - 2), vtl::kDialogFace);
    const RECT drivers = vtl::dialogItemRect(dialog, IDC_DRIVERS);
    EXPECT_EQ(c.getPixel(drivers.left + 3, drivers.top + 3), 0xFFFFFFu);
    const RECT ok = vtl::dialogItemRect(dialog, IDOK);
    EXPECT_EQ(c.getPixel(ok.left, (ok.top + ok.bottom) / 2), 0u);
    // The layout follows the font: the dialog's client area is 199 x 225
    // dialog units, so wider than a 100-pixel logo and taller than the
    // logo and the three rows of controls below it.
    EXPECT_GT(c.width, 200);
    EXPECT_GT(c.height, 300);
}

TEST_F(ConfigDialogTest, TheHomePageButtonOpensTheAddressWithTheDesktopsBrowser)
{
    char dir[] = "/tmp/vantrel-xdg-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string script = std::string(dir) + "/xdg-open", out = std::string(dir) + "/opened";
    {
        std::ofstream f(script);
        f << "#!/bin/sh\nprintf '%s' \"$1\" > " << out << ".tmp && mv " << out << ".tmp " << out << "\n";
    }
    chmod(script.c_str(), 0755);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (std::string(dir) + ":" + oldPath).c_str(), 1);
    ASSERT_NE(open(), nullptr);
    command(IDC_HOME_PAGE);
    setenv("PATH", oldPath.c_str(), 1);
    std::string opened;
    for (int i = 0; i < 500 && opened.empty(); ++i) {
        std::ifstream in(out);
        std::getline(in, opened);
        if (opened.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(opened, vtl::kHomePageAddress);
    EXPECT_EQ(text(IDC_HOME_PAGE), vtl::kHomePage);
    unlink(out.c_str());
    unlink(script.c_str());
    rmdir(dir);
}

// ---- gfxBegin and VANTREL_CONFIG -----------------------------------------

int gDialogsShown = 0;
void countDialogs(HWND, UINT message, WPARAM, LPARAM lParam, void*)
{
    if (message == WM_CREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (cs->lpszName && std::string(cs->lpszName) == "Configuration")
            ++gDialogsShown;
    }
}

TEST_F(ConfigDialogTest, ACancelledDialogStartsNothingAndIsShownAgain)
{
    gDialogsShown = 0;
    const int watch = vtl::watchWindowMessages(nullptr, countDialogs, nullptr);
    setenv("VANTREL_CONFIG", "cancel", 1);
    ddraw::record();
    EXPECT_EQ(handle.gfxBegin(), 0);
    EXPECT_FALSE(handle.configured);
    EXPECT_EQ(handle.gfxBegin(), 0);
    EXPECT_EQ(gDialogsShown, 2);
    // The dialog makes display objects of its own to list the depths; none
    // is taken for the game.
    EXPECT_EQ(ddraw::countCalls(Op::SetCooperativeLevel), 0u);
    EXPECT_EQ(handle.directDraw, nullptr);
    EXPECT_EQ(handle.primary, nullptr);

    unsetenv("VANTREL_CONFIG"); // headless: OK with the defaults
    EXPECT_EQ(handle.gfxBegin(), 1);
    EXPECT_EQ(gDialogsShown, 3);
    vtl::unwatchWindowMessages(watch);
}

TEST_F(ConfigDialogTest, ChosenValuesReachTheHandle)
{
    ddraw::setExtraDrivers(1);
    setenv("VANTREL_CONFIG", "driver=1, depth=32,effects=0", 1);
    ASSERT_EQ(handle.gfxBegin(), 1);
    EXPECT_EQ(handle.driverIndex, 1);
    EXPECT_EQ(handle.bitsPerPixel, 32);
    EXPECT_TRUE(handle.fullscreen());
    EXPECT_FALSE(handle.effectsChoice);
    EXPECT_FALSE(handle.gfxGetEffectsState());
    handle.gfxEnd();

    VTLHND second;
    second.gfxSetup(window, 640, 480, 16);
    useDesktop("rgb32");
    setenv("VANTREL_CONFIG", "driver=0,fullscreen=0,depth=8,effects=1", 1);
    ASSERT_EQ(second.gfxBegin(), 1);
    EXPECT_FALSE(second.fullscreen());
    EXPECT_EQ(second.bitsPerPixel, 32); // a window takes the desktop's depth
    EXPECT_TRUE(second.effectsChoice);
    second.gfxEnd();
}

TEST_F(ConfigDialogTest, AnAnswerTheDialogCannotFollowIsReportedAndCancels)
{
    for (const char* text : {"depth=12", "driver=7", "fullscreen=2", "bogus", "ok,window"}) {
        MessageCapture capture;
        setenv("VANTREL_CONFIG", text, 1);
        EXPECT_EQ(handle.gfxBegin(), 0) << text;
        ASSERT_EQ(capture.messages().size(), 1u) << text;
        EXPECT_NE(capture.text().find("VANTREL_CONFIG"), std::string::npos);
    }
}

} // namespace
