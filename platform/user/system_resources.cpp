// Icons and cursors.  Nothing is drawn from them (the screen shows its own
// arrow and the window manager's icon), but games pass them around, so each
// is a distinct, stable handle.
//
// With no instance, the system's ids are known: icons 32512-32518, cursors
// 32512-32516 and 32640-32651; any other id fails.  With an instance, the
// game's own resource ids are accepted, since a program built here carries
// no resource section to look them up in.
#include "platform/user/user_testing.h"

#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

using vtl::testing::user::Op;

namespace vtl {
namespace {

struct Resource {
    int kind;
    HINSTANCE instance;
    std::string name;
};

typedef std::tuple<int, HINSTANCE, std::string> Key;

void* resourceHandle(int kind, HINSTANCE instance, LPCSTR name)
{
    static std::mutex resourcesMutex;
    static auto* resources = new std::map<Key, std::unique_ptr<Resource>>;
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
    std::lock_guard<std::mutex> lock(resourcesMutex);
    auto& slot = (*resources)[Key(kind, instance, key)];
    if (!slot)
        slot.reset(new Resource{kind, instance, key});
    return slot.get();
}

bool systemId(LPCSTR name, bool cursor)
{
    if (!name || !IS_INTRESOURCE(name))
        return false;
    uintptr_t id = reinterpret_cast<uintptr_t>(name);
    if (id >= 32512 && id <= (cursor ? 32516u : 32518u))
        return true;
    return cursor && id >= 32640 && id <= 32651;
}

void* load(int kind, HINSTANCE instance, LPCSTR name)
{
    bool cursor = kind == 1;
    if (testing::user::intercept(cursor ? Op::LoadCursor : Op::LoadIcon))
        return nullptr;
    if (!name || (!instance && !systemId(name, cursor))) {
        setError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return resourceHandle(kind, instance, name);
}

} // namespace
} // namespace vtl

HICON LoadIconA(HINSTANCE instance, LPCSTR name)
{
    VTL_TRACE(user, "LoadIconA", instance, vtl::trace::Atom{name});
    return vtlTraceCall_.result(static_cast<HICON>(vtl::load(0, instance, name)));
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    VTL_TRACE(user, "LoadCursorA", instance, vtl::trace::Atom{name});
    return vtlTraceCall_.result(static_cast<HCURSOR>(vtl::load(1, instance, name)));
}
