// CDaudio: CD tracks through the "cdaudio" MCI device (the platform's CD
// device, <vantrel/seam/cd_device.h>), in TMSF positions.
#include <vantrel/audio.h>

#include <vantrel/seam/cd_device.h>

namespace {

MCIERROR send(const CDaudio& cd, UINT message, DWORD flags, void* params)
{
    return vtl::cdCommand(cd.device, message, flags, reinterpret_cast<DWORD_PTR>(params));
}

// Plays from `position` to the end of the disc; failures are not reported.
void playFrom(CDaudio& cd, DWORD position)
{
    if (cd.paused) {
        cd.savedPosition = position;
        return;
    }
    cd.playParams.dwCallback = reinterpret_cast<DWORD_PTR>(cd.window);
    cd.playParams.dwFrom = position;
    send(cd, MCI_PLAY, MCI_FROM, &cd.playParams);
}

} // namespace

bool CDaudio::init(HWND owner)
{
    playing = 0;
    paused = 0;
    window = owner;
    openParams = MCI_OPEN_PARMS{};
    openParams.lpstrDeviceType = "cdaudio";
    if (vtl::cdCommand(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&openParams)) != 0)
        return false;
    device = openParams.wDeviceID;
    setParams.dwTimeFormat = MCI_FORMAT_TMSF;
    return send(*this, MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &setParams) == 0;
}

bool CDaudio::play(unsigned int track, int toEnd)
{
    if (paused) {
        savedPosition = track & 0xFF;
        playing = 1;
        return true;
    }
    playParams.dwCallback = reinterpret_cast<DWORD_PTR>(window);
    playParams.dwFrom = track & 0xFF;
    playParams.dwTo = (track + 1) & 0xFF;
    DWORD flags = toEnd == 1 || track == numberOfTracks() ? MCI_FROM : MCI_FROM | MCI_TO;
    if (send(*this, MCI_PLAY, flags, &playParams) != 0)
        return false;
    playing = 1;
    paused = 0;
    return true;
}

bool CDaudio::stop()
{
    if (send(*this, MCI_STOP, MCI_FROM | MCI_TO, &playParams) != 0)
        return false;
    playing = 0;
    paused = 0;
    return true;
}

bool CDaudio::pause()
{
    if (!playing || paused)
        return true;
    statusParams.dwItem = MCI_STATUS_POSITION;
    send(*this, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &statusParams);
    savedPosition = DWORD(statusParams.dwReturn);
    if (send(*this, MCI_STOP, MCI_FROM, &playParams) != 0)
        return false;
    paused = 1;
    return true;
}

bool CDaudio::resume()
{
    if (!playing || !paused)
        return true;
    playParams.dwFrom = savedPosition;
    if (send(*this, MCI_PLAY, MCI_FROM, &playParams) != 0)
        return false;
    paused = 0;
    return true;
}

unsigned int CDaudio::numberOfTracks()
{
    statusParams.dwItem = MCI_STATUS_NUMBER_OF_TRACKS;
    send(*this, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &statusParams);
    return unsigned(statusParams.dwReturn);
}

unsigned int CDaudio::currentTrack()
{
    return numberOfTracks();
}

unsigned int CDaudio::trackLength(unsigned int track)
{
    statusParams.dwItem = MCI_STATUS_LENGTH;
    statusParams.dwTrack = track;
    send(*this, MCI_STATUS, MCI_STATUS_ITEM | MCI_TRACK | MCI_WAIT, &statusParams);
    return unsigned(statusParams.dwReturn);
}

unsigned int CDaudio::length()
{
    unsigned tracks = numberOfTracks();
    unsigned last = trackLength(tracks);
    return MCI_MAKE_TMSF(tracks, MCI_MSF_MINUTE(last), MCI_MSF_SECOND(last), MCI_MSF_FRAME(last));
}

unsigned int CDaudio::position()
{
    if (!playing)
        return 1;
    if (paused)
        return savedPosition;
    statusParams.dwItem = MCI_STATUS_POSITION;
    send(*this, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &statusParams);
    return unsigned(statusParams.dwReturn);
}

void CDaudio::seekStart()
{
    DWORD p = position();
    unsigned m = MCI_TMSF_MINUTE(p), s = MCI_TMSF_SECOND(p);
    if (s >= 10) {
        s -= 10;
    } else if (m > 0) {
        m -= 1;
        s += 50;
    }
    playFrom(*this, MCI_MAKE_TMSF(MCI_TMSF_TRACK(p), m, s, MCI_TMSF_FRAME(p)));
}

void CDaudio::seekEnd()
{
    DWORD p = position();
    unsigned m = MCI_TMSF_MINUTE(p), t = MCI_TMSF_SECOND(p) + 10;
    playFrom(*this, MCI_MAKE_TMSF(MCI_TMSF_TRACK(p), m + t / 60, t % 60, MCI_TMSF_FRAME(p)));
}

MCIERROR VTLCdCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters)
{
    return vtl::cdCommand(device, message, flags, parameters);
}
