// FindFirstFileA / FindNextFileA: the folder is listed once, when the search
// starts, and the matches are handed out one by one.
#include <vantrel/win32/errors.h>
#include <vantrel/win32/files.h>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/kernel_objects.h"
#include "platform/kernel/path_resolver.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace vtl {
namespace {

struct Found {
    std::string name;
    bool folder;
    uint64_t size;
    uint64_t writeTime; // 100-nanosecond units since 1601, as FILETIME counts
};

class SearchObject : public KernelObject {
public:
    std::vector<Found> found;
    size_t next = 0;
};

// A mask in the form Windows NT matches it with.  The game's * and ? are
// rewritten the way the system rewrites them before it compares: a ? is
// always a "DOS question mark", a * right before a dot a "DOS star", a dot
// right before a * or ? a "DOS dot", and trailing dots and blanks go.  So
// "*." is every name without a dot, "*.*.*" every name, "?.?" also "a".
enum Element : int {
    kStar = 256,   // any run of characters
    kDosStar,      // any run of characters that does not take the name's last dot
    kDosQuestion,  // one character other than a dot; none at a dot or the end
    kDosDot,       // a dot, or nothing at the end of the name
};

std::vector<int> dosExpression(std::string mask)
{
    while (!mask.empty() && mask.back() == ' ')
        mask.pop_back();
    if (mask == "*.*" || mask == "*.*.")
        return {kStar};
    std::vector<int> out;
    for (size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        const char next = i + 1 < mask.size() ? mask[i + 1] : '\0';
        if (c == '?')
            out.push_back(kDosQuestion);
        else if (c == '*')
            out.push_back(next == '.' ? kDosStar : kStar);
        else if (c == '.' && (next == '*' || next == '?'))
            out.push_back(kDosDot);
        else
            out.push_back(static_cast<unsigned char>(asciiLower(c)));
    }
    while (!out.empty() && (out.back() == '.' || out.back() == ' '))
        out.pop_back();
    return out;
}

// Steps through the name once, keeping every place in the expression the
// name so far can have reached: time grows with the name's length times
// the mask's, however many stars the mask holds.
bool matchesExpression(const std::vector<int>& expression, const std::string& name)
{
    const size_t m = expression.size(), n = name.size();
    const size_t lastDot = name.rfind('.');
    std::vector<char> reached(m + 1, 0), next(m + 1, 0);
    reached[0] = 1;
    for (size_t i = 0;; ++i) {
        // The elements that can match nothing here, in order, since each
        // only leads further on.
        const bool atEnd = i == n;
        for (size_t p = 0; p < m; ++p) {
            if (!reached[p])
                continue;
            const int e = expression[p];
            if (e == kStar || e == kDosStar || (e == kDosQuestion && (atEnd || name[i] == '.')) ||
                (e == kDosDot && atEnd))
                reached[p + 1] = 1;
        }
        if (atEnd)
            return reached[m] != 0;
        const char c = name[i];
        std::fill(next.begin(), next.end(), 0);
        bool any = false;
        for (size_t p = 0; p < m; ++p) {
            if (!reached[p])
                continue;
            const int e = expression[p];
            size_t to = m + 1; // none
            if (e == kStar || (e == kDosStar && !(c == '.' && i == lastDot)))
                to = p;
            else if ((e == kDosQuestion && c != '.') || (e == kDosDot && c == '.') ||
                     (e < kStar && e == static_cast<unsigned char>(asciiLower(c))))
                to = p + 1;
            if (to <= m) {
                next[to] = 1;
                any = true;
            }
        }
        if (!any)
            return false;
        reached.swap(next);
    }
}

bool matches(const std::vector<int>& expression, const std::string& name)
{
    if (expression.size() == 1 && expression[0] == kStar)
        return true; // every name, with a dot or not
    return matchesExpression(expression, name);
}

uint64_t fileTimeOf(fs::file_time_type when)
{
    using namespace std::chrono;
    const auto system = system_clock::now() + duration_cast<system_clock::duration>(when - fs::file_time_type::clock::now());
    const int64_t unix100ns = duration_cast<nanoseconds>(system.time_since_epoch()).count() / 100;
    constexpr int64_t kFrom1601To1970 = 116444736000000000LL;
    return static_cast<uint64_t>(unix100ns + kFrom1601To1970);
}

Found describe(const fs::directory_entry& entry, const std::string& name)
{
    std::error_code ec;
    Found f{name, entry.is_directory(ec), 0, 0};
    if (!f.folder)
        f.size = entry.file_size(ec);
    f.writeTime = fileTimeOf(entry.last_write_time(ec));
    return f;
}

void fill(const Found& f, LPWIN32_FIND_DATAA data)
{
    std::memset(data, 0, sizeof *data);
    data->dwFileAttributes = f.folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    data->nFileSizeHigh = static_cast<DWORD>(f.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(f.size);
    FILETIME t{static_cast<DWORD>(f.writeTime), static_cast<DWORD>(f.writeTime >> 32)};
    data->ftCreationTime = data->ftLastAccessTime = data->ftLastWriteTime = t;
    std::strncpy(data->cFileName, f.name.c_str(), MAX_PATH - 1);
}

bool beforeNoCase(const Found& a, const Found& b)
{
    const size_t n = std::min(a.name.size(), b.name.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = asciiLower(a.name[i]), y = asciiLower(b.name[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.name.size() != b.name.size() ? a.name.size() < b.name.size() : a.name < b.name;
}

} // namespace
} // namespace vtl

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data)
{
    VTL_TRACE(kernel, "FindFirstFileA", pattern, data);
    using namespace vtl;
    if (!pattern || !*pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    // The mask is the last part; the folder before it is resolved like any
    // other name.
    std::string text(pattern);
    const size_t cut = text.find_last_of("\\/:");
    const std::vector<int> mask = dosExpression(cut == std::string::npos ? text : text.substr(cut + 1));
    const std::string folderName = cut == std::string::npos ? std::string(".") : text.substr(0, cut + 1);
    const std::string folder = resolveGamePath(folderName.c_str());
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }

    auto search = std::make_shared<SearchObject>();
    const bool root = fs::equivalent(folder, "/", ec);
    if (!root) {
        for (const char* dot : {".", ".."}) {
            if (matches(mask, dot)) {
                fs::directory_entry entry(fs::path(folder) / dot, ec);
                search->found.push_back(describe(entry, dot));
            }
        }
    }
    std::vector<Found> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (matches(mask, name))
            names.push_back(describe(*it, name));
    }
    std::sort(names.begin(), names.end(), beforeNoCase);
    search->found.insert(search->found.end(), names.begin(), names.end());
    if (search->found.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    fill(search->found[0], data);
    search->next = 1;
    HANDLE handle = addHandle(search);
    if (!handle) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(INVALID_HANDLE_VALUE);
    }
    return vtlTraceCall_.result(handle);
}

BOOL FindNextFileA(HANDLE handle, LPWIN32_FIND_DATAA data)
{
    VTL_TRACE(kernel, "FindNextFileA", handle, data);
    using namespace vtl;
    auto search = std::dynamic_pointer_cast<SearchObject>(findHandle(handle));
    if (!search || !data) {
        SetLastError(search ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    if (search->next >= search->found.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return vtlTraceCall_.result(FALSE);
    }
    fill(search->found[search->next++], data);
    return vtlTraceCall_.result(TRUE);
}

BOOL FindClose(HANDLE handle)
{
    VTL_TRACE(kernel, "FindClose", handle);
    using namespace vtl;
    if (!std::dynamic_pointer_cast<SearchObject>(findHandle(handle))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return vtlTraceCall_.result(FALSE);
    }
    return vtlTraceCall_.result(CloseHandle(handle));
}
