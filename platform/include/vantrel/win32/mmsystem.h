// The Windows-shaped multimedia system: the wave format record, RIFF file
// reading through the mmio functions, the media control interface with its
// "cdaudio" device, the game port's joysticks, wave output and PlaySound
// (the timer is in timing.h).
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

#include <vantrel/win32/timing.h>
#include <vantrel/win32/types.h>

typedef DWORD FOURCC;
typedef char* HPSTR;

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
#define MCI_FORMAT_BYTES 8
#define MCI_FORMAT_SAMPLES 9
#define MCI_FORMAT_TMSF 10

#define MCIERR_BASE 256
#define MCIERR_INVALID_DEVICE_ID (MCIERR_BASE + 1)
#define MCIERR_UNRECOGNIZED_KEYWORD (MCIERR_BASE + 3)
#define MCIERR_UNRECOGNIZED_COMMAND (MCIERR_BASE + 5)
#define MCIERR_HARDWARE (MCIERR_BASE + 6)
#define MCIERR_INVALID_DEVICE_NAME (MCIERR_BASE + 7)
#define MCIERR_OUT_OF_MEMORY (MCIERR_BASE + 8)
#define MCIERR_DEVICE_OPEN (MCIERR_BASE + 9)
#define MCIERR_CANNOT_LOAD_DRIVER (MCIERR_BASE + 10)
#define MCIERR_MISSING_COMMAND_STRING (MCIERR_BASE + 11)
#define MCIERR_PARAM_OVERFLOW (MCIERR_BASE + 12)
#define MCIERR_MISSING_STRING_ARGUMENT (MCIERR_BASE + 13)
#define MCIERR_BAD_INTEGER (MCIERR_BASE + 14)
#define MCIERR_MISSING_PARAMETER (MCIERR_BASE + 17)
#define MCIERR_UNSUPPORTED_FUNCTION (MCIERR_BASE + 18)
#define MCIERR_FILE_NOT_FOUND (MCIERR_BASE + 19)
#define MCIERR_DEVICE_NOT_READY (MCIERR_BASE + 20)
#define MCIERR_OUTOFRANGE (MCIERR_BASE + 26)
#define MCIERR_FLAGS_NOT_COMPATIBLE (MCIERR_BASE + 28)
#define MCIERR_DUPLICATE_ALIAS (MCIERR_BASE + 33)
#define MCIERR_BAD_CONSTANT (MCIERR_BASE + 34)
#define MCIERR_MISSING_DEVICE_NAME (MCIERR_BASE + 36)
#define MCIERR_BAD_TIME_FORMAT (MCIERR_BASE + 37)
#define MCIERR_INVALID_FILE (MCIERR_BASE + 40)
#define MCIERR_NULL_PARAMETER_BLOCK (MCIERR_BASE + 41)

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

// The notification an MCI command with "notify" posts to the callback
// window: wParam one of MCI_NOTIFY_*, lParam the device.
#define MM_MCINOTIFY 0x3B9
#define MCI_NOTIFY_SUCCESSFUL 0x0001
#define MCI_NOTIFY_SUPERSEDED 0x0002
#define MCI_NOTIFY_ABORTED 0x0004
#define MCI_NOTIFY_FAILURE 0x0008

// Command strings for the "cdaudio" device: open cdaudio [alias NAME]
// [shareable] (the device id is returned as text), close NAME|all, play NAME
// [from POS] [to POS] [wait], stop, pause, resume, seek NAME to
// start|end|POS, set NAME time format tmsf|msf|milliseconds, set NAME door
// open|closed (ignored, said once through Msg), status NAME mode|length|
// position|number of tracks|current track|media present|ready|time format
// [track N].  Positions are text in the time format ("2:00:30:00" in TMSF).
// stop, pause and resume with "notify" post MM_MCINOTIFY (successful) to
// `callback`; "play ... notify" posts nothing (said once through Msg).
// The "waveaudio" device plays a WAV file: open FILE.wav [type waveaudio]
// [alias NAME], play NAME [from POS] [to POS] [wait] [notify], stop, pause,
// resume, seek NAME to start|end|POS, set NAME time format milliseconds|
// samples|bytes, status NAME mode|length|position|time format|ready|
// channels|samplespersec, close.  Positions are numbers in the time format
// (milliseconds at first).  "play ... notify" posts MM_MCINOTIFY when the
// play ends (successful), when another play, stop, seek or close cuts it
// short (aborted), or when a command that lets it go on asks for a
// notification of its own (superseded); the other commands notify at once.  A waveaudio device
// without a file (recording) fails with MCIERR_UNSUPPORTED_FUNCTION, and
// other files (MIDI, video) with MCIERR_CANNOT_LOAD_DRIVER (each said once
// through Msg).  A device must be opened before it is used: there is no
// automatic open.
VANTREL_API MCIERROR mciSendStringA(LPCSTR command, LPSTR returnString, UINT returnLength, HWND callback);
#define mciSendString mciSendStringA

// The length of the longest error text, its terminating zero included.
#define MAXERRORLENGTH 256

// The English text Windows gives for an MCIERR_ code, cut to fit `size`
// (with its terminating zero).  FALSE, the buffer untouched, for a code that
// is not an MCI error.
VANTREL_API BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size);
#define mciGetErrorString mciGetErrorStringA

// ---------------------------------------------------------------------------
// Joysticks: the two sticks of the game port, ids JOYSTICKID1 and
// JOYSTICKID2.  The driver answers for 16 ids, as Windows' does; ids 2 to 15
// never have a stick.  Positions run from 0 (left, up) to 65535, buttons 1
// and 2 of each stick; there is no Z axis, rudder or point-of-view hat.
#define MAXPNAMELEN 32
#define MAX_JOYSTICKOEMVXDNAME 260

#define JOYERR_BASE 160
#define JOYERR_NOERROR 0
#define JOYERR_PARMS (JOYERR_BASE + 5)
#define JOYERR_NOCANDO (JOYERR_BASE + 6)
#define JOYERR_UNPLUGGED (JOYERR_BASE + 7)

#define JOYSTICKID1 0
#define JOYSTICKID2 1

#define JOY_BUTTON1 0x0001
#define JOY_BUTTON2 0x0002
#define JOY_BUTTON3 0x0004
#define JOY_BUTTON4 0x0008

#define JOY_POVCENTERED (WORD)-1

#define JOY_RETURNX 0x00000001L
#define JOY_RETURNY 0x00000002L
#define JOY_RETURNZ 0x00000004L
#define JOY_RETURNR 0x00000008L
#define JOY_RETURNU 0x00000010L
#define JOY_RETURNV 0x00000020L
#define JOY_RETURNPOV 0x00000040L
#define JOY_RETURNBUTTONS 0x00000080L
#define JOY_RETURNRAWDATA 0x00000100L
#define JOY_RETURNPOVCTS 0x00000200L
#define JOY_RETURNCENTERED 0x00000400L
#define JOY_RETURNALL \
    (JOY_RETURNX | JOY_RETURNY | JOY_RETURNZ | JOY_RETURNR | JOY_RETURNU | JOY_RETURNV | JOY_RETURNPOV | JOY_RETURNBUTTONS)

typedef struct tagJOYCAPSA {
    WORD wMid;
    WORD wPid;
    CHAR szPname[MAXPNAMELEN];
    UINT wXmin;
    UINT wXmax;
    UINT wYmin;
    UINT wYmax;
    UINT wZmin;
    UINT wZmax;
    UINT wNumButtons;
    UINT wPeriodMin;
    UINT wPeriodMax;
    UINT wRmin;
    UINT wRmax;
    UINT wUmin;
    UINT wUmax;
    UINT wVmin;
    UINT wVmax;
    UINT wCaps;
    UINT wMaxAxes;
    UINT wNumAxes;
    UINT wMaxButtons;
    CHAR szRegKey[MAXPNAMELEN];
    CHAR szOEMVxD[MAX_JOYSTICKOEMVXDNAME];
} JOYCAPSA, *PJOYCAPSA, *LPJOYCAPSA;
typedef JOYCAPSA JOYCAPS;
typedef LPJOYCAPSA LPJOYCAPS;

typedef struct joyinfo_tag {
    UINT wXpos;
    UINT wYpos;
    UINT wZpos;
    UINT wButtons;
} JOYINFO, *PJOYINFO, *LPJOYINFO;

typedef struct joyinfoex_tag {
    DWORD dwSize; // sizeof(JOYINFOEX), set by the caller
    DWORD dwFlags; // the JOY_RETURN flags of the fields wanted
    DWORD dwXpos;
    DWORD dwYpos;
    DWORD dwZpos;
    DWORD dwRpos;
    DWORD dwUpos;
    DWORD dwVpos;
    DWORD dwButtons;
    DWORD dwButtonNumber; // how many buttons are down
    DWORD dwPOV;
    DWORD dwReserved1;
    DWORD dwReserved2;
} JOYINFOEX, *PJOYINFOEX, *LPJOYINFOEX;

// 16.
VANTREL_API UINT joyGetNumDevs();
// JOYERR_PARMS for an id of 16 or more, a null record, a size other than
// JOYCAPSA's, or an id with no stick plugged in (as Windows answers for a
// joystick that is not connected).
VANTREL_API MMRESULT joyGetDevCapsA(UINT_PTR id, LPJOYCAPSA caps, UINT size);
#define joyGetDevCaps joyGetDevCapsA
// JOYERR_UNPLUGGED when the stick is not there, JOYERR_PARMS for an id of 16
// or more, MMSYSERR_INVALPARAM for a null record.
VANTREL_API MMRESULT joyGetPos(UINT id, LPJOYINFO info);
// As joyGetPos, and JOYERR_PARMS when dwSize is not sizeof(JOYINFOEX).
VANTREL_API MMRESULT joyGetPosEx(UINT id, LPJOYINFOEX info);

// ---------------------------------------------------------------------------
// Wave output: one device (id 0, or WAVE_MAPPER) that streams the blocks
// written to it into the shared sound output, beside the sound buffers and
// the CD.  Any PCM format the sound buffers play is accepted (8 or 16 bits,
// one or two channels, 100 Hz to 200 kHz); others are WAVERR_BADFORMAT.
// Notifications (WOM_OPEN, WOM_DONE, WOM_CLOSE) come from the device's own
// thread: a CALLBACK_FUNCTION is called there, a CALLBACK_WINDOW gets
// MM_WOM_* messages posted (wParam the device, lParam the header), a
// CALLBACK_EVENT is set.  A callback must not call waveOut functions other
// than waveOutWrite and the header calls, as on Windows.  Loops
// (WHDR_BEGINLOOP, WHDR_ENDLOOP) play once (said once through Msg).
struct HWAVEOUT__;
typedef struct HWAVEOUT__* HWAVEOUT;
typedef HWAVEOUT* LPHWAVEOUT;

#define WAVE_MAPPER ((UINT)-1)

#define WAVERR_BASE 32
#define WAVERR_BADFORMAT (WAVERR_BASE + 0)
#define WAVERR_STILLPLAYING (WAVERR_BASE + 1)
#define WAVERR_UNPREPARED (WAVERR_BASE + 2)
#define WAVERR_SYNC (WAVERR_BASE + 3)

#define CALLBACK_TYPEMASK 0x00070000L
#define CALLBACK_NULL 0x00000000L
#define CALLBACK_WINDOW 0x00010000L
#define CALLBACK_TASK 0x00020000L
#define CALLBACK_THREAD CALLBACK_TASK
#define CALLBACK_FUNCTION 0x00030000L
#define CALLBACK_EVENT 0x00050000L

#define WAVE_FORMAT_QUERY 0x0001
#define WAVE_ALLOWSYNC 0x0002
#define WAVE_MAPPED 0x0004

#define MM_WOM_OPEN 0x3BB
#define MM_WOM_CLOSE 0x3BC
#define MM_WOM_DONE 0x3BD
#define WOM_OPEN MM_WOM_OPEN
#define WOM_CLOSE MM_WOM_CLOSE
#define WOM_DONE MM_WOM_DONE

typedef struct wavehdr_tag {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    struct wavehdr_tag* lpNext;
    DWORD_PTR reserved;
} WAVEHDR, *PWAVEHDR, *LPWAVEHDR;

#define WHDR_DONE 0x00000001
#define WHDR_PREPARED 0x00000002
#define WHDR_BEGINLOOP 0x00000004
#define WHDR_ENDLOOP 0x00000008
#define WHDR_INQUEUE 0x00000010

#define WAVE_FORMAT_1M08 0x00000001
#define WAVE_FORMAT_1S08 0x00000002
#define WAVE_FORMAT_1M16 0x00000004
#define WAVE_FORMAT_1S16 0x00000008
#define WAVE_FORMAT_2M08 0x00000010
#define WAVE_FORMAT_2S08 0x00000020
#define WAVE_FORMAT_2M16 0x00000040
#define WAVE_FORMAT_2S16 0x00000080
#define WAVE_FORMAT_4M08 0x00000100
#define WAVE_FORMAT_4S08 0x00000200
#define WAVE_FORMAT_4M16 0x00000400
#define WAVE_FORMAT_4S16 0x00000800

#define WAVECAPS_VOLUME 0x0004
#define WAVECAPS_LRVOLUME 0x0008
#define WAVECAPS_SAMPLEACCURATE 0x0020

typedef UINT MMVERSION;
typedef struct tagWAVEOUTCAPSA {
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    CHAR szPname[MAXPNAMELEN];
    DWORD dwFormats;
    WORD wChannels;
    WORD wReserved1;
    DWORD dwSupport;
} WAVEOUTCAPSA, *PWAVEOUTCAPSA, *LPWAVEOUTCAPSA;
typedef WAVEOUTCAPSA WAVEOUTCAPS;
typedef LPWAVEOUTCAPSA LPWAVEOUTCAPS;

#define TIME_MS 0x0001
#define TIME_SAMPLES 0x0002
#define TIME_BYTES 0x0004
#define TIME_SMPTE 0x0008
#define TIME_MIDI 0x0010
#define TIME_TICKS 0x0020

typedef struct mmtime_tag {
    UINT wType;
    union {
        DWORD ms;
        DWORD sample;
        DWORD cb;
        DWORD ticks;
        struct {
            BYTE hour;
            BYTE min;
            BYTE sec;
            BYTE frame;
            BYTE fps;
            BYTE dummy;
            BYTE pad[2];
        } smpte;
        struct {
            DWORD songptrpos;
        } midi;
    } u;
} MMTIME, *PMMTIME, *LPMMTIME;

// 1 (the device plays through the platform's sound output).
VANTREL_API UINT waveOutGetNumDevs();
VANTREL_API MMRESULT waveOutGetDevCapsA(UINT_PTR id, LPWAVEOUTCAPSA caps, UINT size);
#define waveOutGetDevCaps waveOutGetDevCapsA
// `callback` is a function, window or event as `flags` says; with
// WAVE_FORMAT_QUERY only the format is checked (`device` may be null).
VANTREL_API MMRESULT waveOutOpen(LPHWAVEOUT device, UINT id, LPCWAVEFORMATEX format, DWORD_PTR callback,
                                 DWORD_PTR instance, DWORD flags);
// WAVERR_STILLPLAYING while blocks are queued (waveOutReset returns them).
VANTREL_API MMRESULT waveOutClose(HWAVEOUT device);
VANTREL_API MMRESULT waveOutPrepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size);
VANTREL_API MMRESULT waveOutUnprepareHeader(HWAVEOUT device, LPWAVEHDR header, UINT size);
// Queues a prepared block; WAVERR_UNPREPARED for one that is not.
VANTREL_API MMRESULT waveOutWrite(HWAVEOUT device, LPWAVEHDR header, UINT size);
VANTREL_API MMRESULT waveOutPause(HWAVEOUT device);
VANTREL_API MMRESULT waveOutRestart(HWAVEOUT device);
// Stops, returns every queued block as done (WOM_DONE each) and sets the
// position back to 0.
VANTREL_API MMRESULT waveOutReset(HWAVEOUT device);
// What has been played since the device opened or was reset: TIME_BYTES,
// TIME_SAMPLES or TIME_MS; another type is answered in TIME_BYTES, as
// Windows does.
VANTREL_API MMRESULT waveOutGetPosition(HWAVEOUT device, LPMMTIME time, UINT size);
// Left volume in the low word, right in the high one, 0 to 0xFFFF (linear).
VANTREL_API MMRESULT waveOutSetVolume(HWAVEOUT device, DWORD volume);
VANTREL_API MMRESULT waveOutGetVolume(HWAVEOUT device, LPDWORD volume);

// ---------------------------------------------------------------------------
// PlaySound: one sound at a time from a WAV file, a WAV image in memory or a
// WAVE resource of `module` (SND_RESOURCE, named or MAKEINTRESOURCE), played
// through the shared sound output; a new sound stops the one before.
// The sound is copied, so SND_MEMORY memory may be freed once the call
// returns.  There are no system sounds: SND_ALIAS and SND_ALIAS_ID, and a
// sound that cannot be found or read, play nothing and return FALSE (there is
// no default sound to play instead).
#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008 // with SND_ASYNC: until the next PlaySound
#define SND_NOSTOP 0x0010 // fail rather than stop a sound that is playing
#define SND_PURGE 0x0040
#define SND_APPLICATION 0x0080
#define SND_NOWAIT 0x00002000L
#define SND_ALIAS 0x00010000L
#define SND_ALIAS_ID 0x00110000L
#define SND_FILENAME 0x00020000L
#define SND_RESOURCE 0x00040004L

// A null sound (or SND_PURGE) stops the sound playing.  SND_SYNC returns when
// the sound has ended (or was stopped by another thread's call).
VANTREL_API BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);
#define PlaySound PlaySoundA
// PlaySound(sound, NULL, flags), a name being a file name.
VANTREL_API BOOL sndPlaySoundA(LPCSTR sound, UINT flags);
#define sndPlaySound sndPlaySoundA

#endif
