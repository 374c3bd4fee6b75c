// RegisterWindowMessageA: one number per name, ignoring case, from the range
// Windows gives such messages.  The numbers are the process's own: another
// program asking for the same name may be given another number.
#include <vantrel/win32/window_calls.h>

#include "platform/kernel/ascii_case.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <mutex>
#include <string>
#include <vector>

using namespace vtl;

namespace {

constexpr UINT kFirstRegistered = 0xC000;
constexpr size_t kRegisteredCount = 0x4000;

} // namespace

UINT RegisterWindowMessageA(LPCSTR name)
{
    VTL_TRACE(user, "RegisterWindowMessageA", name);
    if (!name) {
        setError(ERROR_NOACCESS);
        return vtlTraceCall_.result(0);
    }
    if (!*name || std::string(name).size() > 255) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(0);
    }
    VTL_UNSUPPORTED("RegisterWindowMessageA across programs", "the numbers are this program's own");
    static std::mutex namesMutex;
    static auto* names = new std::vector<std::string>;
    std::lock_guard<std::mutex> lock(namesMutex);
    for (size_t i = 0; i < names->size(); ++i) {
        if (equalNoCase((*names)[i].c_str(), name))
            return vtlTraceCall_.result(static_cast<UINT>(kFirstRegistered + i));
    }
    if (names->size() == kRegisteredCount) {
        setError(ERROR_NOT_ENOUGH_MEMORY);
        return vtlTraceCall_.result(0);
    }
    names->push_back(name);
    return vtlTraceCall_.result(static_cast<UINT>(kFirstRegistered + names->size() - 1));
}
