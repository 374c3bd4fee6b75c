// A program with WinMain and no main: prints the command line it was given,
// and returns 7 when asked to, to show that main returns WinMain's result.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    const bool right = hInstance && hInstance == GetModuleHandleA(NULL) && !hPrevInstance && nCmdShow == SW_SHOWNORMAL;
    std::printf("[%s] %s\n", lpCmdLine, right ? "ok" : "wrong arguments");
    if (std::strcmp(lpCmdLine, "exit 7") == 0)
        return 7;
    return right ? 0 : 1;
}
