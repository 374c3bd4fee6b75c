// IUnknown: the reference-counted base of every COM-shaped interface the
// platform layer gives (the sound device, and any other device object).
#ifndef VANTREL_WIN32_UNKNWN_H
#define VANTREL_WIN32_UNKNWN_H

#include <vantrel/win32/types.h>

struct IUnknown {
    virtual HRESULT WINAPI QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG WINAPI AddRef() = 0;
    virtual ULONG WINAPI Release() = 0;

protected:
    ~IUnknown() = default; // objects go away through Release only
};
typedef IUnknown* LPUNKNOWN;

#endif
