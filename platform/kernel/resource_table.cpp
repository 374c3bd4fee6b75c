#include "platform/kernel/resource_table.h"

#include "platform/host/process.h"

#include <vantrel/win32/resources.h>

#include <cstring>
#include <deque>
#include <mutex>

namespace vtl {
namespace {

// Entries live in a deque so that handles (their addresses) stay valid as
// more modules register.
struct Table {
    std::mutex mutex;
    std::deque<ResourceEntry> entries;
};

Table& table()
{
    static auto* t = new Table; // never destroyed: games look resources up from destructors
    return *t;
}

uint32_t readDword(const unsigned char* p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint16_t readWord(const unsigned char* p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A type or name field of a record header: advances `at`; false when it runs
// past `end`.  Names are UTF-16; a character outside ASCII is kept as '?',
// which no narrow lookup matches by accident less than any other choice.
bool readKey(const unsigned char* bytes, size_t& at, size_t end, ResourceKey& key)
{
    if (at + 2 > end)
        return false;
    if (readWord(bytes + at) == 0xFFFF) {
        if (at + 4 > end)
            return false;
        key.isNumber = true;
        key.number = readWord(bytes + at + 2);
        at += 4;
        return true;
    }
    key.isNumber = false;
    key.text.clear();
    for (;;) {
        if (at + 2 > end)
            return false;
        const uint16_t c = readWord(bytes + at);
        at += 2;
        if (c == 0)
            return true;
        key.text.push_back(c < 0x80 ? upperAscii(static_cast<char>(c)) : '?');
    }
}

bool sameKey(const ResourceKey& a, const ResourceKey& b)
{
    return a.isNumber == b.isNumber && (a.isNumber ? a.number == b.number : a.text == b.text);
}

} // namespace

ResourceKey resourceKey(LPCSTR value)
{
    ResourceKey key;
    if (IS_INTRESOURCE(value)) {
        key.number = static_cast<WORD>(reinterpret_cast<uintptr_t>(value));
        return key;
    }
    // "#123" is the number 123, as the system reads it: the digits after
    // the "#", up to the first character that is not one.
    if (value[0] == '#') {
        unsigned long n = 0;
        for (const char* p = value + 1; *p >= '0' && *p <= '9'; ++p)
            n = n * 10 + static_cast<unsigned long>(*p - '0');
        key.number = static_cast<WORD>(n);
        return key;
    }
    key.isNumber = false;
    for (const char* p = value; *p; ++p)
        key.text.push_back(upperAscii(*p));
    return key;
}

bool parseResourceFile(const unsigned char* bytes, size_t size, const void* module,
                       std::vector<ResourceEntry>& entries)
{
    entries.clear();
    size_t at = 0;
    bool first = true;
    while (at + 8 <= size) {
        const uint32_t dataSize = readDword(bytes + at);
        const uint32_t headerSize = readDword(bytes + at + 4);
        if (headerSize < 8 + 4 + 4 + 16 || headerSize > size - at || dataSize > size - at - headerSize)
            return false;
        const size_t headerEnd = at + headerSize;
        size_t field = at + 8;
        ResourceEntry entry;
        if (!readKey(bytes, field, headerEnd, entry.type) || !readKey(bytes, field, headerEnd, entry.name))
            return false;
        field = (field + 3) & ~size_t(3);
        if (field + 16 > headerEnd)
            return false;
        entry.language = readWord(bytes + field + 6);
        entry.data = bytes + headerEnd;
        entry.size = dataSize;
        entry.module = module;
        if (first) {
            // The 32-bit marker: an empty record of type and name 0.
            if (dataSize != 0 || !entry.type.isNumber || entry.type.number != 0)
                return false;
            first = false;
        } else {
            entries.push_back(std::move(entry));
        }
        at = (headerEnd + dataSize + 3) & ~size_t(3);
    }
    return !first && at >= size;
}

void registerResources(std::vector<ResourceEntry> entries)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    for (ResourceEntry& e : entries)
        t.entries.push_back(std::move(e));
}

ResourceMatch findResource(const void* module, const ResourceKey& type, const ResourceKey& name, WORD language)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    bool anyResource = false, anyType = false, anyName = false;
    const ResourceEntry* exact = nullptr;
    const ResourceEntry* primary = nullptr;
    const ResourceEntry* english = nullptr;
    const ResourceEntry* any = nullptr;
    for (const ResourceEntry& e : t.entries) {
        if (e.module != module)
            continue;
        anyResource = true;
        if (!sameKey(e.type, type))
            continue;
        anyType = true;
        if (!sameKey(e.name, name))
            continue;
        anyName = true;
        if (e.language == language && !exact)
            exact = &e;
        if (e.language == MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL) && !primary)
            primary = &e;
        if (e.language == MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US) && !english)
            english = &e;
        if (!any)
            any = &e;
    }
    const ResourceEntry* found = exact ? exact : primary;
    if (!found && language == 0)
        found = english ? english : any;
    if (found)
        return ResourceMatch{ResourceLookup::kFound, found};
    const ResourceLookup why = !anyResource ? ResourceLookup::kNoResources
                               : !anyType   ? ResourceLookup::kNoType
                               : !anyName   ? ResourceLookup::kNoName
                                            : ResourceLookup::kNoLanguage;
    return ResourceMatch{why, nullptr};
}

const void* resourceModule(HMODULE module)
{
    if (!module || reinterpret_cast<uintptr_t>(module) == host::moduleBase(nullptr))
        return nullptr;
    return module;
}

bool isResourceEntry(const void* handle)
{
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    for (const ResourceEntry& e : t.entries) {
        if (&e == handle)
            return true;
    }
    return false;
}

} // namespace vtl
