#include "platform/user/raw_input.h"

#include "platform/user/video_backend.h"

#include <atomic>

namespace vtl {
namespace {
std::atomic<RawInputSink*> gSink{nullptr};
} // namespace

void setRawInputSink(RawInputSink* sink) { gSink.store(sink); }

RawInputSink* rawInputSink() { return gSink.load(); }

void inputMouseMotion(HWND top, int dx, int dy)
{
    if (RawInputSink* sink = rawInputSink())
        sink->mouseMotion(top, dx, dy);
}

void inputMouseWheel(HWND top, int delta)
{
    if (RawInputSink* sink = rawInputSink())
        sink->mouseWheel(top, delta);
}

void holdPointer(HWND top, bool held)
{
    WindowRef w = lookupWindow(top);
    if (w)
        videoBackend().holdPointer(*w, held);
}

} // namespace vtl
