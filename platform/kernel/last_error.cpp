#include "platform/kernel/last_error.h"

namespace vtl {
namespace {

thread_local DWORD tLastError = 0;

} // namespace

void setError(DWORD error) { tLastError = error; }

} // namespace vtl

void SetLastError(DWORD error) { vtl::tLastError = error; }
DWORD GetLastError() { return vtl::tLastError; }
