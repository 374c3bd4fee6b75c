// RegisterHotKey and UnregisterHotKey.  The keys reach the process only while
// one of its windows has the keyboard, so a hot key works while the game has
// the focus, not from other programs (said once through Msg).
#include "platform/user/hot_keys.h"

#include "platform/user/message_queue.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/keyboard_pointer.h>
#include <vantrel/win32/window_calls.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace vtl {
namespace {

constexpr UINT kModifierKeys = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;

struct HotKey {
    HWND hwnd; // null: the thread's own queue
    std::shared_ptr<ThreadQueue> queue;
    int id;
    UINT modifiers; // kModifierKeys bits only
    bool noRepeat;
    UINT vk;
};

std::mutex gHotKeysMutex;

std::vector<HotKey>& hotKeys()
{
    static auto* list = new std::vector<HotKey>;
    return *list;
}

// The window a call names must be the calling thread's; true for null.
bool ownWindowOrNone(HWND hwnd)
{
    if (!hwnd)
        return true;
    WindowRef w = lookupWindow(hwnd);
    if (!w) {
        setError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (!onOwnThread(*w)) {
        setError(ERROR_WINDOW_OF_OTHER_THREAD);
        return false;
    }
    return true;
}

} // namespace

bool takeHotKey(UINT vk, UINT modifiers, bool repeat)
{
    HotKey found;
    {
        std::lock_guard<std::mutex> lock(gHotKeysMutex);
        auto& list = hotKeys();
        auto it = std::find_if(list.begin(), list.end(),
                               [&](const HotKey& k) { return k.vk == vk && k.modifiers == modifiers; });
        if (it == list.end())
            return false;
        found = *it;
    }
    if (repeat && found.noRepeat)
        return true;
    MSG m{found.hwnd, WM_HOTKEY, static_cast<WPARAM>(found.id), MAKELPARAM(modifiers, vk), tickCount(), {0, 0}};
    if (found.hwnd) {
        WindowRef w = lookupWindow(found.hwnd);
        if (!w || w->destroying)
            return false;
        postTo(*w->queue, m);
    } else {
        postTo(*found.queue, m);
    }
    return true;
}

} // namespace vtl

using namespace vtl;

BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT vk)
{
    VTL_TRACE(user, "RegisterHotKey", hwnd, id, modifiers, vk);
    if (!ownWindowOrNone(hwnd))
        return vtlTraceCall_.result(FALSE);
    if (modifiers & ~(kModifierKeys | MOD_NOREPEAT)) {
        setError(ERROR_INVALID_FLAGS);
        return vtlTraceCall_.result(FALSE);
    }
    VTL_UNSUPPORTED("RegisterHotKey while another program has the keyboard", "a hot key works while the game has it");
    std::lock_guard<std::mutex> lock(gHotKeysMutex);
    auto& list = hotKeys();
    const UINT keys = modifiers & kModifierKeys;
    // A key combination is one hot key, whoever registered it (a hot key of
    // a window destroyed since is gone).
    list.erase(std::remove_if(list.begin(), list.end(), [](const HotKey& k) { return k.hwnd && !lookupWindow(k.hwnd); }),
               list.end());
    if (std::any_of(list.begin(), list.end(), [&](const HotKey& k) { return k.vk == vk && k.modifiers == keys; })) {
        setError(ERROR_HOTKEY_ALREADY_REGISTERED);
        return vtlTraceCall_.result(FALSE);
    }
    list.push_back(HotKey{hwnd, currentQueue(), id, keys, (modifiers & MOD_NOREPEAT) != 0, vk});
    return vtlTraceCall_.result(TRUE);
}

BOOL UnregisterHotKey(HWND hwnd, int id)
{
    VTL_TRACE(user, "UnregisterHotKey", hwnd, id);
    if (!ownWindowOrNone(hwnd))
        return vtlTraceCall_.result(FALSE);
    std::lock_guard<std::mutex> lock(gHotKeysMutex);
    auto& list = hotKeys();
    // Null names the calling thread's own hot keys.
    const ThreadQueue* mine = currentQueue().get();
    auto it = std::find_if(list.begin(), list.end(), [&](const HotKey& k) {
        return k.id == id && k.hwnd == hwnd && (hwnd || k.queue.get() == mine);
    });
    if (it == list.end()) {
        setError(ERROR_HOTKEY_NOT_REGISTERED);
        return vtlTraceCall_.result(FALSE);
    }
    list.erase(it);
    return vtlTraceCall_.result(TRUE);
}
