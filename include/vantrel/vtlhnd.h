// VTLHND: the library handle.  One per game; it owns the display, records its
// pixel format, keeps the registry of loaded resources and the state of the
// resource archive.
#ifndef VANTREL_VTLHND_H
#define VANTREL_VTLHND_H

#include <vantrel/pixelformat.h>
#include <vantrel/win32/types.h>

class BITPLANEFX;
class RLEFX;
class ALPHAFX;
class ANIMATIONFX;
class SOUNDBUFFER;
class SOUNDSTREAM;
struct IDirectDraw;
struct IDirectDrawSurface;
struct IDirectDrawClipper;

class VANTREL_API VTLHND {
public:
    // Display size in pixels (set by gfxSetup).
    DWORD width;
    DWORD height;

    // Resource archive state (see FastFile).
    DWORD lockCount;       // outstanding FastFile::lock calls
    HANDLE fileHandle;     // the opened archive file, or null
    HANDLE mappingHandle;  // the archive's mapping, or null
    void* directory;       // first directory entry, or null when no archive is open
    void* view;            // first byte of the archive in memory
    DWORD entryCount;      // directory entries, end entry included
    DWORD archiveEnd;      // offset held by the end entry

    RLEFX* rleList;        // registered RLE images, newest first

    // Display pixel format, written by initPixelFormat.
    unsigned char formatCode;
    unsigned char bitsPerPixel;
    unsigned char bytesPerPixel;
    DWORD redMask;
    DWORD blueMask;
    DWORD greenMask;

    // Display objects, owned by the handle.
    IDirectDraw* directDraw;
    IDirectDrawSurface* primary;
    IDirectDrawSurface* backBuffer;
    IDirectDrawClipper* clipper; // windowed mode only

    bool isFullscreen;
    unsigned char driverIndex;
    HWND hwnd;
    RECT windowRect; // where windowed presentation copies the back buffer
    bool configured;
    bool effectsChoice;

    ALPHAFX* alphaList;
    BITPLANEFX* surfaceList;
    ANIMATIONFX* animationList;
    SOUNDBUFFER* soundList;
    SOUNDSTREAM* streamList;

    VTLHND();
    ~VTLHND();
    VTLHND(const VTLHND&) = delete;
    VTLHND& operator=(const VTLHND&) = delete;

    // Display lifecycle.
    void gfxSetup(HWND window, unsigned short width, unsigned short height, unsigned char depth);
    void Override();
    signed char gfxBegin();
    void gfxEnd();
    bool gfxSwapBuffers();
    void gfxSwitchMode();
    void gfxSetWindowRect(RECT* rect);
    bool fullscreen();
    void gfxEnableEffects(bool enable);
    bool gfxGetEffectsState();
    void RestoreAll();

    // Frames on screen.
    void gfxClearSystemBuffer(BITPLANEFX* surface);
    bool gfxCopyBackBuffer(BITPLANEFX* source);
    bool gfxString(const char* text, HFONT font, COLORREF color, short x, short y, unsigned char alignment);

    // Pixel format.
    bool initPixelFormat();
    unsigned long packColor(unsigned char red, unsigned char green, unsigned char blue);
    void unpackColor(unsigned long pixel, unsigned char* red, unsigned char* green, unsigned char* blue);

    // Display set-up (used by the lifecycle above).
    bool DDEnable();
    bool DDCreateFlippingSurface();
    void DDDisable(bool releaseDirectDraw);
    IDirectDrawSurface* DDCreateSurface(DWORD width, DWORD height, bool systemMemory);
    void ClearBackBuffer(DWORD fill);

    // Resource archive.
    bool FastFileInit(const char* name);
    void FastFileFini();
    unsigned char* FastFileData(const char* name);
    DWORD FastFileSize(const char* name);

    // Object registry: build an object, then link it into its list.
    bool create(BITPLANEFX* surface, const char* name);
    bool create(BITPLANEFX* surface, unsigned short width, unsigned short height, bool withAlpha);
    bool create(RLEFX* image, const char* name);
    bool create(RLEFX* image, unsigned short width, unsigned short height, unsigned long size);
    bool create(ALPHAFX* map, const char* name);
    bool create(ALPHAFX* map, unsigned short width, unsigned short height);
    bool create(ANIMATIONFX* animation, const char* name);
    bool create(ANIMATIONFX* animation, unsigned short frames);
    bool create(SOUNDBUFFER* sound, const char* name);
    bool create(SOUNDSTREAM* stream, const char* name);
    bool release(BITPLANEFX* surface);
    bool release(RLEFX* image);
    bool release(ALPHAFX* map);
    bool release(ANIMATIONFX* animation);
    bool release(SOUNDBUFFER* sound);
    bool release(SOUNDSTREAM* stream);
};

// Fills the process-wide list of display drivers once per process.
VANTREL_API void EnumDrivers();

#endif
