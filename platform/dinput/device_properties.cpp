// What a device says about itself: capabilities, objects, identity and
// properties.
#include "platform/dinput/input_device.h"

#include "platform/dinput/input_feed.h"
#include "platform/kernel/trace.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vtl {
namespace {

// DIPROP_* are the entries of vantrelInputProperties; 0 for any other GUID.
uintptr_t propertyNumber(REFGUID property)
{
    const GUID* first = vantrelInputProperties;
    const GUID* last = first + sizeof vantrelInputProperties / sizeof vantrelInputProperties[0];
    for (const GUID* p = first; p != last; ++p)
        if (p == &property)
            return uintptr_t(p - first);
    return 0;
}

constexpr LONG kWheelGranularity = 120;

// What GetProperty and SetProperty refuse alike, once the header's own size
// is right and the object it names is looked up: a header that names no
// object, one naming an object the device lacks, and a property given in a
// structure of the wrong size.  DI_OK when the call can go on.
HRESULT checkPropertyHeader(const DIPROPHEADER& header, uintptr_t number, int target)
{
    if (target == -3)
        return DIERR_INVALIDPARAM;
    if (target == -2)
        return DIERR_OBJECTNOTFOUND;
    const bool wantsDword = number == 1 || number == 2 || number == 3 || number == 5 || number == 6;
    if ((wantsDword && header.dwSize != sizeof(DIPROPDWORD)) || (number == 4 && header.dwSize != sizeof(DIPROPRANGE)))
        return DIERR_INVALIDPARAM;
    return DI_OK;
}

} // namespace

int InputDevice::objectById(DWORD id) const
{
    for (size_t i = 0; i < objects_.size(); ++i) {
        const DWORD own = objects_[i].id;
        if ((own & DIDFT_INSTANCEMASK) == (id & DIDFT_INSTANCEMASK) && (own & id & 0xFF))
            return int(i);
    }
    return -1;
}

int InputDevice::objectAt(DWORD offset) const
{
    for (size_t i = 0; i < objects_.size(); ++i)
        if (offsets_[i] == offset)
            return int(i);
    return -1;
}

int InputDevice::propertyTarget(const DIPROPHEADER& header) const
{
    switch (header.dwHow) {
    case DIPH_DEVICE: return header.dwObj == 0 ? -1 : -3;
    case DIPH_BYOFFSET: {
        const int object = formatSet_ ? objectAt(header.dwObj) : -1;
        return object >= 0 ? object : -2;
    }
    case DIPH_BYID: {
        const int object = objectById(header.dwObj);
        return object >= 0 ? object : -2;
    }
    default: return -3;
    }
}

void InputDevice::describeObject(int object, DIDEVICEOBJECTINSTANCEA* out) const
{
    const DeviceObject& o = objects_[size_t(object)];
    DIDEVICEOBJECTINSTANCEA full = {};
    full.dwSize = out->dwSize;
    full.guidType = *o.type;
    full.dwOfs = offsets_[size_t(object)] != kUnmapped ? offsets_[size_t(object)] : o.nativeOffset;
    full.dwType = o.id;
    full.dwFlags = o.flags;
    std::snprintf(full.tszName, MAX_PATH, "%s", o.name);
    std::memcpy(out, &full, out->dwSize);
}

HRESULT InputDevice::GetCapabilities(LPDIDEVCAPS caps)
{
    VTL_TRACE(user, "IDirectInputDevice::GetCapabilities", caps);
    if (!caps)
        return vtlTraceCall_.result(E_POINTER);
    if (caps->dwSize != sizeof(DIDEVCAPS) && caps->dwSize != sizeof(DIDEVCAPS_DX3))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    DIDEVCAPS full = {};
    full.dwSize = caps->dwSize;
    full.dwFlags = DIDC_ATTACHED;
    if (kind_ == DeviceKind::Joystick)
        full.dwFlags |= DIDC_POLLEDDEVICE | DIDC_POLLEDDATAFORMAT;
    full.dwDevType = deviceTypeOf(kind_);
    for (const DeviceObject& o : objects_) {
        if (o.id & DIDFT_AXIS)
            ++full.dwAxes;
        else if (o.id & DIDFT_BUTTON)
            ++full.dwButtons;
    }
    std::memcpy(caps, &full, caps->dwSize);
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context, DWORD flags)
{
    VTL_TRACE(user, "IDirectInputDevice::EnumObjects", callback, context, flags);
    if (!callback)
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    const DWORD types = flags & 0xFF;
    std::vector<DIDEVICEOBJECTINSTANCEA> found;
    {
        std::lock_guard<std::mutex> lock(inputFeedLock());
        for (size_t i = 0; i < objects_.size(); ++i) {
            if (types && !(objects_[i].id & types))
                continue;
            DIDEVICEOBJECTINSTANCEA instance;
            instance.dwSize = version_ >= 0x0500 ? sizeof(DIDEVICEOBJECTINSTANCEA) : sizeof(DIDEVICEOBJECTINSTANCE_DX3A);
            describeObject(int(i), &instance);
            found.push_back(instance);
        }
    }
    // Without the lock: the callback may call the device.
    for (const DIDEVICEOBJECTINSTANCEA& instance : found)
        if (callback(&instance, context) == DIENUM_STOP)
            break;
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA object, DWORD which, DWORD how)
{
    VTL_TRACE(user, "IDirectInputDevice::GetObjectInfo", object, which, how);
    if (!object)
        return vtlTraceCall_.result(E_POINTER);
    if (object->dwSize != sizeof(DIDEVICEOBJECTINSTANCEA) && object->dwSize != sizeof(DIDEVICEOBJECTINSTANCE_DX3A))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(inputFeedLock());
    const DIPROPHEADER header = {sizeof(DIPROPHEADER), sizeof(DIPROPHEADER), which, how};
    const int target = how == DIPH_DEVICE ? -3 : propertyTarget(header);
    if (target == -3)
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    if (target < 0)
        return vtlTraceCall_.result(DIERR_OBJECTNOTFOUND);
    describeObject(target, object);
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::GetDeviceInfo(LPDIDEVICEINSTANCEA instance)
{
    VTL_TRACE(user, "IDirectInputDevice::GetDeviceInfo", instance);
    if (!instance)
        return vtlTraceCall_.result(E_POINTER);
    if (instance->dwSize != sizeof(DIDEVICEINSTANCEA) && instance->dwSize != sizeof(DIDEVICEINSTANCE_DX3A))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    describeDevice(kind_, stick_, instance);
    return vtlTraceCall_.result(DI_OK);
}

HRESULT InputDevice::GetProperty(REFGUID property, LPDIPROPHEADER header)
{
    VTL_TRACE(user, "IDirectInputDevice::GetProperty", propertyNumber(property), header);
    if (!header)
        return vtlTraceCall_.result(E_POINTER);
    if (header->dwHeaderSize != sizeof(DIPROPHEADER))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(inputFeedLock());
    const int target = propertyTarget(*header);
    const uintptr_t number = propertyNumber(property);
    const HRESULT checked = checkPropertyHeader(*header, number, target);
    if (checked != DI_OK)
        return vtlTraceCall_.result(checked);
    DIPROPDWORD* word = reinterpret_cast<DIPROPDWORD*>(header);
    switch (number) {
    case 1: // DIPROP_BUFFERSIZE
    case 2: // DIPROP_AXISMODE
        if (target != -1)
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        word->dwData = number == 1 ? bufferSize_ : (relativeAxes() ? DIPROPAXISMODE_REL : DIPROPAXISMODE_ABS);
        return vtlTraceCall_.result(DI_OK);
    case 3: // DIPROP_GRANULARITY
        if (!isAxis(target))
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        word->dwData = kind_ == DeviceKind::Mouse && target == 2 ? kWheelGranularity : 1;
        return vtlTraceCall_.result(DI_OK);
    case 4: // DIPROP_RANGE
    case 5: // DIPROP_DEADZONE
    case 6: // DIPROP_SATURATION
        if (kind_ != DeviceKind::Joystick)
            return vtlTraceCall_.result(DIERR_UNSUPPORTED);
        if (!isAxis(target))
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        if (number == 4) {
            DIPROPRANGE* range = reinterpret_cast<DIPROPRANGE*>(header);
            range->lMin = axes_[size_t(target)].min;
            range->lMax = axes_[size_t(target)].max;
        } else {
            word->dwData = number == 5 ? axes_[size_t(target)].deadZone : axes_[size_t(target)].saturation;
        }
        return vtlTraceCall_.result(DI_OK);
    default: return vtlTraceCall_.result(DIERR_UNSUPPORTED);
    }
}

HRESULT InputDevice::SetProperty(REFGUID property, LPCDIPROPHEADER header)
{
    VTL_TRACE(user, "IDirectInputDevice::SetProperty", propertyNumber(property), header);
    if (!header)
        return vtlTraceCall_.result(E_POINTER);
    if (header->dwHeaderSize != sizeof(DIPROPHEADER))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    std::lock_guard<std::mutex> lock(inputFeedLock());
    const int target = propertyTarget(*header);
    const uintptr_t number = propertyNumber(property);
    const HRESULT checked = checkPropertyHeader(*header, number, target);
    if (checked != DI_OK)
        return vtlTraceCall_.result(checked);
    const bool isDword = header->dwSize == sizeof(DIPROPDWORD);
    const DWORD value = isDword ? reinterpret_cast<const DIPROPDWORD*>(header)->dwData : 0;
    switch (number) {
    case 1: // DIPROP_BUFFERSIZE
    case 2: // DIPROP_AXISMODE
        if (target != -1 || (number == 2 && value > DIPROPAXISMODE_REL))
            return vtlTraceCall_.result(DIERR_INVALIDPARAM);
        if (acquired_)
            return vtlTraceCall_.result(DIERR_ACQUIRED);
        if (number == 1)
            bufferSize_ = value;
        else
            axisMode_ = int(value);
        return vtlTraceCall_.result(DI_OK);
    case 3: return vtlTraceCall_.result(DIERR_READONLY); // DIPROP_GRANULARITY
    case 4: // DIPROP_RANGE
    case 5: // DIPROP_DEADZONE
    case 6: // DIPROP_SATURATION
        break;
    default: return vtlTraceCall_.result(DIERR_UNSUPPORTED);
    }
    if (kind_ != DeviceKind::Joystick)
        return vtlTraceCall_.result(DIERR_UNSUPPORTED);
    if (target >= 0 && !isAxis(target))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    const DIPROPRANGE* range = reinterpret_cast<const DIPROPRANGE*>(header);
    if ((number == 4 && range->lMin > range->lMax) || (number != 4 && value > 10000))
        return vtlTraceCall_.result(DIERR_INVALIDPARAM);
    for (size_t i = 0; i < objects_.size(); ++i) {
        if ((target >= 0 && size_t(target) != i) || !isAxis(int(i)))
            continue;
        if (number == 4) {
            axes_[i].min = range->lMin;
            axes_[i].max = range->lMax;
        } else if (number == 5) {
            axes_[i].deadZone = value;
        } else {
            axes_[i].saturation = value;
        }
    }
    return vtlTraceCall_.result(DI_OK);
}

} // namespace vtl
