// Dialogs from templates on Windows' own dialog manager: the configuration
// dialog's template shows with its logo, and a scripted answer given through
// the idle step ends it.
#include "display/config_dialog.h"
#include <vantrel/seam/dialog_manager.h>

#include <windows.h>

#include <gtest/gtest.h>

namespace {

struct Seen {
    bool logoAtInit = false;
    bool listsAtInit = false;
    int idleCalls = 0;
    bool quit = false;
};
Seen gSeen;

INT_PTR CALLBACK closeOnOk(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        gSeen.logoAtInit = SendDlgItemMessageA(dialog, IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        char className[32] = {};
        GetClassNameA(GetDlgItem(dialog, IDC_DRIVERS), className, sizeof className);
        gSeen.listsAtInit = lstrcmpiA(className, "ComboBox") == 0;
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 42);
        return TRUE;
    }
    return FALSE;
}

bool clickOk(HWND dialog, void*)
{
    if (++gSeen.idleCalls == 3)
        PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return gSeen.idleCalls == 3;
}

bool quitOnce(HWND, void*)
{
    if (gSeen.quit)
        return false;
    gSeen.quit = true;
    PostQuitMessage(7);
    return true;
}

TEST(WindowsDialogs, ConfigurationTemplateShowsAndTheIdleStepAnswersIt)
{
    gSeen = Seen{};
    const INT_PTR result =
        vtl::dialogBoxIndirectParam(vtl::configurationTemplate(), nullptr, closeOnOk, 0, clickOk, nullptr);
    EXPECT_EQ(result, 42);
    EXPECT_TRUE(gSeen.logoAtInit) << "the bitmap is set before the procedure sees WM_INITDIALOG";
    EXPECT_TRUE(gSeen.listsAtInit);
    EXPECT_GE(gSeen.idleCalls, 3);
}

TEST(WindowsDialogs, QuitEndsTheLoopWithoutAnAnswerAndIsPostedAgain)
{
    gSeen = Seen{};
    EXPECT_EQ(vtl::dialogBoxIndirectParam(vtl::configurationTemplate(), nullptr, closeOnOk, 0, quitOnce, nullptr),
              -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(WindowsDialogs, ModelessDialogShowsAndItemsHaveRectangles)
{
    HWND dialog = CreateDialogIndirectParamA(nullptr, &vtl::configurationTemplate(), nullptr, closeOnOk, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    const RECT ok = vtl::dialogItemRect(dialog, IDOK);
    EXPECT_GT(ok.right - ok.left, 0);
    EXPECT_GT(ok.bottom - ok.top, 0);
    const RECT none = vtl::dialogItemRect(dialog, 4242);
    EXPECT_EQ(none.right - none.left, 0);
    DestroyWindow(dialog);
}

} // namespace
