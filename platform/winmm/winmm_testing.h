// Test hooks of the CD device: record when a WAV track's file is read whole
// (tracks are read when they first play, once however many devices share the
// disc), and make such a read fail.  The verbs are those of
// <vantrel/seam/call_hooks.h>.  Nothing here is part of the public interface.
#ifndef VANTREL_PLATFORM_WINMM_WINMM_TESTING_H
#define VANTREL_PLATFORM_WINMM_WINMM_TESTING_H

#include <vantrel/seam/call_hooks.h>

#include <vector>

namespace vtl::testing::winmm {

enum class Op {
    ReadWaveTrack, // a WAV track's file read whole into memory
    Count
};

using Call = testing::Call<Op>;

// The next call of `op` after `skip` successful ones fails.
void failNext(Op op, unsigned skip = 0);
// Every call of `op` fails until reset().
void failAlways(Op op);
// Starts recording calls (cleared first); recording stops at reset().
void record();
std::vector<Call> calls();
unsigned countCalls(Op op);
void reset();

// The device's side: true when the call is to fail.
bool intercept(Op op);

} // namespace vtl::testing::winmm

#endif
