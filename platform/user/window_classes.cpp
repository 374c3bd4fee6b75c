// Window classes: RegisterClassExA, UnregisterClassA and the lookup that
// CreateWindowExA uses.
#include "platform/user/user_testing.h"
#include "platform/user/window_table.h"

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/debug.h>

#include <cstring>
#include <string>
#include <mutex>
#include <vector>

using vtl::testing::user::Op;

namespace vtl {
namespace {

struct Classes {
    std::mutex mutex;
    std::vector<std::shared_ptr<WindowClass>> list;
};

Classes& classes()
{
    static Classes* c = new Classes;
    return *c;
}

bool validName(LPCSTR name) { return name && !IS_INTRESOURCE(name) && name[0] != '\0'; }

} // namespace

std::shared_ptr<WindowClass> findClass(const char* name, HINSTANCE instance)
{
    if (!validName(name))
        return nullptr;
    Classes& c = classes();
    std::lock_guard<std::mutex> lock(c.mutex);
    std::shared_ptr<WindowClass> any;
    for (auto& cls : c.list) {
        if (!equalNoCase(cls->name.c_str(), name))
            continue;
        if (!instance || cls->instance == instance)
            return cls;
        if (!any)
            any = cls;
    }
    // A class registered by another module of the process is usable too.
    return any;
}

} // namespace vtl

using namespace vtl;

ATOM RegisterClassExA(const WNDCLASSEXA* wc)
{
    VTL_TRACE(user, "RegisterClassExA", wc);
    if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !validName(wc->lpszClassName) || !wc->lpfnWndProc) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(0);
    }
    if (testing::user::intercept(Op::RegisterClass))
        return vtlTraceCall_.result(0);
    Classes& c = classes();
    std::unique_lock<std::mutex> lock(c.mutex);
    for (auto& cls : c.list) {
        if (equalNoCase(cls->name.c_str(), wc->lpszClassName) && cls->instance == wc->hInstance) {
            setError(ERROR_CLASS_ALREADY_EXISTS);
            return vtlTraceCall_.result(0);
        }
    }
    auto cls = std::make_shared<WindowClass>();
    cls->name = wc->lpszClassName;
    cls->instance = wc->hInstance;
    cls->style = wc->style;
    cls->proc = wc->lpfnWndProc;
    cls->icon = wc->hIcon;
    cls->cursor = wc->hCursor;
    cls->background = wc->hbrBackground;
    c.list.push_back(cls);
    // Atoms are in the range the system gives string atoms.
    static ATOM next = 0xC000;
    ATOM atom = next;
    next = next == 0xFFFF ? 0xC000 : static_cast<ATOM>(next + 1);
    // The debug message goes to the game's receiver, which may register or
    // use classes itself: never with the list locked.
    lock.unlock();
    if (wc->lpszMenuName) {
        // The window system draws no menu bars; a game that names one hears
        // so once, as a debug message, instead of silently losing it.
        std::string note = "Menus are not shown: the menu of window class \"" + cls->name + "\" is left out\r\n";
        OutputDebugStringA(note.c_str());
    }
    return vtlTraceCall_.result(atom);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance)
{
    VTL_TRACE(user, "UnregisterClassA", vtl::trace::Atom{className}, instance);
    if (!validName(className)) {
        setError(ERROR_CLASS_DOES_NOT_EXIST);
        return vtlTraceCall_.result(FALSE);
    }
    if (testing::user::intercept(Op::UnregisterClass))
        return vtlTraceCall_.result(FALSE);
    Classes& c = classes();
    std::lock_guard<std::mutex> lock(c.mutex);
    for (auto it = c.list.begin(); it != c.list.end(); ++it) {
        WindowClass& cls = **it;
        if (!equalNoCase(cls.name.c_str(), className) || (instance && cls.instance != instance))
            continue;
        if (cls.windowCount > 0) {
            setError(ERROR_CLASS_HAS_WINDOWS);
            return vtlTraceCall_.result(FALSE);
        }
        c.list.erase(it);
        return vtlTraceCall_.result(TRUE);
    }
    setError(ERROR_CLASS_DOES_NOT_EXIST);
    return vtlTraceCall_.result(FALSE);
}
