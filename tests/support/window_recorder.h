// Records the messages window procedures receive, for tests of the window
// system.  Each test gets its own class name, so that tests (and test
// programs running side by side) never share classes or windows.
#ifndef VANTREL_TESTS_WINDOW_RECORDER_H
#define VANTREL_TESTS_WINDOW_RECORDER_H

#include <vantrel/win32/window.h>

#include <functional>
#include <string>
#include <vector>

struct RecordedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Registers a plain class of this module with `proc`; true on success.
bool registerTestClass(const char* name, WNDPROC proc);

class WindowRecorder {
public:
    // Registers a class (with `classStyle`) whose procedure records every
    // message, runs `handler` if set (a nonzero `handled` result replaces
    // DefWindowProcA's), and otherwise passes on to DefWindowProcA.
    explicit WindowRecorder(UINT classStyle = 0);
    ~WindowRecorder();
    WindowRecorder(const WindowRecorder&) = delete;
    WindowRecorder& operator=(const WindowRecorder&) = delete;

    const char* className() const { return className_.c_str(); }
    HWND create(DWORD style, int x, int y, int width, int height, HWND parent = nullptr, int id = 0);

    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> handler;

    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> only(UINT message) const;
    std::vector<RecordedMessage> only(UINT message, HWND hwnd) const;
    void clear() { messages.clear(); }

    // Reads and dispatches what is queued now (no waiting).
    static void drain();

private:
    static LRESULT CALLBACK proc(HWND, UINT, WPARAM, LPARAM);
    std::string className_;
};

#endif
