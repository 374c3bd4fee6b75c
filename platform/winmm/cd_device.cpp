// The emulation's "cdaudio" device always plays the virtual disc.
#include <vantrel/seam/cd_device.h>

MCIERROR vtl::cdCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    return mciSendCommandA(device, message, flags, parameters);
}
