// Colour keys: the source key a keyed blit from the surface leaves out, the
// destination key a keyed blit into it keeps to, and the two overlay keys,
// which are kept and reported but show nothing (there are no overlays).
#include "platform/ddraw/ddraw_objects.h"
#include "platform/kernel/trace.h"

namespace {

// The one key `flags` names, without DDCKEY_COLORSPACE; false for none or
// several.
bool whichKey(DWORD flags, vtl::ColorKeys::Which* which)
{
    switch (flags & ~DWORD{DDCKEY_COLORSPACE}) {
    case DDCKEY_DESTBLT:
        *which = vtl::ColorKeys::DestBlt;
        return true;
    case DDCKEY_DESTOVERLAY:
        *which = vtl::ColorKeys::DestOverlay;
        return true;
    case DDCKEY_SRCBLT:
        *which = vtl::ColorKeys::SrcBlt;
        return true;
    case DDCKEY_SRCOVERLAY:
        *which = vtl::ColorKeys::SrcOverlay;
        return true;
    default:
        return false;
    }
}

} // namespace

HRESULT vtl::DDSurface::SetColorKey(DWORD flags, LPDDCOLORKEY key)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::SetColorKey", this, flags, key);
    ColorKeys::Which which{};
    if (!whichKey(flags, &which))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (!key) {
        keys_.set[which] = false;
        return vtlTraceCall_.result(DD_OK);
    }
    // A range of colours is a hardware key; a display without one takes
    // single colours only.  Without DDCKEY_COLORSPACE the high value is
    // not read.
    if ((flags & DDCKEY_COLORSPACE) && key->dwColorSpaceLowValue != key->dwColorSpaceHighValue)
        return vtlTraceCall_.result(DDERR_NOCOLORKEYHW);
    keys_.key[which] = DDCOLORKEY{key->dwColorSpaceLowValue, key->dwColorSpaceLowValue};
    keys_.set[which] = true;
    return vtlTraceCall_.result(DD_OK);
}

HRESULT vtl::DDSurface::GetColorKey(DWORD flags, LPDDCOLORKEY key)
{
    VTL_TRACE(ddraw, "IDirectDrawSurface::GetColorKey", this, flags, key);
    ColorKeys::Which which{};
    if (!key || (flags & DDCKEY_COLORSPACE) || !whichKey(flags, &which))
        return vtlTraceCall_.result(DDERR_INVALIDPARAMS);
    if (!keys_.set[which])
        return vtlTraceCall_.result(DDERR_NOCOLORKEY);
    *key = keys_.key[which];
    return vtlTraceCall_.result(DD_OK);
}
