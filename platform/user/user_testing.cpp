#include "platform/user/user_testing.h"

#include "platform/kernel/last_error.h"

namespace vtl::testing::user {
namespace {

CallHooks<Op, DWORD>& hooks()
{
    static CallHooks<Op, DWORD> h;
    return h;
}

} // namespace

void failNext(Op op, DWORD error, unsigned skip) { hooks().failNext(op, error, skip); }

void failAlways(Op op, DWORD error) { hooks().failAlways(op, error); }

void record() { hooks().record(); }

std::vector<Call> calls() { return hooks().calls(); }

unsigned countCalls(Op op) { return hooks().countCalls(op); }

void reset() { hooks().reset(); }

bool intercept(Op op)
{
    DWORD error = 0;
    if (!hooks().intercept(op, 0, &error))
        return false;
    setError(error);
    return true;
}

} // namespace vtl::testing::user
