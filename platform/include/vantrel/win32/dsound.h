// The Windows-shaped sound device: IDirectSound, its sound buffers and their
// position notifications.
//
// CoCreateInstance(CLSID_DirectSound, ..., IID_IDirectSound) or
// DirectSoundCreate makes a device; Initialize opens the process's sound
// output, chosen by the environment variable VANTREL_AUDIO:
//   sdl        an SDL audio device (the default; if SDL cannot open one, the
//              headless output is used instead)
//   headless   no output: samples are consumed in real time and dropped
//   wav:PATH   headless, and everything mixed is written to the WAV file PATH
//              (16-bit stereo at the output rate)
// Every device object of the process and the "cdaudio" device share that one
// output.  Its mixer plays any number of secondary buffers of 8- or 16-bit
// integer PCM or 32-bit float samples, mono or stereo, at any rate from
// DSBFREQUENCY_MIN to DSBFREQUENCY_MAX, resampled with linear interpolation
// and mixed into 16-bit stereo.  A buffer played at the output rate is mixed
// sample for sample.
//
// Volume is in hundredths of a decibel (0 full, -10000 silent); pan attenuates
// one side by the same units (positive: the left side, negative: the right).
// The play cursor advances by what the mixer has taken from the buffer; the
// write cursor lies one mixing period ahead of it.  Position notifications
// are signalled as soon as the byte at their offset has been mixed, and
// DSBPN_OFFSETSTOP when the buffer stops (Stop, or the end of a buffer played
// without DSBPLAY_LOOPING, which also rewinds it to 0).
//
// Lock returns pointers into the buffer's own memory.  As on the system games
// were written for, writing where the play cursor is about to read is the
// game's affair; regions the cursor has left may be rewritten while playing.
//
// Not provided: the primary buffer (DSBCAPS_PRIMARYBUFFER gives
// DSERR_UNSUPPORTED), 3D sound and effects.  The outputs here never take a
// buffer's memory away, so buffers are not lost in practice; a lost buffer
// refuses Play and Lock with DSERR_BUFFERLOST until Restore, which keeps its
// contents.
#ifndef VANTREL_WIN32_DSOUND_H
#define VANTREL_WIN32_DSOUND_H

#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/objbase.h>
#include <vantrel/win32/types.h>

// Results.
#define DS_OK S_OK
#define DSERR_ALLOCATED ((HRESULT)0x8878000AL)
#define DSERR_CONTROLUNAVAIL ((HRESULT)0x8878001EL)
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_INVALIDCALL ((HRESULT)0x88780032L)
#define DSERR_GENERIC E_FAIL
#define DSERR_PRIOLEVELNEEDED ((HRESULT)0x88780046L)
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_BADFORMAT ((HRESULT)0x88780064L)
#define DSERR_UNSUPPORTED E_NOTIMPL
#define DSERR_NODRIVER ((HRESULT)0x88780078L)
#define DSERR_ALREADYINITIALIZED ((HRESULT)0x88780082L)
#define DSERR_NOAGGREGATION CLASS_E_NOAGGREGATION
#define DSERR_BUFFERLOST ((HRESULT)0x88780096L)
#define DSERR_OTHERAPPHASPRIO ((HRESULT)0x887800A0L)
#define DSERR_UNINITIALIZED ((HRESULT)0x887800AAL)
#define DSERR_NOINTERFACE E_NOINTERFACE

// Buffer capabilities (DSBUFFERDESC::dwFlags).
#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_STATIC 0x00000002
#define DSBCAPS_LOCHARDWARE 0x00000004
#define DSBCAPS_LOCSOFTWARE 0x00000008
#define DSBCAPS_CTRL3D 0x00000010
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBCAPS_CTRLPOSITIONNOTIFY 0x00000100
#define DSBCAPS_STICKYFOCUS 0x00004000
#define DSBCAPS_GLOBALFOCUS 0x00008000
#define DSBCAPS_GETCURRENTPOSITION2 0x00010000
#define DSBCAPS_MUTE3DATMAXDISTANCE 0x00020000

#define DSBPLAY_LOOPING 0x00000001

#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define DSBSTATUS_LOOPING 0x00000004

#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002

#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

#define DSBVOLUME_MIN -10000
#define DSBVOLUME_MAX 0
#define DSBPAN_LEFT -10000
#define DSBPAN_CENTER 0
#define DSBPAN_RIGHT 10000
#define DSBFREQUENCY_ORIGINAL 0
#define DSBFREQUENCY_MIN 100
#define DSBFREQUENCY_MAX 200000
#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

#define DSBPN_OFFSETSTOP 0xFFFFFFFF

// dwSize must be sizeof(DSBUFFERDESC) (20 bytes on the 32-bit system the
// interface comes from; larger here, where the format pointer is 8 bytes).
typedef struct _DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
} DSBUFFERDESC, *LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

typedef struct _DSBPOSITIONNOTIFY {
    DWORD dwOffset;
    HANDLE hEventNotify;
} DSBPOSITIONNOTIFY, *LPDSBPOSITIONNOTIFY;
typedef const DSBPOSITIONNOTIFY* LPCDSBPOSITIONNOTIFY;

typedef struct _DSCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwMinSecondarySampleRate;
    DWORD dwMaxSecondarySampleRate;
    DWORD dwPrimaryBuffers;
    DWORD dwMaxHwMixingAllBuffers;
    DWORD dwFreeHwMixingAllBuffers;
} DSCAPS, *LPDSCAPS;

typedef struct _DSBCAPS {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwUnlockTransferRate;
    DWORD dwPlayCpuOverhead;
} DSBCAPS, *LPDSBCAPS;

struct IDirectSoundBuffer;

struct VANTREL_API IDirectSound : IUnknown {
    virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, IDirectSoundBuffer** buffer, LPUNKNOWN outer) = 0;
    virtual HRESULT GetCaps(LPDSCAPS caps) = 0;
    // A new buffer sharing `original`'s sound memory, with its own position,
    // volume, pan and frequency (copied), stopped at 0 and without
    // notifications.
    virtual HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) = 0;
    // Any non-null window; the level is recorded.
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
    virtual HRESULT Compact() = 0;
    virtual HRESULT GetSpeakerConfig(LPDWORD config) = 0;
    virtual HRESULT SetSpeakerConfig(DWORD config) = 0;
    // Opens the output (null or any device guid: there is one output).
    virtual HRESULT Initialize(LPCGUID device) = 0;

protected:
    ~IDirectSound() = default;
};
typedef IDirectSound* LPDIRECTSOUND;

struct VANTREL_API IDirectSoundBuffer : IUnknown {
    virtual HRESULT GetCaps(LPDSBCAPS caps) = 0;
    virtual HRESULT GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) = 0;
    virtual HRESULT GetFormat(LPWAVEFORMATEX format, DWORD size, LPDWORD written) = 0;
    virtual HRESULT GetVolume(LPLONG volume) = 0;
    virtual HRESULT GetPan(LPLONG pan) = 0;
    virtual HRESULT GetFrequency(LPDWORD frequency) = 0;
    virtual HRESULT GetStatus(LPDWORD status) = 0;
    virtual HRESULT Initialize(IDirectSound* device, LPCDSBUFFERDESC description) = 0;
    // One or two regions (the second when the locked range wraps past the
    // end); a null `second` takes only the first.
    virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD firstBytes, LPVOID* second,
                         LPDWORD secondBytes, DWORD flags) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD position) = 0;
    virtual HRESULT SetFormat(LPCWAVEFORMATEX format) = 0;
    virtual HRESULT SetVolume(LONG volume) = 0;
    virtual HRESULT SetPan(LONG pan) = 0;
    virtual HRESULT SetFrequency(DWORD frequency) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(LPVOID first, DWORD firstBytes, LPVOID second, DWORD secondBytes) = 0;
    virtual HRESULT Restore() = 0;

protected:
    ~IDirectSoundBuffer() = default;
};
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;

// Got from a buffer made with DSBCAPS_CTRLPOSITIONNOTIFY through
// QueryInterface(IID_IDirectSoundNotify); shares the buffer's reference count.
struct VANTREL_API IDirectSoundNotify : IUnknown {
    // Replaces the buffer's notifications; only while the buffer is stopped
    // (DSERR_INVALIDCALL otherwise).  Offsets lie inside the buffer or are
    // DSBPN_OFFSETSTOP; handles are events (see synch.h).
    virtual HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) = 0;

protected:
    ~IDirectSoundNotify() = default;
};
typedef IDirectSoundNotify* LPDIRECTSOUNDNOTIFY;

VANTREL_API extern const CLSID CLSID_DirectSound;
VANTREL_API extern const IID IID_IDirectSound;
VANTREL_API extern const IID IID_IDirectSoundBuffer;
VANTREL_API extern const IID IID_IDirectSoundNotify;

VANTREL_API HRESULT DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* sound, LPUNKNOWN outer);

#endif
