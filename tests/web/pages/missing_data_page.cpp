// A game whose data did not come with its page.  Like a game of the era it
// opens its window, lets it show, then opens its archive, which is not
// there: the library says which file it could not open, the game says what
// the player should do and ends with an error code.  The page must show
// both, after the program has waited once (so its end comes in one of the
// browser's turns, not as main's first return).
#include <vantrel.h>

#include <cstdio>

namespace {

LRESULT CALLBACK gameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main()
{
    DXWindow window(GetModuleHandleA(nullptr), "VantrelMissingDataPage", "Vantrel missing data page");
    if (window.doReg(gameProc, 0, 0, 0) && window.createWindow(320, 240))
        window.show(SW_SHOWNORMAL);
    Sleep(50);
    VTLHND gfx;
    if (!gfx.FastFileInit("Data\\Game.vtl")) {
        std::fprintf(stderr, "missing data page: Data\\Game.vtl is missing; install the game again\n");
        return 2;
    }
    gfx.FastFileFini();
    std::printf("missing data page: the archive opened\n");
    return 0;
}
