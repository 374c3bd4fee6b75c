// The virtual compact disc on Windows: a folder of WAV tracks
// (track01.wav, track02.wav, ...) played through waveOut by a thread of its
// own, answering the MCI commands of the "cdaudio" device.  WAV only: the
// decoder of compressed tracks (libsndfile) is not built on Windows.
#ifndef VANTREL_PLATFORM_WINDOWS_VIRTUAL_CD_H
#define VANTREL_PLATFORM_WINDOWS_VIRTUAL_CD_H

#include "platform/shared/cd_timeline.h"

#include <windows.h>

#include <mmsystem.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vtl {

class VirtualCd {
public:
    explicit VirtualCd(MCIDEVICEID id);
    ~VirtualCd();
    VirtualCd(const VirtualCd&) = delete;
    VirtualCd& operator=(const VirtualCd&) = delete;

    // The folder named by VANTREL_CDAUDIO, else "cdaudio" beside the
    // executable.
    static std::string folder();
    // Reads the tracks' headers; false when there is no first track.  A
    // track that is no PCM WAV plays as silence of the length its header
    // gives (no length without one), reported to the debugger.
    bool load(const std::string& folder);

    MCIERROR command(UINT message, DWORD_PTR flags, DWORD_PTR parameters);

private:
    struct Track {
        std::string path;
        WAVEFORMATEX format{}; // cbSize 0
        bool playable = false;
        uint32_t frames = 0;
    };

    MCIERROR play(DWORD_PTR flags, const MCI_PLAY_PARMS* params);
    MCIERROR status(DWORD_PTR flags, MCI_STATUS_PARMS* params);
    // Stops the play under way, leaving the position where it was; `why`
    // is what its notification says.
    void halt(WPARAM why);
    uint32_t positionLocked() const;
    void notifyLocked(WPARAM why);

    // The worker: plays [from, to) track by track.
    void run(uint32_t from, uint32_t to);
    void playSegment(size_t track, uint32_t from, uint32_t to);
    bool stopAsked() const { return WaitForSingleObject(stop_, 0) == WAIT_OBJECT_0; }

    const MCIDEVICEID id_;
    std::vector<Track> tracks_;
    CdTimeline timeline_;
    HANDLE stop_;     // set: the worker ends its play
    HANDLE bufferDone_;
    std::thread worker_;

    mutable std::mutex mutex_; // guards what follows
    DWORD timeFormat_ = MCI_FORMAT_MSF;
    bool playing_ = false;
    bool paused_ = false;
    uint32_t cursor_ = 0;      // CD frame, when not playing
    uint32_t until_ = 0;       // where the play (or the paused one) ends
    HWND notifyWindow_ = nullptr;
    // The segment being played: its first CD frame and sample, and the
    // clock it is timed with (waveOut's samples, or milliseconds of silence).
    uint32_t segmentStart_ = 0;
    uint32_t segmentTrackStart_ = 0;
    uint64_t segmentFirstSample_ = 0;
    uint32_t segmentRate_ = 1;
    HWAVEOUT out_ = nullptr;
    DWORD silenceSince_ = 0;
};

} // namespace vtl

#endif
