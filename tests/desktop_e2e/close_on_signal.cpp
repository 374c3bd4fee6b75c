// A game in its message loop, for the signal tests: it says on standard
// output when its window procedure gets WM_CLOSE, and with --ignore-close
// keeps its window open (as a game asking "really quit?" would).  It also
// opens the sound device, so that a run on a machine without one shows what
// reaches standard error.
#include <vantrel.h>

#include <cstdio>
#include <cstring>

// Under LeakSanitizer: the system's D-Bus library, which SDL's video start-up
// loads, keeps a buffer for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:*libdbus-1.so*\n"; }

namespace {

bool gIgnoreClose = false;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        std::printf("WM_CLOSE\n");
        std::fflush(stdout);
        if (gIgnoreClose)
            return 0;
        break;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        gIgnoreClose = gIgnoreClose || std::strcmp(argv[i], "--ignore-close") == 0;
    DXWindow window(GetModuleHandleA(nullptr), "VantrelCloseOnSignal", "close on signal");
    if (!window.doReg(procedure, 0, 0, 0) || !window.createWindow(200, 150))
        return 1;
    window.show(SW_SHOW);
    LPDIRECTSOUND sound = nullptr;
    if (DirectSoundCreate(nullptr, &sound, nullptr) == DS_OK)
        sound->Release();
    std::printf("ready\n");
    std::fflush(stdout);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0)
        DispatchMessageA(&m);
    std::printf("exiting\n");
    return static_cast<int>(m.wParam);
}
