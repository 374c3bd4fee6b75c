#include "platform/winmm/winmm_testing.h"

namespace vtl::testing::winmm {
namespace {

CallHooks<Op, bool>& hooks()
{
    static auto* h = new CallHooks<Op, bool>; // tracks may be read during exit
    return *h;
}

} // namespace

void failNext(Op op, unsigned skip) { hooks().failNext(op, true, skip); }

void failAlways(Op op) { hooks().failAlways(op, true); }

void record() { hooks().record(); }

std::vector<Call> calls() { return hooks().calls(); }

unsigned countCalls(Op op) { return hooks().countCalls(op); }

void reset() { hooks().reset(); }

bool intercept(Op op)
{
    bool failure = false;
    hooks().intercept(op, 0, &failure);
    return failure;
}

} // namespace vtl::testing::winmm
