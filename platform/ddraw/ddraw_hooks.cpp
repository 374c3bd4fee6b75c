#include "platform/ddraw/ddraw_hooks.h"

namespace {

struct Fault {
    bool armed = false;
    bool always = false;
    unsigned skip = 0;
    HRESULT result = 0;
};

constexpr size_t kOps = static_cast<size_t>(vtl::ddhooks::Op::Count);
Fault gFaults[kOps];
bool gRecording = false;
std::vector<vtl::ddhooks::Call> gCalls;
unsigned gLossCount = 0;
unsigned gExtraDrivers = 0;

} // namespace

unsigned vtl::displayLossCount() { return gLossCount; }

void vtl::ddhooks::loseDisplay() { ++gLossCount; }

void vtl::ddhooks::failOnce(Op op, HRESULT result, unsigned skip)
{
    gFaults[static_cast<size_t>(op)] = Fault{true, false, skip, result};
}

void vtl::ddhooks::failAlways(Op op, HRESULT result)
{
    gFaults[static_cast<size_t>(op)] = Fault{true, true, 0, result};
}

void vtl::ddhooks::recordCalls()
{
    gCalls.clear();
    gRecording = true;
}

const std::vector<vtl::ddhooks::Call>& vtl::ddhooks::calls() { return gCalls; }

unsigned vtl::ddhooks::countCalls(Op op)
{
    unsigned n = 0;
    for (const Call& c : gCalls)
        n += c.op == op;
    return n;
}

void vtl::ddhooks::setExtraDrivers(unsigned count) { gExtraDrivers = count; }

unsigned vtl::ddhooks::extraDrivers() { return gExtraDrivers; }

void vtl::ddhooks::reset()
{
    for (Fault& f : gFaults)
        f = Fault{};
    gCalls.clear();
    gRecording = false;
    gExtraDrivers = 0;
}

HRESULT vtl::ddhooks::enter(Op op, DWORD flags)
{
    if (gRecording)
        gCalls.push_back(Call{op, flags});
    Fault& f = gFaults[static_cast<size_t>(op)];
    if (!f.armed)
        return 0;
    if (f.always)
        return f.result;
    if (f.skip > 0) {
        --f.skip;
        return 0;
    }
    f.armed = false;
    return f.result;
}
