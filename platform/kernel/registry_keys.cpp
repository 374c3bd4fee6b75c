// The registry calls.  The tree lives in one file per user beside the
// Windows folder; a call that reads uses the newest version of the file
// (parsed once per version), a call that changes it takes the folder's lock,
// reads the newest version, changes it and renames a new file over the old
// one.  An open key's handle names the key's path, so a key another program
// deleted reads as deleted (ERROR_KEY_DELETED), as on Windows.
#include <vantrel/seam/game_paths.h>
#include <vantrel/win32/errors.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/registry.h>

#include "platform/host/whole_files.h"
#include "platform/kernel/registry_text.h"
#include "platform/kernel/trace.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace vtl {
namespace {

constexpr DWORD kAllAccess = 0x3F;

// As for the settings files: a version younger than this when read may yet
// change in place within its time stamp's grain, so it is read again.
constexpr int64_t kSettledNs = 2'000'000'000;

int64_t nowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

struct OpenKey {
    std::string path;
    DWORD access = 0;
};

struct Registry {
    std::mutex lock;
    std::map<uintptr_t, OpenKey> handles;
    uintptr_t nextHandle = 0x100;
    host::FileStamp stamp;
    int64_t readAtNs = 0;
    std::shared_ptr<const RegistryTree> tree;
};

Registry& registry()
{
    static Registry r;
    return r;
}

const char* const kRoots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                              "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

const char* rootName(HKEY key)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(key);
    const uintptr_t first = reinterpret_cast<uintptr_t>(HKEY_CLASSES_ROOT);
    if (value >= first && value - first < sizeof kRoots / sizeof kRoots[0])
        return kRoots[value - first];
    return nullptr;
}

std::string registryPath()
{
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    return (fs::path(resolveGamePath(folder)).parent_path() / "registry.reg").string();
}

std::shared_ptr<const RegistryTree> readNewest(const std::string& path)
{
    Registry& r = registry();
    const host::FileStamp stamp = host::stampOf(path);
    {
        std::lock_guard<std::mutex> hold(r.lock);
        if (r.tree && r.stamp == stamp && stamp.modifiedNs + kSettledNs < r.readAtNs)
            return r.tree;
    }
    const int64_t readAt = nowNs();
    std::string text;
    if (stamp.exists) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
    }
    auto tree = std::make_shared<const RegistryTree>(parseRegistry(text));
    if (host::stampOf(path) == stamp) {
        std::lock_guard<std::mutex> hold(r.lock);
        r.stamp = stamp;
        r.readAtNs = readAt;
        r.tree = tree;
    }
    return tree;
}

// The key a handle stands for: its path and the access it was opened with.
LONG keyOf(HKEY key, OpenKey& out)
{
    if (const char* root = rootName(key)) {
        out = OpenKey{root, kAllAccess};
        return ERROR_SUCCESS;
    }
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    auto it = r.handles.find(reinterpret_cast<uintptr_t>(key));
    if (it == r.handles.end())
        return ERROR_INVALID_HANDLE;
    out = it->second;
    return ERROR_SUCCESS;
}

HKEY newHandle(const std::string& path, REGSAM access)
{
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.lock);
    const uintptr_t handle = r.nextHandle;
    r.nextHandle += 4;
    r.handles[handle] = OpenKey{path, (access & MAXIMUM_ALLOWED) ? kAllAccess : (access & kAllAccess)};
    return reinterpret_cast<HKEY>(handle);
}

// "Software\Maker\" under `base`; a leading backslash or an empty step is
// not a key's name.
LONG joinPath(const std::string& base, LPCSTR subKey, std::string& out)
{
    out = base;
    if (!subKey)
        return ERROR_SUCCESS;
    std::string rest = subKey;
    while (!rest.empty() && rest.back() == '\\')
        rest.pop_back();
    if (rest.empty())
        return ERROR_SUCCESS;
    if (rest[0] == '\\' || rest.find("\\\\") != std::string::npos)
        return ERROR_BAD_PATHNAME;
    out += '\\';
    out += rest;
    return ERROR_SUCCESS;
}

// The key behind a handle in the newest tree, checking the access a call
// needs.
LONG existingKey(HKEY key, DWORD needed, std::shared_ptr<const RegistryTree>& tree, const RegistryKey*& found)
{
    OpenKey open;
    if (LONG error = keyOf(key, open))
        return error;
    if ((open.access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    tree = readNewest(registryPath());
    static const RegistryKey emptyRoot;
    auto it = tree->keys.find(registryFold(open.path));
    if (it != tree->keys.end())
        found = &it->second;
    else if (rootName(key))
        found = &emptyRoot; // a root with nothing under it yet
    else
        return ERROR_KEY_DELETED;
    return ERROR_SUCCESS;
}

// Under the folder's lock: the newest tree, edited by `change` (which
// returns the call's result and says whether it changed anything), written
// back whole.
template <class Change>
LONG changeRegistry(Change change)
{
    const std::string path = registryPath();
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    const host::FolderLock writers(fs::path(path).parent_path().string());
    if (!writers.held())
        return ERROR_ACCESS_DENIED;
    RegistryTree tree = *readNewest(path);
    bool changed = false;
    const LONG result = change(tree, changed);
    if (result != ERROR_SUCCESS || !changed)
        return result;
    const int error = host::replaceFile(path, registryText(tree));
    if (error != 0)
        return error == ENOSPC || error == EFBIG || error == EDQUOT ? ERROR_DISK_FULL : ERROR_CANTWRITE;
    return ERROR_SUCCESS;
}

bool hasSubkeys(const RegistryTree& tree, const std::string& path)
{
    const std::string prefix = registryFold(path) + '\\';
    auto it = tree.keys.lower_bound(prefix);
    return it != tree.keys.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

// The index-th direct subkey's name, or null.
const std::string* subkeyAt(const RegistryTree& tree, const std::string& path, DWORD index, std::string& name)
{
    const std::string prefix = registryFold(path) + '\\';
    for (auto it = tree.keys.lower_bound(prefix);
         it != tree.keys.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
        if (it->first.find('\\', prefix.size()) != std::string::npos)
            continue;
        if (index-- == 0) {
            name = it->second.path.substr(prefix.size());
            return &name;
        }
    }
    return nullptr;
}

const RegistryValue* valueNamed(const RegistryKey& key, LPCSTR name)
{
    const std::string folded = registryFold(name ? name : "");
    for (const RegistryValue& value : key.values)
        if (registryFold(value.name) == folded)
            return &value;
    return nullptr;
}

// Copies `bytes` to a game's buffer as the value calls do: the size needed
// always, the bytes when they fit.
LONG giveData(const std::string& bytes, LPBYTE data, LPDWORD size)
{
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    if (!size)
        return ERROR_SUCCESS;
    const DWORD room = *size;
    *size = static_cast<DWORD>(bytes.size());
    if (!data)
        return ERROR_SUCCESS;
    if (room < bytes.size())
        return ERROR_MORE_DATA;
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

// A name into a buffer of `room` characters, the zero included.
LONG giveName(const std::string& text, LPSTR name, DWORD room, DWORD* length)
{
    if (!name || room < text.size() + 1)
        return ERROR_MORE_DATA;
    std::memcpy(name, text.c_str(), text.size() + 1);
    if (length)
        *length = static_cast<DWORD>(text.size());
    return ERROR_SUCCESS;
}

LONG openKey(HKEY key, LPCSTR subKey, REGSAM access, PHKEY result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    OpenKey base;
    if (LONG error = keyOf(key, base))
        return error;
    std::string path;
    if (LONG error = joinPath(base.path, subKey, path))
        return error;
    const std::shared_ptr<const RegistryTree> tree = readNewest(registryPath());
    auto it = tree->keys.find(registryFold(path));
    if (it == tree->keys.end()) {
        if (path != base.path || !rootName(key))
            return path == base.path ? ERROR_KEY_DELETED : ERROR_FILE_NOT_FOUND;
    }
    *result = newHandle(it == tree->keys.end() ? path : it->second.path, access);
    return ERROR_SUCCESS;
}

LONG createKey(HKEY key, LPCSTR subKey, REGSAM access, PHKEY result, LPDWORD disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    OpenKey base;
    if (LONG error = keyOf(key, base))
        return error;
    std::string path;
    if (LONG error = joinPath(base.path, subKey, path))
        return error;
    std::string created;
    DWORD how = REG_OPENED_EXISTING_KEY;
    const LONG error = changeRegistry([&](RegistryTree& tree, bool& changed) -> LONG {
        auto it = tree.keys.find(registryFold(path));
        if (it != tree.keys.end()) {
            created = it->second.path;
            return ERROR_SUCCESS;
        }
        if (!rootName(key) && tree.keys.find(registryFold(base.path)) == tree.keys.end())
            return ERROR_KEY_DELETED;
        if (path == base.path) {
            created = path; // a root not yet in the file
            return ERROR_SUCCESS;
        }
        if (!(base.access & KEY_CREATE_SUB_KEY))
            return ERROR_ACCESS_DENIED;
        // Every missing key on the way is made, each in the case given.
        for (size_t slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1))
            tree.keys.emplace(registryFold(path.substr(0, slash)), RegistryKey{path.substr(0, slash), {}});
        tree.keys.emplace(registryFold(path), RegistryKey{path, {}});
        created = path;
        how = REG_CREATED_NEW_KEY;
        changed = true;
        return ERROR_SUCCESS;
    });
    if (error != ERROR_SUCCESS)
        return error;
    *result = newHandle(created, access);
    if (disposition)
        *disposition = how;
    return ERROR_SUCCESS;
}

} // namespace
} // namespace vtl

using vtl::RegistryKey;
using vtl::RegistryTree;
using vtl::RegistryValue;

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result)
{
    VTL_TRACE(kernel, "RegOpenKeyExA", static_cast<void*>(key), subKey, access);
    return vtlTraceCall_.result(vtl::openKey(key, subKey, access, result));
}

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    VTL_TRACE(kernel, "RegOpenKeyA", static_cast<void*>(key), subKey);
    // Windows 3.1's call hands back the key itself for no subkey.
    if (result && (!subKey || !*subKey) && key) {
        vtl::OpenKey open;
        if (LONG error = vtl::keyOf(key, open))
            return vtlTraceCall_.result(error);
        *result = key;
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_SUCCESS));
    }
    return vtlTraceCall_.result(vtl::openKey(key, subKey, MAXIMUM_ALLOWED, result));
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition)
{
    VTL_TRACE(kernel, "RegCreateKeyExA", static_cast<void*>(key), subKey, access);
    if (!subKey)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_BADKEY));
    return vtlTraceCall_.result(vtl::createKey(key, subKey, access, result, disposition));
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    VTL_TRACE(kernel, "RegCreateKeyA", static_cast<void*>(key), subKey);
    return vtlTraceCall_.result(vtl::createKey(key, subKey ? subKey : "", MAXIMUM_ALLOWED, result, nullptr));
}

LONG RegCloseKey(HKEY key)
{
    VTL_TRACE(kernel, "RegCloseKey", static_cast<void*>(key));
    if (vtl::rootName(key))
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_SUCCESS));
    vtl::Registry& r = vtl::registry();
    std::lock_guard<std::mutex> hold(r.lock);
    if (r.handles.erase(reinterpret_cast<uintptr_t>(key)) == 0)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_INVALID_HANDLE));
    return vtlTraceCall_.result(static_cast<LONG>(ERROR_SUCCESS));
}

LONG RegDeleteKeyA(HKEY key, LPCSTR subKey)
{
    VTL_TRACE(kernel, "RegDeleteKeyA", static_cast<void*>(key), subKey);
    if (!subKey)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_INVALID_PARAMETER));
    vtl::OpenKey base;
    if (LONG error = vtl::keyOf(key, base))
        return vtlTraceCall_.result(error);
    std::string path;
    if (LONG error = vtl::joinPath(base.path, subKey, path))
        return vtlTraceCall_.result(error);
    if (path.find('\\') == std::string::npos)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_ACCESS_DENIED)); // a root
    return vtlTraceCall_.result(vtl::changeRegistry([&](RegistryTree& tree, bool& changed) -> LONG {
        auto it = tree.keys.find(vtl::registryFold(path));
        if (it == tree.keys.end())
            return path == base.path ? ERROR_KEY_DELETED : ERROR_FILE_NOT_FOUND;
        if (vtl::hasSubkeys(tree, path))
            return ERROR_ACCESS_DENIED;
        tree.keys.erase(it);
        changed = true;
        return ERROR_SUCCESS;
    }));
}

LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size)
{
    VTL_TRACE(kernel, "RegQueryValueExA", static_cast<void*>(key), name);
    if (data && !size)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_INVALID_PARAMETER));
    std::shared_ptr<const RegistryTree> tree;
    const RegistryKey* found = nullptr;
    if (LONG error = vtl::existingKey(key, KEY_QUERY_VALUE, tree, found))
        return vtlTraceCall_.result(error);
    const RegistryValue* value = vtl::valueNamed(*found, name);
    if (!value)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    if (type)
        *type = value->type;
    return vtlTraceCall_.result(vtl::giveData(value->data, data, size));
}

LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size)
{
    VTL_TRACE(kernel, "RegSetValueExA", static_cast<void*>(key), name, type, size);
    if (!data && size)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_NOACCESS));
    vtl::OpenKey open;
    if (LONG error = vtl::keyOf(key, open))
        return vtlTraceCall_.result(error);
    if (!(open.access & KEY_SET_VALUE))
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_ACCESS_DENIED));
    RegistryValue value{name ? name : "", type, std::string(reinterpret_cast<const char*>(data), data ? size : 0)};
    return vtlTraceCall_.result(vtl::changeRegistry([&](RegistryTree& tree, bool& changed) -> LONG {
        auto it = tree.keys.find(vtl::registryFold(open.path));
        if (it == tree.keys.end()) {
            if (!vtl::rootName(key))
                return ERROR_KEY_DELETED;
            it = tree.keys.emplace(vtl::registryFold(open.path), RegistryKey{open.path, {}}).first;
        }
        changed = true;
        for (RegistryValue& existing : it->second.values)
            if (vtl::registryFold(existing.name) == vtl::registryFold(value.name)) {
                existing.type = value.type;
                existing.data = value.data;
                return ERROR_SUCCESS;
            }
        it->second.values.push_back(value);
        return ERROR_SUCCESS;
    }));
}

LONG RegDeleteValueA(HKEY key, LPCSTR name)
{
    VTL_TRACE(kernel, "RegDeleteValueA", static_cast<void*>(key), name);
    vtl::OpenKey open;
    if (LONG error = vtl::keyOf(key, open))
        return vtlTraceCall_.result(error);
    if (!(open.access & KEY_SET_VALUE))
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_ACCESS_DENIED));
    const std::string folded = vtl::registryFold(name ? name : "");
    return vtlTraceCall_.result(vtl::changeRegistry([&](RegistryTree& tree, bool& changed) -> LONG {
        auto it = tree.keys.find(vtl::registryFold(open.path));
        if (it == tree.keys.end())
            return vtl::rootName(key) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
        auto& values = it->second.values;
        for (auto value = values.begin(); value != values.end(); ++value)
            if (vtl::registryFold(value->name) == folded) {
                values.erase(value);
                changed = true;
                return ERROR_SUCCESS;
            }
        return ERROR_FILE_NOT_FOUND;
    }));
}

LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR keyClass,
                   LPDWORD classSize, PFILETIME lastWrite)
{
    VTL_TRACE(kernel, "RegEnumKeyExA", static_cast<void*>(key), index);
    if (!nameSize)
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_INVALID_PARAMETER));
    std::shared_ptr<const RegistryTree> tree;
    const RegistryKey* found = nullptr;
    if (LONG error = vtl::existingKey(key, KEY_ENUMERATE_SUB_KEYS, tree, found))
        return vtlTraceCall_.result(error);
    vtl::OpenKey open;
    vtl::keyOf(key, open);
    std::string subkey;
    if (!vtl::subkeyAt(*tree, open.path, index, subkey))
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_NO_MORE_ITEMS));
    if (LONG error = vtl::giveName(subkey, name, *nameSize, nameSize))
        return vtlTraceCall_.result(error);
    if (classSize) {
        if (keyClass && *classSize)
            keyClass[0] = '\0';
        *classSize = 0;
    }
    if (lastWrite) {
        // The registry file's last change, in 100 ns steps since 1601.
        const uint64_t ticks =
            static_cast<uint64_t>(vtl::host::stampOf(vtl::registryPath()).modifiedNs / 100) + 116444736000000000ull;
        lastWrite->dwLowDateTime = static_cast<DWORD>(ticks);
        lastWrite->dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    }
    return vtlTraceCall_.result(static_cast<LONG>(ERROR_SUCCESS));
}

LONG RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize)
{
    DWORD size = nameSize;
    return RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
}

LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPDWORD type, LPBYTE data,
                   LPDWORD dataSize)
{
    VTL_TRACE(kernel, "RegEnumValueA", static_cast<void*>(key), index);
    if (!nameSize || (data && !dataSize))
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_INVALID_PARAMETER));
    std::shared_ptr<const RegistryTree> tree;
    const RegistryKey* found = nullptr;
    if (LONG error = vtl::existingKey(key, KEY_QUERY_VALUE, tree, found))
        return vtlTraceCall_.result(error);
    if (index >= found->values.size())
        return vtlTraceCall_.result(static_cast<LONG>(ERROR_NO_MORE_ITEMS));
    const RegistryValue& value = found->values[index];
    if (LONG error = vtl::giveName(value.name, name, *nameSize, nameSize))
        return vtlTraceCall_.result(error);
    if (type)
        *type = value.type;
    return vtlTraceCall_.result(vtl::giveData(value.data, data, dataSize));
}

LONG RegFlushKey(HKEY key)
{
    VTL_TRACE(kernel, "RegFlushKey", static_cast<void*>(key));
    vtl::OpenKey open;
    return vtlTraceCall_.result(vtl::keyOf(key, open));
}
