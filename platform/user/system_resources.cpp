// Icons and cursors.  Games pass them around, so each is a distinct, stable
// handle; an icon of the game's resources carries its image, which the
// window's icon on the desktop shows.  Cursors are not drawn: the screen
// shows its own arrow.
//
// With no instance, the system's ids are known: icons 32512-32518, cursors
// 32512-32516 and 32640-32651; any other id fails.  With an instance, the
// module's resources are searched and a missing icon fails as on Windows;
// a module that has no resources at all (a program linked without a
// resource script) gets a handle for any id, as it did before it could
// have any.
#include "platform/user/icon_resources.h"
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
    IconImage image; // empty: nothing to show
};

typedef std::tuple<int, HINSTANCE, std::string> Key;

std::mutex resourcesMutex;

std::map<Key, std::unique_ptr<Resource>>& resources()
{
    static auto* all = new std::map<Key, std::unique_ptr<Resource>>;
    return *all;
}

void* resourceHandle(int kind, HINSTANCE instance, LPCSTR name, IconImage image)
{
    std::string key = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : name;
    std::lock_guard<std::mutex> lock(resourcesMutex);
    auto& slot = resources()[Key(kind, instance, key)];
    if (!slot)
        slot.reset(new Resource{kind, instance, key, std::move(image)});
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
    IconImage image;
    if (instance) {
        const DWORD before = GetLastError();
        const int size = 32; // the large icon and the cursor, as the system sizes them
        if (iconFromResource(instance, name, cursor, size, image) == IconLookup::kMissing)
            return nullptr;
        SetLastError(before);
    }
    return resourceHandle(kind, instance, name, std::move(image));
}

} // namespace

const IconImage* iconImage(HICON icon)
{
    std::lock_guard<std::mutex> lock(resourcesMutex);
    for (const auto& entry : resources()) {
        if (entry.second.get() == static_cast<void*>(icon))
            return entry.second->image.pixels.empty() ? nullptr : &entry.second->image;
    }
    return nullptr;
}

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
