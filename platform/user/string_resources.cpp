// LoadString over the module's string tables.  A table block (RT_STRING,
// named block number + 1) holds 16 strings, each a length word and that
// many UTF-16 characters; string `id` is entry id % 16 of block id / 16 + 1.
// Only the low word of the id counts, as on Windows.
#include "platform/kernel/resource_table.h"
#include "platform/kernel/trace.h"
#include "platform/user/ansi_code_page.h"

#include <vantrel/win32/resources.h>

#include <cstring>

namespace vtl {
namespace {

// The characters and length of string `id`; false when it is missing.
bool findString(HINSTANCE instance, UINT id, const unsigned char** text, int* length)
{
    const WORD low = static_cast<WORD>(id);
    ResourceKey type;
    type.number = 6; // RT_STRING
    ResourceKey block;
    block.number = static_cast<WORD>((low >> 4) + 1);
    const ResourceMatch m = findResource(resourceModule(instance), type, block, 0);
    if (m.result != ResourceLookup::kFound)
        return false;
    const unsigned char* p = m.entry->data;
    const unsigned char* end = p + m.entry->size;
    for (int i = 0;; ++i) {
        if (end - p < 2)
            return false;
        uint16_t n;
        std::memcpy(&n, p, 2);
        p += 2;
        if (end - p < 2 * n)
            return false;
        if (i == (low & 15)) {
            *text = p;
            *length = n;
            return true;
        }
        p += 2 * n;
    }
}

int loadString(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax)
{
    if (bufferMax == 0)
        return -1; // as Windows' narrow call: no room for even the terminator
    // Windows writes through a null buffer, or one of a negative size.
    if (!buffer || bufferMax < 0)
        return 0;
    const unsigned char* text = nullptr;
    int length = 0;
    if (!findString(instance, id, &text, &length))
        length = 0;
    const int copied = length < bufferMax - 1 ? length : bufferMax - 1;
    for (int i = 0; i < copied; ++i) {
        uint16_t c;
        std::memcpy(&c, text + 2 * i, 2);
        buffer[i] = ansiFromUnicode(c);
    }
    buffer[copied] = 0;
    return copied;
}

} // namespace
} // namespace vtl

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax)
{
    VTL_TRACE(user, "LoadStringA", instance, id, static_cast<const void*>(buffer), bufferMax);
    return vtlTraceCall_.result(vtl::loadString(instance, id, buffer, bufferMax));
}
