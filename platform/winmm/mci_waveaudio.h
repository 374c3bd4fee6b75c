// The "waveaudio" device of mciSendString: a WAV file opened by name, played
// through the shared sound output.
#ifndef VANTREL_PLATFORM_WINMM_MCI_WAVEAUDIO_H
#define VANTREL_PLATFORM_WINMM_MCI_WAVEAUDIO_H

#include <vantrel/win32/mmsystem.h>

#include <string>
#include <vector>

namespace vtl {

// True when the open command names a waveaudio device: a file ending in
// ".wav", "type waveaudio", or the device name itself.
bool namesWaveAudio(const std::string& name, const std::vector<std::string>& rest);

// "open NAME [type waveaudio] [alias ALIAS] [shareable] [wait] [notify]":
// NAME is the file (or "waveaudio", which has no file to play).  Answers the
// device id as text.
MCIERROR openWaveAudio(const std::string& name, const std::vector<std::string>& rest, LPSTR out, UINT size,
                       HWND callback);

// True when `name` (lower case) is an open waveaudio device.
bool isWaveAudio(const std::string& name);

// A command for an open device: play, stop, pause, resume, seek, set,
// status, close.  `rest` is what follows the device name.
MCIERROR waveAudioCommand(const std::string& verb, const std::string& name, const std::vector<std::string>& rest,
                          LPSTR out, UINT size, HWND callback);

// "close all": every waveaudio device.
void closeAllWaveAudio();

// A command's answer as mciSendString gives it: the text into `out` when
// there is one, MCIERR_PARAM_OVERFLOW when it does not fit whole.
MCIERROR answer(const std::string& text, LPSTR out, UINT size);

} // namespace vtl

#endif
