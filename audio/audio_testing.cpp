#include "audio/audio_testing.h"

#include <atomic>

namespace vtl::testing::audio {
namespace {
// Read by the stream workers while a test may set it.
std::atomic<RefillObserver> gRefillObserver{nullptr};
} // namespace

void observeRefills(RefillObserver observer) { gRefillObserver = observer; }

void reset() { gRefillObserver = nullptr; }

void refilled(SOUNDSTREAM* stream)
{
    if (RefillObserver observer = gRefillObserver)
        observer(stream);
}

} // namespace vtl::testing::audio
