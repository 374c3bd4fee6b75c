// DirectDrawCreate(Ex), DirectDrawCreateClipper and DirectDrawEnumerateA: one
// display driver, the primary display, which every backend provides.
#include "platform/ddraw/ddraw_objects.h"
#include "platform/ddraw/ddraw_testing.h"
#include "platform/kernel/trace.h"

#include <vantrel/win32/objbase.h>

#include <cstdio>
#include <new>

namespace {

// The GUID of test driver `i` (see testing::ddraw::setExtraDrivers).
GUID extraDriverGuid(unsigned i)
{
    GUID g{};
    g.Data1 = 0x56544C00u + i;
    g.Data2 = 0xDD;
    return g;
}

bool sameGuid(const GUID& a, const GUID& b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
        return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i])
            return false;
    return true;
}

bool knownDriver(GUID* guid)
{
    if (guid == nullptr || guid == DDCREATE_EMULATIONONLY || guid == DDCREATE_HARDWAREONLY)
        return true;
    for (unsigned i = 0; i < vtl::testing::ddraw::extraDrivers(); ++i)
        if (sameGuid(*guid, extraDriverGuid(i)))
            return true;
    return false;
}

} // namespace

HRESULT WINAPI DirectDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer)
{
    VTL_TRACE(ddraw, "DirectDrawCreate", driver, directDraw, outer);
    if (!directDraw)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *directDraw = nullptr;
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    if (HRESULT r = vtl::testing::ddraw::intercept(vtl::testing::ddraw::Op::Create))
        return vtlTraceCall_.result(r);
    if (!knownDriver(driver))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    vtl::DDDevice* device = new (std::nothrow) vtl::DDDevice(1);
    if (!device)
        return vtlTraceCall_.result(DDERR_OUTOFMEMORY);
    device->AddRef();
    *directDraw = device;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT WINAPI DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, IUnknown* outer)
{
    VTL_TRACE(ddraw, "DirectDrawCreateEx", driver, directDraw, outer);
    if (!directDraw)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *directDraw = nullptr;
    if (!IsEqualIID(iid, IID_IDirectDraw7))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    if (HRESULT r = vtl::testing::ddraw::intercept(vtl::testing::ddraw::Op::Create))
        return vtlTraceCall_.result(r);
    if (!knownDriver(driver))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    vtl::DDDevice* device = new (std::nothrow) vtl::DDDevice(7);
    if (!device)
        return vtlTraceCall_.result(DDERR_OUTOFMEMORY);
    IDirectDraw7* seven = device->face<IDirectDraw7>();
    seven->AddRef();
    *directDraw = seven;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT WINAPI DirectDrawCreateClipper(DWORD, LPDIRECTDRAWCLIPPER* clipper, IUnknown* outer)
{
    VTL_TRACE(ddraw, "DirectDrawCreateClipper", clipper, outer);
    if (!clipper)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    *clipper = nullptr;
    if (outer)
        return vtlTraceCall_.result(CLASS_E_NOAGGREGATION);
    *clipper = new (std::nothrow) vtl::DDClipper;
    return vtlTraceCall_.result(*clipper ? DD_OK : DDERR_OUTOFMEMORY);
}

HRESULT WINAPI DirectDrawEnumerateA(LPDDENUMCALLBACKA callback, LPVOID context)
{
    VTL_TRACE(ddraw, "DirectDrawEnumerateA", callback, context);
    if (!callback)
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (HRESULT r = vtl::testing::ddraw::intercept(vtl::testing::ddraw::Op::Enumerate))
        return vtlTraceCall_.result(r);
    char description[] = "Primary Display Driver";
    char name[] = "display";
    if (!callback(nullptr, description, name, context))
        return vtlTraceCall_.result(DD_OK);
    for (unsigned i = 0; i < vtl::testing::ddraw::extraDrivers(); ++i) {
        GUID guid = extraDriverGuid(i);
        char extraDescription[64];
        char extraName[32];
        std::snprintf(extraDescription, sizeof extraDescription, "Test Display Driver %u", i + 1);
        std::snprintf(extraName, sizeof extraName, "test%u", i + 1);
        if (!callback(&guid, extraDescription, extraName, context))
            break;
    }
    return vtlTraceCall_.result(DD_OK);
}
