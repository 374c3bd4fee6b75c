#include "platform/ddraw/ddraw_testing.h"

#include "platform/ddraw/display_loss.h"
#include <vantrel/win32/ddraw.h>

#include <atomic>

namespace vtl::testing::ddraw {
namespace {

CallHooks<Op, HRESULT>& hooks()
{
    static CallHooks<Op, HRESULT> h;
    return h;
}

std::atomic<unsigned> gExtraDrivers{0};

} // namespace

void failNext(Op op, HRESULT result, unsigned skip) { hooks().failNext(op, result, skip); }

void failAlways(Op op, HRESULT result) { hooks().failAlways(op, result); }

void record() { hooks().record(); }

std::vector<Call> calls() { return hooks().calls(); }

unsigned countCalls(Op op) { return hooks().countCalls(op); }

void reset()
{
    hooks().reset();
    gExtraDrivers = 0;
}

void loseDisplay() { noteDisplayLoss(); }

void setExtraDrivers(unsigned count) { gExtraDrivers = count; }

unsigned extraDrivers() { return gExtraDrivers; }

HRESULT intercept(Op op, DWORD flags)
{
    HRESULT failure = DD_OK;
    hooks().intercept(op, flags, &failure);
    return failure;
}

} // namespace vtl::testing::ddraw
