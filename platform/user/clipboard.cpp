// The clipboard calls: who has it open, the data set through it, and its
// text on the system's clipboard where the backend has one.
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"
#include "platform/user/video_backend.h"

#include <vantrel/win32/clipboard.h>

#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Entry {
    UINT format;
    HANDLE memory;
    std::string text; // CF_TEXT: the text as the system's clipboard has it
};

std::mutex gMutex;
bool gOpen = false;
std::thread::id gOpener;
HWND gOpenWindow = nullptr;
HWND gOwner = nullptr;
std::vector<Entry> gEntries;

bool openHere() { return gOpen && gOpener == std::this_thread::get_id(); }

// As on Windows, a thread that has not opened the clipboard may still set
// data while the window it is open with owns it.
bool maySetData() { return openHere() || (gOpen && gOwner == gOpenWindow); }

// The handles of GDI formats are objects, not memory.
void release(Entry& entry)
{
    if (entry.memory && entry.format != CF_BITMAP && entry.format != CF_PALETTE)
        GlobalFree(entry.memory);
}

Entry* entryOf(UINT format)
{
    for (Entry& e : gEntries)
        if (e.format == format)
            return &e;
    return nullptr;
}

void replace(Entry entry)
{
    if (Entry* old = entryOf(entry.format)) {
        if (old->memory != entry.memory)
            release(*old);
        *old = std::move(entry);
        return;
    }
    gEntries.push_back(std::move(entry));
}

// Windows' text has "\r\n" line ends, the system's clipboard "\n".
std::string toSystem(const char* text, size_t size)
{
    std::string out;
    for (size_t i = 0; i < size && text[i]; ++i)
        if (!(text[i] == '\r' && i + 1 < size && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

std::string fromSystem(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

HGLOBAL globalText(const std::string& text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (char* p = static_cast<char*>(GlobalLock(memory))) {
        std::memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
    }
    return memory;
}

// The system's clipboard text, false where there is none.
bool systemText(std::string* text)
{
    return vtl::videoBackend().clipboardText(text);
}

} // namespace

BOOL OpenClipboard(HWND owner)
{
    VTL_TRACE(user, "OpenClipboard", owner);
    if (owner && !IsWindow(owner)) {
        vtl::setError(ERROR_INVALID_WINDOW_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    std::lock_guard<std::mutex> lock(gMutex);
    // It is open with a window (or none): opening it with the same one
    // succeeds, from any thread, which then has it open.
    if (gOpen && owner != gOpenWindow) {
        vtl::setError(ERROR_ACCESS_DENIED);
        return vtlTraceCall_.result(FALSE);
    }
    gOpen = true;
    gOpener = std::this_thread::get_id();
    gOpenWindow = owner;
    return vtlTraceCall_.result(TRUE);
}

BOOL CloseClipboard()
{
    VTL_TRACE0(user, "CloseClipboard");
    std::lock_guard<std::mutex> lock(gMutex);
    if (!openHere()) {
        vtl::setError(ERROR_CLIPBOARD_NOT_OPEN);
        return vtlTraceCall_.result(FALSE);
    }
    gOpen = false;
    gOpenWindow = nullptr;
    return vtlTraceCall_.result(TRUE);
}

BOOL EmptyClipboard()
{
    VTL_TRACE0(user, "EmptyClipboard");
    std::lock_guard<std::mutex> lock(gMutex);
    if (!openHere()) {
        vtl::setError(ERROR_CLIPBOARD_NOT_OPEN);
        return vtlTraceCall_.result(FALSE);
    }
    for (Entry& e : gEntries)
        release(e);
    gEntries.clear();
    gOwner = gOpenWindow;
    vtl::videoBackend().setClipboardText("");
    return vtlTraceCall_.result(TRUE);
}

HANDLE SetClipboardData(UINT format, HANDLE memory)
{
    VTL_TRACE(user, "SetClipboardData", format, memory);
    std::lock_guard<std::mutex> lock(gMutex);
    if (!maySetData()) {
        vtl::setError(ERROR_CLIPBOARD_NOT_OPEN);
        return vtlTraceCall_.result(nullptr);
    }
    if (!memory) {
        // Rendering on request (WM_RENDERFORMAT) is not provided: the format
        // is offered and reads as no data.
        VTL_UNSUPPORTED("SetClipboardData with delayed rendering", "returns no data");
        replace(Entry{format, nullptr, std::string()});
        return vtlTraceCall_.result(nullptr);
    }
    Entry entry{format, memory, std::string()};
    if (format == CF_TEXT) {
        const char* text = static_cast<const char*>(GlobalLock(memory));
        if (text) {
            entry.text = toSystem(text, GlobalSize(memory));
            GlobalUnlock(memory);
        }
        vtl::videoBackend().setClipboardText(entry.text);
    }
    replace(std::move(entry));
    return vtlTraceCall_.result(memory);
}

HANDLE GetClipboardData(UINT format)
{
    VTL_TRACE(user, "GetClipboardData", format);
    std::lock_guard<std::mutex> lock(gMutex);
    if (!openHere()) {
        vtl::setError(ERROR_CLIPBOARD_NOT_OPEN);
        return vtlTraceCall_.result(nullptr);
    }
    Entry* entry = entryOf(format);
    std::string system;
    if (format == CF_TEXT && systemText(&system) && !system.empty() && !(entry && entry->text == system)) {
        // Another program copied this text: it replaces the process's.
        replace(Entry{CF_TEXT, globalText(fromSystem(system)), system});
        entry = entryOf(CF_TEXT);
    }
    return vtlTraceCall_.result(entry ? entry->memory : nullptr);
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    VTL_TRACE(user, "IsClipboardFormatAvailable", format);
    std::lock_guard<std::mutex> lock(gMutex);
    std::string system;
    if (format == CF_TEXT && systemText(&system) && !system.empty())
        return vtlTraceCall_.result(TRUE);
    return vtlTraceCall_.result(entryOf(format) ? TRUE : FALSE);
}

int CountClipboardFormats()
{
    VTL_TRACE0(user, "CountClipboardFormats");
    std::lock_guard<std::mutex> lock(gMutex);
    std::string system;
    const bool systemHasText = systemText(&system) && !system.empty();
    return vtlTraceCall_.result(int(gEntries.size()) + (systemHasText && !entryOf(CF_TEXT) ? 1 : 0));
}

HWND GetClipboardOwner()
{
    VTL_TRACE0(user, "GetClipboardOwner");
    std::lock_guard<std::mutex> lock(gMutex);
    // An owner destroyed no longer owns it.
    return vtlTraceCall_.result(gOwner && IsWindow(gOwner) ? gOwner : nullptr);
}
