// Windows-shaped base types, structures and macros.
//
// Games written for the Windows interfaces use these names; on Linux Vantrel
// provides them itself.  Sizes follow the 32-bit Windows ABI the games were
// written for: LONG and DWORD are 32 bits even on a 64-bit system, while
// WPARAM, LPARAM, LRESULT and the *_PTR types are pointer-sized so that a
// window's user data can hold a pointer.
#ifndef VANTREL_WIN32_TYPES_H
#define VANTREL_WIN32_TYPES_H

#include <cstddef>
#include <cstdint>

// The library is built with hidden visibility; everything a game may call is
// marked VANTREL_API.
#ifndef VANTREL_API
#define VANTREL_API __attribute__((visibility("default")))
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef unsigned int UINT;
typedef int INT;
typedef short SHORT;
typedef unsigned short USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef float FLOAT;
typedef void VOID;
typedef void* PVOID;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;

typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef ULONG_PTR SIZE_T;

typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef LONG HRESULT;
typedef DWORD COLORREF;
typedef WORD ATOM;

// Handles are opaque pointers to distinct incomplete types, so that passing a
// window where a font is expected does not compile.
#define VANTREL_DECLARE_HANDLE(name) \
    struct name##__;                 \
    typedef struct name##__* name
VANTREL_DECLARE_HANDLE(HWND);
VANTREL_DECLARE_HANDLE(HINSTANCE);
VANTREL_DECLARE_HANDLE(HFONT);
VANTREL_DECLARE_HANDLE(HDC);
VANTREL_DECLARE_HANDLE(HICON);
VANTREL_DECLARE_HANDLE(HMENU);
VANTREL_DECLARE_HANDLE(HBRUSH);
VANTREL_DECLARE_HANDLE(HBITMAP);
VANTREL_DECLARE_HANDLE(HPEN);
VANTREL_DECLARE_HANDLE(HRGN);
VANTREL_DECLARE_HANDLE(HMONITOR);
#undef VANTREL_DECLARE_HANDLE
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef HINSTANCE HMODULE;
typedef HICON HCURSOR;

#ifndef CALLBACK
#define CALLBACK
#endif
#ifndef WINAPI
#define WINAPI
#endif
#ifndef APIENTRY
#define APIENTRY
#endif

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
#ifndef NULL
#define NULL nullptr
#endif
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)
#define MAX_PATH 260

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *PSIZE, *LPSIZE;

typedef struct tagPALETTEENTRY {
    BYTE peRed;
    BYTE peGreen;
    BYTE peBlue;
    BYTE peFlags;
} PALETTEENTRY, *LPPALETTEENTRY;

typedef struct _GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID, IID, CLSID;
typedef GUID* LPGUID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4, "32-bit LONG and DWORD");
static_assert(sizeof(RECT) == 16 && sizeof(POINT) == 8, "Windows RECT and POINT layout");
static_assert(sizeof(LPARAM) == sizeof(void*), "pointer-sized message parameters");

#define MAKEWORD(lo, hi) ((WORD)(((BYTE)((lo)&0xFF)) | ((WORD)((BYTE)((hi)&0xFF))) << 8))
#define MAKELONG(lo, hi) ((LONG)(((WORD)((lo)&0xFFFF)) | ((DWORD)((WORD)((hi)&0xFFFF))) << 16))
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xFFFF))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xFFFF))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xFF))
#define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xFF))
#define MAKEWPARAM(lo, hi) ((WPARAM)(DWORD)MAKELONG(lo, hi))
#define MAKELPARAM(lo, hi) ((LPARAM)(DWORD)MAKELONG(lo, hi))
#define MAKELRESULT(lo, hi) ((LRESULT)(DWORD)MAKELONG(lo, hi))

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))

// HRESULT helpers.
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define E_NOTIMPL ((HRESULT)0x80004001L)

#endif
