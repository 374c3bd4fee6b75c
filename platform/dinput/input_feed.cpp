#include "platform/dinput/input_feed.h"

#include "platform/dinput/key_codes.h"
#include "platform/user/raw_input.h"
#include "platform/user/video_backend.h"

#include <algorithm>
#include <vector>

namespace vtl {
namespace {

std::vector<InputDevice*>& devices()
{
    static std::vector<InputDevice*> all;
    return all;
}

DWORD gSequence = 0;

class Feed final : public RawInputSink {
public:
    void key(HWND top, int vk, bool down, bool extended) override
    {
        const int dik = dikOfVirtualKey(vk, extended);
        if (!dik)
            return;
        std::lock_guard<std::mutex> lock(inputFeedLock());
        for (InputDevice* d : devices())
            if (d->takesInputFrom(top))
                d->onKey(dik, down);
    }
    void mouseMotion(HWND top, int dx, int dy) override
    {
        if (dx == 0 && dy == 0)
            return;
        std::lock_guard<std::mutex> lock(inputFeedLock());
        for (InputDevice* d : devices())
            if (d->takesInputFrom(top))
                d->onMouseMotion(dx, dy, 0);
    }
    void mouseWheel(HWND top, int delta) override
    {
        std::lock_guard<std::mutex> lock(inputFeedLock());
        for (InputDevice* d : devices())
            if (d->takesInputFrom(top))
                d->onMouseMotion(0, 0, delta);
    }
    void mouseButton(HWND top, MouseButton button, bool down) override
    {
        // The device's buttons are left, right, middle.
        std::lock_guard<std::mutex> lock(inputFeedLock());
        for (InputDevice* d : devices())
            if (d->takesInputFrom(top))
                d->onMouseButton(static_cast<int>(button), down);
    }
    void focusLost(HWND top) override
    {
        std::lock_guard<std::mutex> lock(inputFeedLock());
        for (InputDevice* d : devices())
            d->onFocusLost(top);
    }
};

} // namespace

std::mutex& inputFeedLock()
{
    static std::mutex lock;
    return lock;
}

void joinInputFeed(InputDevice* device)
{
    static Feed feed;
    std::lock_guard<std::mutex> lock(inputFeedLock());
    devices().push_back(device);
    setRawInputSink(&feed);
}

void leaveInputFeed(InputDevice* device)
{
    std::lock_guard<std::mutex> lock(inputFeedLock());
    auto& all = devices();
    all.erase(std::remove(all.begin(), all.end(), device), all.end());
}

DWORD nextInputSequence() { return ++gSequence; }

bool heldExclusivelyElsewhere(const InputDevice* asking, DeviceKind kind, unsigned stick)
{
    for (InputDevice* d : devices())
        if (d != asking && d->holdsExclusively(kind, stick))
            return true;
    return false;
}

void pumpInput()
{
    if (VideoBackend* backend = existingVideoBackend())
        backend->pump();
}

} // namespace vtl
