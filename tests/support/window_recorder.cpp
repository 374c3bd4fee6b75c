#include "support/window_recorder.h"

#include <unistd.h>

#include <map>

namespace {

// Which recorder's class each window belongs to, learnt from its first
// message (sent while CreateWindowExA runs inside create()).
std::map<HWND, WindowRecorder*>& owners()
{
    static std::map<HWND, WindowRecorder*> r;
    return r;
}

thread_local WindowRecorder* tCreating = nullptr;

} // namespace

bool registerTestClass(const char* name, WNDPROC proc)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0;
}

WindowRecorder::WindowRecorder(UINT classStyle)
{
    static int counter = 0;
    className_ = "VantrelTest" + std::to_string(::getpid()) + "_" + std::to_string(++counter);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className_.c_str();
    RegisterClassExA(&wc);
}

WindowRecorder::~WindowRecorder()
{
    for (auto it = owners().begin(); it != owners().end();)
        it = it->second == this ? owners().erase(it) : std::next(it);
    UnregisterClassA(className_.c_str(), GetModuleHandleA(nullptr));
}

HWND WindowRecorder::create(DWORD style, int x, int y, int width, int height, HWND parent, int id)
{
    tCreating = this;
    HWND hwnd = CreateWindowExA(0, className_.c_str(), className_.c_str(), style, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), GetModuleHandleA(nullptr),
                                nullptr);
    tCreating = nullptr;
    return hwnd;
}

std::vector<RecordedMessage> WindowRecorder::only(UINT message) const
{
    std::vector<RecordedMessage> out;
    for (const RecordedMessage& m : messages) {
        if (m.message == message)
            out.push_back(m);
    }
    return out;
}

std::vector<RecordedMessage> WindowRecorder::only(UINT message, HWND hwnd) const
{
    std::vector<RecordedMessage> out;
    for (const RecordedMessage& m : messages) {
        if (m.message == message && m.hwnd == hwnd)
            out.push_back(m);
    }
    return out;
}

void WindowRecorder::drain()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK WindowRecorder::proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = owners().find(hwnd);
    WindowRecorder* r = it != owners().end() ? it->second : tCreating;
    if (r && it == owners().end())
        owners()[hwnd] = r;
    if (!r)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    r->messages.push_back(RecordedMessage{hwnd, message, wParam, lParam});
    LRESULT result = 0;
    if (r->handler && r->handler(hwnd, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
