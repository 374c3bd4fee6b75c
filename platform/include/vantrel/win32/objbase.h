// The Windows-shaped component object model, as far as games use it to make
// the sound and input devices: IUnknown, CoInitialize and CoCreateInstance.
//
// There are no apartments here: CoInitialize and CoUninitialize are counted
// but change nothing, and CoCreateInstance works whether or not CoInitialize
// was called.  The classes it makes are the library's own: CLSID_DirectSound
// (see dsound.h) and CLSID_DirectInput (see dinput.h), which the game
// initialises itself.
#ifndef VANTREL_WIN32_OBJBASE_H
#define VANTREL_WIN32_OBJBASE_H

#include <vantrel/win32/types.h>
#include <vantrel/win32/unknwn.h>

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER)

#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)

typedef const GUID* LPCGUID;

VANTREL_API extern const IID IID_IUnknown;

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(&a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(&b);
    for (unsigned i = 0; i < sizeof(GUID); ++i)
        if (x[i] != y[i])
            return false;
    return true;
}
#define IsEqualIID IsEqualGUID
#define IsEqualCLSID IsEqualGUID

VANTREL_API HRESULT CoInitialize(LPVOID reserved);
VANTREL_API void CoUninitialize();
// Makes an object of class `clsid` and returns its interface `iid` in
// `object` (null on failure).  Aggregation is not supported
// (CLASS_E_NOAGGREGATION); an unknown class gives REGDB_E_CLASSNOTREG.
VANTREL_API HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object);

#endif
