// The resources modules registered from compiled resource files (.res): the
// file's records read once, looked up by type, name and language.
//
// A .res file is a sequence of records, each on a 4-byte boundary: the data
// size and the header size (two DWORDs), the type and the name (each a
// 0xFFFF word and a number, or a zero-terminated UTF-16 string), padding to
// 4 bytes, then the data version, memory flags, language, version and
// characteristics, and the data.  The first record is empty and marks the
// file as 32-bit.
#ifndef VANTREL_PLATFORM_KERNEL_RESOURCE_TABLE_H
#define VANTREL_PLATFORM_KERNEL_RESOURCE_TABLE_H

#include <vantrel/win32/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vtl {

// A type or a name: a number, or a string kept in upper case (ASCII), as
// resource compilers store names and lookups compare them.
struct ResourceKey {
    bool isNumber = true;
    WORD number = 0;
    std::string text;
};

// A key from a caller's argument: MAKEINTRESOURCE(n), "#n" or a name.
ResourceKey resourceKey(LPCSTR value);

struct ResourceEntry {
    ResourceKey type;
    ResourceKey name;
    WORD language = 0;
    const unsigned char* data = nullptr;
    DWORD size = 0;
    const void* module = nullptr;
};

// The records of a .res image; false when the bytes are not one (a record
// that runs past the end, a missing 32-bit marker).
bool parseResourceFile(const unsigned char* bytes, size_t size, const void* module,
                       std::vector<ResourceEntry>& entries);

// The registered resources of the module at `module` (null: the program).
// Entries stay at their addresses for the life of the process.
void registerResources(std::vector<ResourceEntry> entries);

enum class ResourceLookup { kFound, kNoResources, kNoType, kNoName, kNoLanguage };

struct ResourceMatch {
    ResourceLookup result;
    const ResourceEntry* entry;
};

// `language` 0 (neutral): neutral, US English, then the first of any
// language; otherwise that language, then its primary language with the
// neutral sublanguage.
ResourceMatch findResource(const void* module, const ResourceKey& type, const ResourceKey& name, WORD language);

// The module a handle names: null for null and for the program's own handle.
const void* resourceModule(HMODULE module);

// True when `handle` is an entry handed out by findResource.
bool isResourceEntry(const void* handle);

} // namespace vtl

#endif
