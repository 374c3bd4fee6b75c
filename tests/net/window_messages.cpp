#include "window_messages.h"

#include <chrono>
#include <thread>

namespace {

const char* const kClassName = "VantrelNetTestWindow";

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

MessageWindow::MessageWindow()
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassExA(&wc); // fails harmlessly when already registered
    hwnd_ = CreateWindowExA(0, kClassName, "net test", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                            wc.hInstance, nullptr);
}

MessageWindow::~MessageWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

bool MessageWindow::waitFor(UINT message, MSG* out)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        MSG m;
        while (PeekMessageA(&m, hwnd_, 0, 0, PM_REMOVE)) {
            if (m.message == message) {
                if (out)
                    *out = m;
                return true;
            }
            DispatchMessageA(&m);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

int MessageWindow::drain(UINT message)
{
    int count = 0;
    MSG m;
    while (PeekMessageA(&m, hwnd_, 0, 0, PM_REMOVE)) {
        if (m.message == message)
            ++count;
        else
            DispatchMessageA(&m);
    }
    return count;
}
