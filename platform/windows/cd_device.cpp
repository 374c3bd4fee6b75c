// The "cdaudio" device on Windows: the system's, when its drive holds a disc;
// otherwise the virtual disc of track files (platform/windows/virtual_cd.h),
// under device ids of its own that the system never gives.
#include <vantrel/seam/cd_device.h>

#include "platform/windows/virtual_cd.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

// Far above the system's ids, which count from 1.
constexpr MCIDEVICEID kFirstVirtualId = 0x4000;

struct VirtualDevices {
    std::mutex lock;
    std::map<MCIDEVICEID, std::shared_ptr<vtl::VirtualCd>> open;
    MCIDEVICEID next = kFirstVirtualId;
};

// Never destroyed: a game may stop its CD from its globals' destructors.
VirtualDevices& virtualDevices()
{
    static auto* devices = new VirtualDevices;
    return *devices;
}

bool isCdAudio(DWORD_PTR flags, const MCI_OPEN_PARMSA* params)
{
    return params && (flags & MCI_OPEN_TYPE) && !(flags & MCI_OPEN_TYPE_ID) && params->lpstrDeviceType &&
           lstrcmpiA(params->lpstrDeviceType, "cdaudio") == 0;
}

bool hasDisc(MCIDEVICEID device)
{
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MEDIA_PRESENT;
    return mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status)) ==
               0 &&
           status.dwReturn;
}

MCIERROR openCd(DWORD_PTR flags, MCI_OPEN_PARMSA* params)
{
    const MCIERROR real = mciSendCommandA(0, MCI_OPEN, flags, reinterpret_cast<DWORD_PTR>(params));
    if (real == 0) {
        if (hasDisc(params->wDeviceID))
            return 0;
        mciSendCommandA(params->wDeviceID, MCI_CLOSE, MCI_WAIT, 0);
    }
    VirtualDevices& devices = virtualDevices();
    std::lock_guard<std::mutex> lock(devices.lock);
    auto disc = std::make_shared<vtl::VirtualCd>(devices.next);
    if (!disc->load(vtl::VirtualCd::folder()))
        return real ? real : MCIERR_DEVICE_NOT_READY;
    params->wDeviceID = devices.next++;
    devices.open[params->wDeviceID] = disc;
    return 0;
}

} // namespace

MCIERROR vtl::cdCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    if (message == MCI_OPEN) {
        auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(parameters);
        return isCdAudio(flags, open) ? openCd(flags, open) : mciSendCommandA(device, message, flags, parameters);
    }
    std::shared_ptr<VirtualCd> disc;
    {
        VirtualDevices& devices = virtualDevices();
        std::lock_guard<std::mutex> lock(devices.lock);
        auto found = devices.open.find(device);
        if (found == devices.open.end())
            return mciSendCommandA(device, message, flags, parameters);
        disc = found->second;
        if (message == MCI_CLOSE)
            devices.open.erase(found);
    }
    // Closing stops the disc once the last command in flight lets go of it.
    return message == MCI_CLOSE ? 0 : disc->command(message, flags, parameters);
}
