// Audio, the sound device, sound buffers, streamed sound and CD audio.
//
// SOUND owns the process's one sound device (IDirectSound, see
// <vantrel/win32/dsound.h>, whose header tells which output plays it and how
// to choose another).  SOUNDBUFFER holds a whole WAV sound effect; SOUNDSTREAM
// plays a long WAV from the resource archive through a small ring buffer that
// a worker thread refills; CDaudio plays the tracks of the virtual disc
// described in <vantrel/win32/mmsystem.h>.
#ifndef VANTREL_AUDIO_H
#define VANTREL_AUDIO_H

#include <vantrel/win32/dsound.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/types.h>

class VTLHND;

// The sound device of the process and the buffers made on it.  All members
// are static.  Messages go to the debug output (see core.h).
class VANTREL_API SOUND {
public:
    // The device; null until create, and after release.
    static IDirectSound* mSound;

    // Makes the device once, bound to `window` (true at once if it exists).
    // The library does not call CoInitialize; CoCreateInstance works without
    // it here.
    static bool create(HWND window);
    // Releases the device; true if there is none or no reference is left.
    // Release every buffer first.
    static bool release();
    // A buffer of `size` bytes for `format`, with frequency, pan and volume
    // control; null on failure.
    static IDirectSoundBuffer* make(unsigned long size, WAVEFORMATEX* format);
    // As make, with position notification (for SOUNDSTREAM).
    static IDirectSoundBuffer* makeStream(unsigned long size, WAVEFORMATEX* format);
    // A buffer sharing `source`'s sound memory, playing on its own.
    static IDirectSoundBuffer* copy(IDirectSoundBuffer* source);

    SOUND& operator=(const SOUND&) { return *this; }
};

// A whole PCM sound in one buffer, played once or looped.
class VANTREL_API SOUNDBUFFER {
public:
    SOUNDBUFFER* next;   // older buffer in the owner's list
    SOUNDBUFFER* prev;   // newer buffer in the owner's list
    VTLHND* owner;       // whose archive loadWav reads; set by VTLHND::create
    IDirectSoundBuffer* buffer; // the sound; null when empty

    SOUNDBUFFER();
    ~SOUNDBUFFER();
    SOUNDBUFFER(const SOUNDBUFFER&) = delete;
    SOUNDBUFFER& operator=(const SOUNDBUFFER&) = delete; // use copy()

    // A PCM WAV file on disk (its format chunk must come first).
    bool load(const char* fileName);
    // A WAV entry of the owner's archive (chunks in any order).
    bool loadWav(const char* fileName);
    // Becomes a duplicate of `source`: same sound memory, own position.
    bool copy(const SOUNDBUFFER& source);
    // Plays from the current position.
    bool play(bool loop) const;
    // Stops and rewinds to the start.
    bool stop() const;
    // Hundredths of a decibel, 0 (full) to -10000 (silent).
    bool setVol(long volume) const;
    // Hundredths of a decibel of attenuation, -10000 (left only) to 10000
    // (right only).
    bool setPan(long pan) const;
    // Copies `size` bytes from `data` into the buffer from its start.
    bool memread(const char* data, unsigned long size);
    // Releases the buffer; true if there was none or no reference is left.
    bool release();

protected:
    // Reads `size` bytes from an open multimedia file into the buffer.  The
    // buffer is unlocked before a short read is reported.
    bool write(HMMIO file, unsigned long size);
};

// A long PCM WAV from the archive, played through a ring of four segments of
// three quarters of a second each, refilled by a worker thread as the play
// cursor leaves them.  The WAV stays locked in the archive, which must outlive
// the stream.
//
// Two threads touch a playing stream: the game's (play, stop, setVol, setPan)
// and the worker's (stream() on each notification).  stop() waits for the
// worker to end, so a stream may be played again at once, and release()
// stops the stream and ends its worker before freeing the buffer and its
// notification interface.
//
// The end of the sound, as this library plays it:
//  - Played without looping, the sound is heard once: every segment queued
//    after its last piece is silence, and the stream goes quiet (still
//    playing) until the game stops it.  This holds for a sound shorter than
//    the ring too, whose whole data loadWav already queued.
//  - A stream whose sound has been heard to its end starts it again at once
//    when played again (after stop() or not): play refills the ring from the
//    start of the data and plays from the ring's start.  So does the first
//    play after loadWav, which fills the ring again for the loop flag it is
//    given.  A stream stopped before its end goes on as stop() says: the
//    segments still queued first, then the data from its start; when the
//    sound's end is among those segments, silence after it instead.
//    A stream played again while it plays pauses while its worker ends,
//    then goes on from where it was with the new loop flag.
//  - Looping, the piece that ends the data is followed by the start of the
//    data in the next segment; when the data is an exact number of segments
//    there is no gap at all, otherwise a gap of silence shorter than one
//    segment.
class VANTREL_API SOUNDSTREAM {
public:
    SOUNDSTREAM* next;          // older stream in the owner's list
    SOUNDSTREAM* prev;          // newer stream in the owner's list
    VTLHND* owner;              // whose archive holds the WAV
    IDirectSoundBuffer* buffer; // the ring buffer
    IDirectSoundNotify* notify; // the ring buffer's notification interface
    WAVEFORMATEX* format;       // inside the locked WAV entry
    unsigned char* data;        // the WAV's sound data
    DWORD dataSize;
    DWORD readPosition;  // offset in the data of the next byte to queue
    DWORD bufferSize;    // 4 x segmentSize
    DWORD segmentSize;   // bytes refilled per notification
    DWORD writePosition; // offset in the ring of the next segment to refill
    DWORD stopped;       // set by the worker once the buffer has stopped
    unsigned char loop;  // 1: start over at the end of the data
    DWORD endReached;    // 1 once the last piece of the data has been queued
    HANDLE events[2];    // [0] segment event, [1] stop event; made by play
    HANDLE thread;       // the worker thread of the current play, or null
    // Kept by the library for the end of the sound:
    DWORD endPending;    // 1 while the data's last piece is queued and the cursor has not left its segment
    DWORD endSegment;    // offset in the ring of the segment holding the last piece
    DWORD endOffset;     // offset in the ring just past the last byte of the data
    DWORD refillOnPlay;  // 1: the next play fills the ring from the start first
                         // (after loadWav, and once a sound played once has ended)

    bool loadWav(const char* fileName);
    bool play(bool loop);
    bool stop();
    bool setVol(long volume);
    bool setPan(long pan);
    // Refills the segment at writePosition with the next piece of the data.
    bool stream();
    // Stops, ends the worker and releases the notification interface and
    // the buffer; true if there was no buffer or no reference is left.
    bool release();

    SOUNDSTREAM& operator=(const SOUNDSTREAM&) = default;

private:
    bool heardToTheEnd();
};

// The CD audio tracks of the virtual disc, through the "cdaudio" MCI device.
// Positions are TMSF values (track, minutes, seconds, frames of 1/75 s in
// bytes 0 to 3).  Reports nothing to the debug output.
class VANTREL_API CDaudio {
public:
    MCI_OPEN_PARMS openParams;
    MCI_PLAY_PARMS playParams;
    MCI_SET_PARMS setParams;
    MCI_STATUS_PARMS statusParams;
    DWORD device;        // the MCI device id
    DWORD savedPosition; // where resume plays from while paused
    HWND window;         // stored as the play callback window
    DWORD playing;       // a play has been started and not stopped
    DWORD paused;

    // Opens the device; false when there is no disc (no track01.wav).
    bool init(HWND window);
    // `track` alone, or (toEnd 1) from `track` to the end of the disc.
    bool play(unsigned int track, int toEnd);
    bool stop();
    bool pause();
    bool resume();
    // Both give the number of tracks on the disc.
    unsigned int currentTrack();
    unsigned int numberOfTracks();
    // The end of the disc: the last track's number with its length as
    // minutes, seconds and frames (TMSF).
    unsigned int length();
    // Minutes, seconds and frames in bytes 0 to 2.
    unsigned int trackLength(unsigned int track);
    // The current position; 1 (start of track 1) when not playing.
    unsigned int position();
    // Ten seconds back within the track (not before its start), and play.
    void seekStart();
    // Ten seconds forward, and play.
    void seekEnd();

    CDaudio& operator=(const CDaudio&) = default;
};

// Sends an MCI command to the device a CDaudio opened (its `device`), as
// mciSendCommand does: for what the class does not ask itself, such as the
// mode (MCI_STATUS_MODE) to tell that a play has ended.  Use it rather than
// mciSendCommand: on Windows, without a disc in the drive, the device is the
// library's virtual disc, which the system's MCI does not know.
VANTREL_API MCIERROR VTLCdCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);

#endif
