// The Windows-shaped multimedia system: the wave format record, RIFF file
// reading through the mmio functions, and the media control interface with
// its "cdaudio" device.
//
// mmio reads ordinary files, read-only.  The "cdaudio" device plays a virtual
// disc: a folder of WAV files named track01.wav, track02.wav, ... (numbered
// from 01 without gaps; the first missing number ends the disc).  The folder
// is named by the environment variable VANTREL_CDAUDIO; by default it is the
// folder "cdaudio" beside the game's executable.  Tracks may have any PCM
// format the sound device plays; they are played through the same output as
// the sound buffers.  Positions use CD frames, 75 to a second.
#ifndef VANTREL_WIN32_MMSYSTEM_H
#define VANTREL_WIN32_MMSYSTEM_H

#include <vantrel/win32/types.h>

typedef DWORD FOURCC;
typedef UINT MMRESULT;
typedef char* HPSTR;

#define MMSYSERR_NOERROR 0
#define MMSYSERR_ERROR 1
#define MMSYSERR_INVALHANDLE 5
#define MMSYSERR_INVALPARAM 11

#define mmioFOURCC(a, b, c, d) \
    ((FOURCC)(BYTE)(a) | ((FOURCC)(BYTE)(b) << 8) | ((FOURCC)(BYTE)(c) << 16) | ((FOURCC)(BYTE)(d) << 24))
#define MAKEFOURCC mmioFOURCC

// ---------------------------------------------------------------------------
// Wave formats.  The record is packed to 18 bytes, as in WAV files, so that a
// pointer into a file's format chunk can be used as it is.
#define WAVE_FORMAT_PCM 1
#define WAVE_FORMAT_IEEE_FLOAT 3

#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *PWAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;
static_assert(sizeof(WAVEFORMATEX) == 18, "WAVEFORMATEX is 18 bytes");

// ---------------------------------------------------------------------------
// mmio: buffered reading of RIFF files.
struct HMMIO__;
typedef struct HMMIO__* HMMIO;

// Accepted for source compatibility; mmioOpen takes only null here.
typedef struct _MMIOINFO {
    DWORD dwFlags;
    DWORD wErrorRet;
} MMIOINFO, *LPMMIOINFO;

typedef struct _MMCKINFO {
    FOURCC ckid;        // chunk id
    DWORD cksize;       // size of the chunk's body
    FOURCC fccType;     // form type of a RIFF or LIST chunk
    DWORD dwDataOffset; // file offset of the body
    DWORD dwFlags;
} MMCKINFO, *LPMMCKINFO;
typedef const MMCKINFO* LPCMMCKINFO;

#define MMIO_READ 0x00000000
#define MMIO_WRITE 0x00000001
#define MMIO_READWRITE 0x00000002
#define MMIO_CREATE 0x00001000
#define MMIO_ALLOCBUF 0x00010000
#define MMIO_FINDCHUNK 0x0010
#define MMIO_FINDRIFF 0x0020
#define MMIO_FINDLIST 0x0040

#define MMIOERR_BASE 256
#define MMIOERR_FILENOTFOUND (MMIOERR_BASE + 1)
#define MMIOERR_CANNOTOPEN (MMIOERR_BASE + 3)
#define MMIOERR_CANNOTREAD (MMIOERR_BASE + 5)
#define MMIOERR_CANNOTSEEK (MMIOERR_BASE + 7)
#define MMIOERR_CHUNKNOTFOUND (MMIOERR_BASE + 9)

#ifndef SEEK_SET
#define SEEK_SET 0
#define SEEK_CUR 1
#define SEEK_END 2
#endif

// Opens a file for reading; only MMIO_READ (optionally with MMIO_ALLOCBUF) is
// supported, other modes fail.  The name is a Windows name (see files.h).
// Null on failure.  The name is only read (there is no MMIO_PARSE), so it is
// const: a string literal passes as it is.
VANTREL_API HMMIO mmioOpenA(LPCSTR fileName, LPMMIOINFO info, DWORD flags);
#define mmioOpen mmioOpenA
VANTREL_API MMRESULT mmioClose(HMMIO file, UINT flags);
// Bytes read (0 at the end of the file), or -1 on error.
VANTREL_API LONG mmioRead(HMMIO file, HPSTR buffer, LONG count);
// The new offset, or -1.
VANTREL_API LONG mmioSeek(HMMIO file, LONG offset, int origin);
// Reads the chunk header at the current position (flags 0), or searches from
// there, within `parent` when given, for the chunk `chunk->ckid`
// (MMIO_FINDCHUNK), a RIFF chunk of form `chunk->fccType` (MMIO_FINDRIFF) or
// a LIST chunk of that form (MMIO_FINDLIST).  Leaves the file at the body
// (after the form type of a RIFF or LIST chunk).  MMIOERR_CHUNKNOTFOUND when
// the chunk is not there.
VANTREL_API MMRESULT mmioDescend(HMMIO file, LPMMCKINFO chunk, LPCMMCKINFO parent, UINT flags);
// Moves past the end of `chunk` and its pad byte.
VANTREL_API MMRESULT mmioAscend(HMMIO file, LPMMCKINFO chunk, UINT flags);

// ---------------------------------------------------------------------------
// The media control interface.
typedef UINT MCIDEVICEID;
typedef DWORD MCIERROR;

#define MCI_OPEN 0x0803
#define MCI_CLOSE 0x0804
#define MCI_PLAY 0x0806
#define MCI_SEEK 0x0807
#define MCI_STOP 0x0808
#define MCI_PAUSE 0x0809
#define MCI_SET 0x080D
#define MCI_STATUS 0x0814
#define MCI_RESUME 0x0855

#define MCI_NOTIFY 0x00000001L
#define MCI_WAIT 0x00000002L
#define MCI_FROM 0x00000004L
#define MCI_TO 0x00000008L
#define MCI_TRACK 0x00000010L

#define MCI_OPEN_SHAREABLE 0x00000100L
#define MCI_OPEN_ELEMENT 0x00000200L
#define MCI_OPEN_ALIAS 0x00000400L
#define MCI_OPEN_TYPE_ID 0x00001000L
#define MCI_OPEN_TYPE 0x00002000L

#define MCI_SEEK_TO_START 0x00000100L
#define MCI_SEEK_TO_END 0x00000200L

#define MCI_SET_DOOR_OPEN 0x00000100L
#define MCI_SET_DOOR_CLOSED 0x00000200L
#define MCI_SET_TIME_FORMAT 0x00000400L

#define MCI_STATUS_ITEM 0x00000100L
#define MCI_STATUS_START 0x00000200L
#define MCI_STATUS_LENGTH 0x00000001L
#define MCI_STATUS_POSITION 0x00000002L
#define MCI_STATUS_NUMBER_OF_TRACKS 0x00000003L
#define MCI_STATUS_MODE 0x00000004L
#define MCI_STATUS_MEDIA_PRESENT 0x00000005L
#define MCI_STATUS_TIME_FORMAT 0x00000006L
#define MCI_STATUS_READY 0x00000007L
#define MCI_STATUS_CURRENT_TRACK 0x00000008L

#define MCI_STRING_OFFSET 512
#define MCI_MODE_NOT_READY (MCI_STRING_OFFSET + 12)
#define MCI_MODE_STOP (MCI_STRING_OFFSET + 13)
#define MCI_MODE_PLAY (MCI_STRING_OFFSET + 14)
#define MCI_MODE_SEEK (MCI_STRING_OFFSET + 16)
#define MCI_MODE_PAUSE (MCI_STRING_OFFSET + 17)

#define MCI_FORMAT_MILLISECONDS 0
#define MCI_FORMAT_MSF 2
#define MCI_FORMAT_TMSF 10

#define MCIERR_BASE 256
#define MCIERR_INVALID_DEVICE_ID (MCIERR_BASE + 1)
#define MCIERR_UNRECOGNIZED_COMMAND (MCIERR_BASE + 5)
#define MCIERR_HARDWARE (MCIERR_BASE + 6)
#define MCIERR_INVALID_DEVICE_NAME (MCIERR_BASE + 7)
#define MCIERR_MISSING_PARAMETER (MCIERR_BASE + 17)
#define MCIERR_DEVICE_NOT_READY (MCIERR_BASE + 20)
#define MCIERR_OUTOFRANGE (MCIERR_BASE + 26)
#define MCIERR_FLAGS_NOT_COMPATIBLE (MCIERR_BASE + 28)
#define MCIERR_BAD_TIME_FORMAT (MCIERR_BASE + 37)
#define MCIERR_NULL_PARAMETER_BLOCK (MCIERR_BASE + 44)

// Track, minutes, seconds and frames in bytes 0 to 3.
#define MCI_MAKE_TMSF(t, m, s, f) \
    ((DWORD)(((BYTE)(t) | ((WORD)(BYTE)(m) << 8)) | (((DWORD)(BYTE)(s) | ((WORD)(BYTE)(f) << 8)) << 16)))
#define MCI_TMSF_TRACK(tmsf) ((BYTE)(tmsf))
#define MCI_TMSF_MINUTE(tmsf) ((BYTE)(((WORD)(tmsf)) >> 8))
#define MCI_TMSF_SECOND(tmsf) ((BYTE)((tmsf) >> 16))
#define MCI_TMSF_FRAME(tmsf) ((BYTE)((tmsf) >> 24))
// Minutes, seconds and frames in bytes 0 to 2.
#define MCI_MAKE_MSF(m, s, f) ((DWORD)(((BYTE)(m) | ((WORD)(BYTE)(s) << 8)) | (((DWORD)(BYTE)(f)) << 16)))
#define MCI_MSF_MINUTE(msf) ((BYTE)(msf))
#define MCI_MSF_SECOND(msf) ((BYTE)(((WORD)(msf)) >> 8))
#define MCI_MSF_FRAME(msf) ((BYTE)((msf) >> 16))

typedef struct tagMCI_GENERIC_PARMS {
    DWORD_PTR dwCallback;
} MCI_GENERIC_PARMS, *LPMCI_GENERIC_PARMS;

typedef struct tagMCI_OPEN_PARMSA {
    DWORD_PTR dwCallback;
    MCIDEVICEID wDeviceID;
    LPCSTR lpstrDeviceType;
    LPCSTR lpstrElementName;
    LPCSTR lpstrAlias;
} MCI_OPEN_PARMSA, *LPMCI_OPEN_PARMSA;
typedef MCI_OPEN_PARMSA MCI_OPEN_PARMS;
typedef LPMCI_OPEN_PARMSA LPMCI_OPEN_PARMS;

typedef struct tagMCI_PLAY_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwFrom;
    DWORD dwTo;
} MCI_PLAY_PARMS, *LPMCI_PLAY_PARMS;

typedef struct tagMCI_SEEK_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwTo;
} MCI_SEEK_PARMS, *LPMCI_SEEK_PARMS;

typedef struct tagMCI_SET_PARMS {
    DWORD_PTR dwCallback;
    DWORD dwTimeFormat;
    DWORD dwAudio;
} MCI_SET_PARMS, *LPMCI_SET_PARMS;

typedef struct tagMCI_STATUS_PARMS {
    DWORD_PTR dwCallback;
    DWORD_PTR dwReturn;
    DWORD dwItem;
    DWORD dwTrack;
} MCI_STATUS_PARMS, *LPMCI_STATUS_PARMS;

// Sends a command to an MCI device: MCI_OPEN (device 0, type "cdaudio")
// opens one; the others act on the id it returned.  0 on success, else an
// MCIERR_ code.  The cdaudio device supports MCI_OPEN, MCI_CLOSE, MCI_PLAY
// (MCI_FROM, MCI_TO), MCI_SEEK, MCI_STOP, MCI_PAUSE, MCI_RESUME, MCI_SET
// (MCI_SET_TIME_FORMAT: TMSF, MSF or milliseconds) and MCI_STATUS (length,
// position, number of tracks, mode, media present, time format, ready,
// current track).  A position past the end of its track runs on into the
// following tracks; one past the end of the disc is MCIERR_OUTOFRANGE.
// MCI_NOTIFY is accepted but no notification is posted.
VANTREL_API MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR parameters);
#define mciSendCommand mciSendCommandA

#endif
