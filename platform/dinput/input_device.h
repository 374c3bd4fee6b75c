// One input device object: the keyboard, the mouse or a stick of the game
// port, through the device interfaces.  Input reaches it through the input
// feed (input_feed.h), under the feed's lock.
#ifndef VANTREL_PLATFORM_DINPUT_INPUT_DEVICE_H
#define VANTREL_PLATFORM_DINPUT_INPUT_DEVICE_H

#include "platform/dinput/device_kinds.h"

#include <atomic>
#include <deque>
#include <vector>

namespace vtl {

// The cooking of an absolute axis.
struct AxisSettings {
    LONG min = 0;
    LONG max = 65535;
    DWORD deadZone = 0;       // in 1/10000 of the half range
    DWORD saturation = 10000; // likewise
};

class InputDevice final : public IDirectInputDevice7A {
public:
    InputDevice(DeviceKind kind, unsigned stick, DWORD version);
    ~InputDevice();
    InputDevice(const InputDevice&) = delete;
    InputDevice& operator=(const InputDevice&) = delete;

    HRESULT WINAPI QueryInterface(REFIID iid, void** object) override;
    ULONG WINAPI AddRef() override;
    ULONG WINAPI Release() override;

    HRESULT WINAPI GetCapabilities(LPDIDEVCAPS caps) override;
    HRESULT WINAPI EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID context, DWORD flags) override;
    HRESULT WINAPI GetProperty(REFGUID property, LPDIPROPHEADER header) override;
    HRESULT WINAPI SetProperty(REFGUID property, LPCDIPROPHEADER header) override;
    HRESULT WINAPI Acquire() override;
    HRESULT WINAPI Unacquire() override;
    HRESULT WINAPI GetDeviceState(DWORD size, LPVOID state) override;
    HRESULT WINAPI GetDeviceData(DWORD objectSize, LPDIDEVICEOBJECTDATA data, LPDWORD count, DWORD flags) override;
    HRESULT WINAPI SetDataFormat(LPCDIDATAFORMAT format) override;
    HRESULT WINAPI SetEventNotification(HANDLE event) override;
    HRESULT WINAPI SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT WINAPI GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA object, DWORD which, DWORD how) override;
    HRESULT WINAPI GetDeviceInfo(LPDIDEVICEINSTANCEA instance) override;
    HRESULT WINAPI RunControlPanel(HWND owner, DWORD flags) override;
    HRESULT WINAPI Initialize(HINSTANCE instance, DWORD version, REFGUID device) override;

    HRESULT WINAPI CreateEffect(REFGUID effect, LPCDIEFFECT parameters, LPDIRECTINPUTEFFECT* made,
                                LPUNKNOWN outer) override;
    HRESULT WINAPI EnumEffects(LPDIENUMEFFECTSCALLBACKA callback, LPVOID context, DWORD type) override;
    HRESULT WINAPI GetEffectInfo(LPDIEFFECTINFOA info, REFGUID effect) override;
    HRESULT WINAPI GetForceFeedbackState(LPDWORD state) override;
    HRESULT WINAPI SendForceFeedbackCommand(DWORD command) override;
    HRESULT WINAPI EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback, LPVOID context,
                                            DWORD flags) override;
    HRESULT WINAPI Escape(LPDIEFFESCAPE escape) override;
    HRESULT WINAPI Poll() override;
    HRESULT WINAPI SendDeviceData(DWORD objectSize, LPCDIDEVICEOBJECTDATA data, LPDWORD count,
                                  DWORD flags) override;
    HRESULT WINAPI EnumEffectsInFile(LPCSTR file, LPDIENUMEFFECTSINFILECALLBACK callback, LPVOID context,
                                     DWORD flags) override;
    HRESULT WINAPI WriteEffectToFile(LPCSTR file, DWORD count, LPDIFILEEFFECT effects, DWORD flags) override;

    // Input, with the feed's lock held.
    void onKey(int dik, bool down);
    void onMouseMotion(LONG dx, LONG dy, LONG wheel);
    void onMouseButton(int button, bool down);
    void onFocusLost(HWND top);
    // True for an acquired exclusive device of the same kind (and stick).
    bool holdsExclusively(DeviceKind kind, unsigned stick) const;
    bool takesInputFrom(HWND top) const;

private:
    // A data format's entry as the device maps it.
    struct Slot {
        DWORD offset;
        int object; // -1: no object of the device matched (an optional entry)
        bool isButton;
        bool isPov;
    };
    static constexpr DWORD kUnmapped = 0xFFFFFFFF;

    bool relativeAxes() const;
    // The acquisition check every read makes: DIERR_INPUTLOST once after
    // the device lost it, then DIERR_NOTACQUIRED.
    HRESULT readable();
    void loseAcquisition();
    void change(int object, LONG value, DWORD data, DWORD sequence);
    HRESULT readStickNow();
    LONG cook(int axis, DWORD raw) const;
    int objectById(DWORD id) const;
    int objectAt(DWORD offset) const;
    // The object a property header names: -1 the device, -2 none found,
    // -3 a malformed header.
    int propertyTarget(const DIPROPHEADER& header) const;
    void describeObject(int object, DIDEVICEOBJECTINSTANCEA* out) const;
    bool isAxis(int object) const;

    std::atomic<ULONG> refs_{1};
    const DeviceKind kind_;
    const unsigned stick_;
    const DWORD version_;
    const std::vector<DeviceObject> objects_;
    std::vector<LONG> values_;   // buttons 0 or 0x80; axes their value
    std::vector<DWORD> offsets_; // each object's offset in the format
    std::vector<AxisSettings> axes_;
    std::vector<Slot> slots_;
    DWORD dataSize_ = 0;
    bool formatSet_ = false;
    int axisMode_ = -1; // DIPROPAXISMODE_*, -1 the format's or the device's own
    DWORD formatFlags_ = 0;
    HWND window_ = nullptr;
    DWORD level_ = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;
    bool acquired_ = false;
    bool lost_ = false;
    bool holding_ = false;
    HANDLE event_ = nullptr;
    DWORD bufferSize_ = 0;
    std::deque<DIDEVICEOBJECTDATA> buffer_;
    bool overflow_ = false;
};

} // namespace vtl

#endif
