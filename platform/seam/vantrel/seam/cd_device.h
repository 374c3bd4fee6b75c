// The CD device the library plays music from: MCI's "cdaudio" device, with
// the MCI commands and parameter blocks of mciSendCommandA.  Where the system
// has no disc to play, the device plays the virtual disc of track files
// instead (the folder named by VANTREL_CDAUDIO, else "cdaudio" beside the
// executable; track01.wav, track02.wav, ...).
#ifndef VANTREL_SEAM_CD_DEVICE_H
#define VANTREL_SEAM_CD_DEVICE_H

#include <vantrel/win32/mmsystem.h>

namespace vtl {

// As mciSendCommandA, for the commands a CD player sends: MCI_OPEN of type
// "cdaudio", MCI_CLOSE, MCI_SET (time format), MCI_STATUS, MCI_PLAY (from,
// to, notify), MCI_STOP, MCI_PAUSE, MCI_RESUME and MCI_SEEK.
MCIERROR cdCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);

} // namespace vtl

#endif
