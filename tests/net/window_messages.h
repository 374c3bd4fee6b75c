// A window whose procedure records every message, and a bounded wait for a
// message to arrive in its queue.
#ifndef VANTREL_TESTS_NET_WINDOW_MESSAGES_H
#define VANTREL_TESTS_NET_WINDOW_MESSAGES_H

#include <vantrel/win32/window.h>

#include <vector>

class MessageWindow {
public:
    MessageWindow();
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    // Pumps the queue until `message` arrives (true, and it is copied to
    // `*out`) or a generous bound of several seconds passes (false).  Other
    // messages are dispatched on the way.
    bool waitFor(UINT message, MSG* out);
    // Dispatches everything already queued; returns how many of `message`
    // there were.
    int drain(UINT message);

private:
    HWND hwnd_ = nullptr;
};

#endif
