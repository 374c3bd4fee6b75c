// The device object's state: its data format, acquisition, what it reads
// and its buffer.  Properties are in device_properties.cpp; force feedback
// and the rest of the device interface in device_refusals.cpp.
#include "platform/dinput/input_device.h"

#include "platform/dinput/input_feed.h"
#include "platform/kernel/trace.h"
#include "platform/user/raw_input.h"

#include <vantrel/win32/synch.h>
#include <vantrel/win32/timing.h>
#include <vantrel/win32/window.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vtl {
namespace {

bool sameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

bool isWindowForeground(HWND window) { return window && GetForegroundWindow() == window; }

} // namespace

InputDevice::InputDevice(DeviceKind kind, unsigned stick, DWORD version)
    : kind_(kind), stick_(stick), version_(version), objects_(objectsOf(kind)), values_(objects_.size(), 0),
      offsets_(objects_.size(), kUnmapped), axes_(objects_.size())
{
    joinInputFeed(this);
}

InputDevice::~InputDevice() { leaveInputFeed(this); }

HRESULT InputDevice::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (sameGuid(iid, IID_IUnknown) || sameGuid(iid, IID_IDirectInputDeviceA) ||
        sameGuid(iid, IID_IDirectInputDevice2A) || sameGuid(iid, IID_IDirectInputDevice7A)) {
        AddRef();
        *object = this;
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG InputDevice::AddRef() { return ++refs_; }

ULONG InputDevice::Release()
{
    const ULONG left = --refs_;
    if (left == 0) {
        Unacquire();
        delete this;
    }
    return left;
}

bool InputDevice::relativeAxes() const
{
    if (axisMode_ >= 0)
        return axisMode_ == DIPROPAXISMODE_REL;
    if (formatFlags_ & DIDF_ABSAXIS)
        return false;
    if (formatFlags_ & DIDF_RELAXIS)
        return true;
    return kind_ == DeviceKind::Mouse;
}

bool InputDevice::isAxis(int object) const
{
    return object >= 0 && (objects_[size_t(object)].id & DIDFT_AXIS) != 0;
}

bool InputDevice::takesInputFrom(HWND top) const
{
    if (kind_ == DeviceKind::Joystick)
        return false;
    return (level_ & DISCL_BACKGROUND) || window_ == top;
}

bool InputDevice::holdsExclusively(DeviceKind kind, unsigned stick) const
{
    return acquired_ && (level_ & DISCL_EXCLUSIVE) && kind == kind_ && stick == stick_;
}

void InputDevice::loseAcquisition()
{
    acquired_ = false;
    lost_ = true;
    if (holding_) {
        holding_ = false;
        holdPointer(window_, false);
    }
}

HRESULT InputDevice::readable()
{
    if (acquired_ && (level_ & DISCL_FOREGROUND) && !isWindowForeground(window_))
        loseAcquisition();
    if (lost_) {
        lost_ = false;
        return DIERR_INPUTLOST;
    }
    return acquired_ ? DI_OK : DIERR_NOTACQUIRED;
}

// Records an object's new value and, while acquired, buffers the change:
// `data` is what the buffer reports (a relative axis's motion, else the
// value).
void InputDevice::change(int object, LONG value, DWORD data, DWORD sequence)
{
    values_[size_t(object)] = value;
    if (!acquired_ || offsets_[size_t(object)] == kUnmapped)
        return;
    if (bufferSize_ > 0) {
        if (buffer_.size() >= bufferSize_)
            overflow_ = true;
        else
            buffer_.push_back({offsets_[size_t(object)], data, GetTickCount(), sequence});
    }
    if (event_)
        SetEvent(event_);
}

void InputDevice::onKey(int dik, bool down)
{
    if (kind_ != DeviceKind::Keyboard)
        return;
    const DWORD id = DIDFT_MAKEINSTANCE(dik);
    for (size_t i = 0; i < objects_.size(); ++i) {
        if ((objects_[i].id & DIDFT_INSTANCEMASK) != id)
            continue;
        const LONG value = down ? 0x80 : 0;
        if (values_[i] != value)
            change(int(i), value, DWORD(value), nextInputSequence());
        return;
    }
}

void InputDevice::onMouseMotion(LONG dx, LONG dy, LONG wheel)
{
    if (kind_ != DeviceKind::Mouse || !acquired_)
        return;
    // Simultaneous motion shares a sequence number, as on Windows.
    const DWORD sequence = nextInputSequence();
    const LONG motion[3] = {dx, dy, wheel};
    const bool relative = relativeAxes();
    for (int axis = 0; axis < 3; ++axis)
        if (motion[axis] != 0) {
            const LONG value = values_[size_t(axis)] + motion[axis];
            change(axis, value, DWORD(relative ? motion[axis] : value), sequence);
        }
}

void InputDevice::onMouseButton(int button, bool down)
{
    if (kind_ != DeviceKind::Mouse || button < 0 || button > 2)
        return;
    const int object = 3 + button;
    const LONG value = down ? 0x80 : 0;
    if (values_[size_t(object)] != value)
        change(object, value, DWORD(value), nextInputSequence());
}

void InputDevice::onFocusLost(HWND top)
{
    if (acquired_ && (level_ & DISCL_FOREGROUND) && window_ == top)
        loseAcquisition();
}

LONG InputDevice::cook(int axis, DWORD raw) const
{
    const AxisSettings& s = axes_[size_t(axis)];
    double n = (double(raw) - 32767.5) / 32767.5;
    double a = std::fabs(n);
    const double dead = s.deadZone / 10000.0, saturation = s.saturation / 10000.0;
    if (a <= dead)
        a = 0;
    else if (a >= saturation)
        a = 1;
    else
        a = (a - dead) / (saturation - dead);
    n = std::copysign(a, n);
    return LONG(std::lround(s.min + (n + 1) / 2 * (double(s.max) - s.min)));
}

HRESULT InputDevice::readStickNow()
{
    StickReading reading;
    if (!readStick(stick_, &reading)) {
        loseAcquisition();
        lost_ = false;
        return DIERR_INPUTLOST;
    }
    const DWORD sequence = nextInputSequence();
    for (int axis = 0; axis < 2; ++axis) {
        const LONG value = cook(axis, reading.axis[axis]);
        if (values_[size_t(axis)] != value)
            change(axis, value, DWORD(value), sequence);
    }
    for (int button = 0; button < 2; ++button) {
        const LONG value = reading.button[button] ? 0x80 : 0;
        if (values_[size_t(2 + button)] != value)
            change(2 + button, value, DWORD(value), sequence);
    }
    return DI_OK;
}

HRESULT InputDevice::SetDataFormat(LPCDIDATAFORMAT format)
{
    VTL_TRACE(user, "IDirectInputDevice::SetDataFormat", format);
    if (!format)
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(inputFeedLock());
    if (acquired_)
        return vtlTraceCall_.result(DIERR_ACQUIRED);
    if (format->dwSize != sizeof(DIDATAFORMAT) || format->dwObjSize != sizeof(DIOBJECTDATAFORMAT) ||
        format->dwDataSize % 4 != 0 || (format->dwNumObjs && !format->rgodf))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    std::vector<Slot> slots;
    std::vector<DWORD> offsets(objects_.size(), kUnmapped);
    for (DWORD e = 0; e < format->dwNumObjs; ++e) {
        const DIOBJECTDATAFORMAT& entry = format->rgodf[e];
        const DWORD types = entry.dwType & 0xFF;
        const DWORD instance = entry.dwType & DIDFT_INSTANCEMASK;
        const DWORD aspect = entry.dwFlags & DIDOI_ASPECTMASK;
        int found = -1;
        for (size_t i = 0; i < objects_.size() && found < 0; ++i) {
            const DeviceObject& o = objects_[i];
            if (offsets[i] != kUnmapped || (aspect && aspect != DIDOI_ASPECTPOSITION))
                continue;
            if (entry.pguid && !sameGuid(*entry.pguid, *o.type))
                continue;
            if (types && !(o.id & types))
                continue;
            if (instance != DIDFT_ANYINSTANCE && (o.id & DIDFT_INSTANCEMASK) != instance)
                continue;
            found = int(i);
        }
        const DWORD objectTypes = found >= 0 ? objects_[size_t(found)].id : types;
        const bool isButton = (objectTypes & DIDFT_BUTTON) != 0 && !(objectTypes & (DIDFT_AXIS | DIDFT_POV));
        const DWORD size = isButton ? 1 : 4;
        if (entry.dwOfs + size > format->dwDataSize || (!isButton && entry.dwOfs % 4 != 0))
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        if (found < 0 && !(entry.dwType & DIDFT_OPTIONAL))
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        if (found >= 0)
            offsets[size_t(found)] = entry.dwOfs;
        slots.push_back({entry.dwOfs, found, isButton, (objectTypes & DIDFT_POV) != 0});
    }
    slots_ = std::move(slots);
    offsets_ = std::move(offsets);
    dataSize_ = format->dwDataSize;
    formatFlags_ = format->dwFlags;
    formatSet_ = true;
    if (kind_ == DeviceKind::Mouse)
        std::fill(values_.begin(), values_.begin() + 3, 0);
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::SetCooperativeLevel(HWND window, DWORD flags)
{
    VTL_TRACE(user, "IDirectInputDevice::SetCooperativeLevel", window, flags);
    const DWORD exclusive = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    const DWORD ground = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    if (flags & ~DWORD(DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND | DISCL_NOWINKEY) ||
        exclusive == 0 || exclusive == (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE) || ground == 0 ||
        ground == (DISCL_FOREGROUND | DISCL_BACKGROUND))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    if (kind_ == DeviceKind::Keyboard && flags == (DISCL_EXCLUSIVE | DISCL_BACKGROUND))
        return vtlTraceCall_.result(DIERR_UNSUPPORTED);
    const bool needsWindow = (flags & (DISCL_EXCLUSIVE | DISCL_FOREGROUND)) != 0;
    if (!window && needsWindow)
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    if (window && (!IsWindow(window) || (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)))
        return vtlTraceCall_.result(E_HANDLE);
    std::lock_guard<std::mutex> lock(inputFeedLock());
    if (acquired_)
        return vtlTraceCall_.result(DIERR_ACQUIRED);
    window_ = window;
    level_ = flags;
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::Acquire()
{
    VTL_TRACE0(user, "IDirectInputDevice::Acquire");
    const bool inFront = isWindowForeground(window_);
    bool hold = false;
    {
        std::lock_guard<std::mutex> lock(inputFeedLock());
        if (!formatSet_)
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        if (acquired_)
            return vtlTraceCall_.result(DI_NOEFFECT);
        if ((level_ & DISCL_FOREGROUND) && !inFront)
            return vtlTraceCall_.result(DIERR_OTHERAPPHASPRIO);
        if ((level_ & DISCL_EXCLUSIVE) && heldExclusivelyElsewhere(this, kind_, stick_))
            return vtlTraceCall_.result(DIERR_OTHERAPPHASPRIO);
        if (kind_ == DeviceKind::Joystick) {
            StickReading reading;
            if (!readStick(stick_, &reading))
                return vtlTraceCall_.result(DIERR_UNPLUGGED);
        }
        // The stick's position when acquired is its state, not a change.
        if (kind_ == DeviceKind::Joystick)
            readStickNow();
        acquired_ = true;
        lost_ = false;
        buffer_.clear();
        overflow_ = false;
        if (kind_ == DeviceKind::Mouse && relativeAxes())
            std::fill(values_.begin(), values_.begin() + 3, 0);
        hold = holding_ = kind_ == DeviceKind::Mouse && (level_ & DISCL_EXCLUSIVE) && (level_ & DISCL_FOREGROUND);
    }
    if (hold)
        holdPointer(window_, true);
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::Unacquire()
{
    VTL_TRACE0(user, "IDirectInputDevice::Unacquire");
    bool release = false;
    {
        std::lock_guard<std::mutex> lock(inputFeedLock());
        if (!acquired_)
            return vtlTraceCall_.result(DI_NOEFFECT);
        acquired_ = false;
        release = holding_;
        holding_ = false;
    }
    if (release)
        holdPointer(window_, false);
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::GetDeviceState(DWORD size, LPVOID state)
{
    VTL_TRACE(frame, "IDirectInputDevice::GetDeviceState", size, state);
    if (!state)
        return vtlTraceCall_.result(E_POINTER);
    pumpInput();
    std::lock_guard<std::mutex> lock(inputFeedLock());
    if (HRESULT r = readable(); r != DI_OK)
        return vtlTraceCall_.result(r);
    if (size != dataSize_)
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    if (kind_ == DeviceKind::Joystick)
        if (HRESULT r = readStickNow(); r != DI_OK)
            return vtlTraceCall_.result(r);
    unsigned char* out = static_cast<unsigned char*>(state);
    std::memset(out, 0, size);
    for (const Slot& slot : slots_) {
        if (slot.isButton) {
            out[slot.offset] = slot.object >= 0 ? static_cast<unsigned char>(values_[size_t(slot.object)]) : 0;
            continue;
        }
        LONG value = slot.object >= 0 ? values_[size_t(slot.object)] : 0;
        if (slot.isPov && slot.object < 0)
            value = -1; // a hat that is not there reads as centred
        std::memcpy(out + slot.offset, &value, sizeof value);
    }
    // Relative axes report the motion since the last read.
    if (kind_ == DeviceKind::Mouse && relativeAxes())
        std::fill(values_.begin(), values_.begin() + 3, 0);
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::GetDeviceData(DWORD objectSize, LPDIDEVICEOBJECTDATA data, LPDWORD count, DWORD flags)
{
    VTL_TRACE(frame, "IDirectInputDevice::GetDeviceData", objectSize, data, count, flags);
    if (objectSize != sizeof(DIDEVICEOBJECTDATA) || !count || (flags & ~DWORD(DIGDD_PEEK)))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    pumpInput();
    std::lock_guard<std::mutex> lock(inputFeedLock());
    if (HRESULT r = readable(); r != DI_OK)
        return vtlTraceCall_.result(r);
    if (bufferSize_ == 0)
        return vtlTraceCall_.result(DIERR_NOTBUFFERED);
    if (kind_ == DeviceKind::Joystick)
        if (HRESULT r = readStickNow(); r != DI_OK)
            return vtlTraceCall_.result(r);
    const size_t n = std::min<size_t>(*count, buffer_.size());
    if (data)
        std::copy(buffer_.begin(), buffer_.begin() + std::ptrdiff_t(n), data);
    *count = DWORD(n);
    const HRESULT result = overflow_ ? DI_BUFFEROVERFLOW : DI_OK;
    if (!(flags & DIGDD_PEEK)) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + std::ptrdiff_t(n));
        overflow_ = false;
    }
    return vtlTraceCall_.result(result);
}

HRESULT InputDevice::Poll()
{
    VTL_TRACE0(frame, "IDirectInputDevice::Poll");
    pumpInput();
    std::lock_guard<std::mutex> lock(inputFeedLock());
    if (HRESULT r = readable(); r != DI_OK)
        return vtlTraceCall_.result(r);
    if (kind_ != DeviceKind::Joystick)
        return vtlTraceCall_.result(DI_NOEFFECT);
    return vtlTraceCall_.result(readStickNow());
}

HRESULT InputDevice::SetEventNotification(HANDLE event)
{
    VTL_TRACE(user, "IDirectInputDevice::SetEventNotification", event);
    std::lock_guard<std::mutex> lock(inputFeedLock());
    if (acquired_)
        return vtlTraceCall_.result(DIERR_ACQUIRED);
    event_ = event;
    return vtlTraceCall_.result(DI_OK);
}

} // namespace vtl
