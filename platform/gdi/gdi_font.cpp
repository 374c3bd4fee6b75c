// Fonts: CreateFontA matched by the host's font lookup (fontconfig, or a
// folder of DejaVu files) and rendered with FreeType.
//
// Choices where the interface leaves room:
// - a positive height is the cell height (ascent + descent) in pixels, a
//   negative one the character height (the em size), 0 gives a 16-pixel
//   cell; the width, escapement and orientation are not used;
// - the cell is at most kMaxFontCell (2048) pixels, whichever the sign: a
//   taller letter could not be seen whole on any screen of the era or
//   since, and each glyph's coverage grows with the square of the height
//   (-30000 asked for a gigabyte and seconds of rasterising at the first
//   text), so taller requests get the largest font that fits;
// - weights from 600 up are bold; italic slants; when the matched face has
//   no bold or italic of its own, FreeType makes them;
// - when the lookup finds nothing the font is DejaVu Sans (Debian's
//   fonts-dejavu-core), in the matching weight and slant;
// - text bytes are Latin-1 characters.
#include "platform/gdi/gdi_objects.h"
#include "platform/user/user_testing.h"

#include "platform/host/fonts.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

using vtl::testing::user::Op;

namespace vtl {
namespace {

FT_Library library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            return static_cast<FT_Library>(nullptr);
        return l;
    }();
    return lib;
}

// Live objects by handle.  Numbers go up in steps of 4 from 0x40 (above the
// system colour indexes plus one that FillRect takes for brushes) and wrap
// below bit 31 (so that a handle widened with or without sign is the same),
// skipping numbers still in use.
struct LiveTable {
    std::map<uint32_t, GdiObject*> objects;
    uint32_t last = 0x3c;
};

LiveTable& liveTable()
{
    static auto* t = new LiveTable;
    return *t;
}

// The 32-bit number a handle carries, or 0 for a value no object has.
uint32_t handleNumber(const void* handle)
{
    const uint64_t value = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
    const uint32_t high = static_cast<uint32_t>(value >> 32);
    if (high != 0 && high != 0xffffffffu)
        return 0;
    return static_cast<uint32_t>(value);
}

FT_Face openFace(const char* family, bool bold, bool italic)
{
    FT_Library lib = library();
    if (!lib)
        return nullptr;
    for (const host::FontFile& file : host::fontFilesFor(family, bold, italic)) {
        FT_Face face = nullptr;
        if (FT_New_Face(lib, file.path.c_str(), file.index, &face) == 0)
            return face;
    }
    return nullptr;
}

constexpr int kMaxFontCell = 2048;

Font* makeFont(int height, int weight, bool italic, bool underline, bool strikeOut, const char* family)
{
    bool bold = weight >= 600;
    FT_Face face = openFace(family, bold, italic);
    if (!face)
        return nullptr;
    FT_Long units = face->units_per_EM ? face->units_per_EM : 2048;
    FT_Long ascender = face->ascender, descender = face->descender;
    if (ascender <= 0 || ascender - descender <= 0) {
        ascender = units * 4 / 5;
        descender = -units / 5;
    }
    double cellUnits = static_cast<double>(ascender - descender);
    // Worked in double: -INT_MIN does not fit an int.
    double cellPixels = 16;
    if (height > 0)
        cellPixels = height;
    else if (height < 0)
        cellPixels = -static_cast<double>(height) * cellUnits / units;
    cellPixels = std::min(cellPixels, static_cast<double>(kMaxFontCell));
    const double ppem = cellPixels * units / cellUnits;
    const int cell = std::max(1, static_cast<int>(std::lround(cellPixels)));
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(ppem * 64.0)), 72, 72) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    Font* font = new Font;
    font->face = face;
    font->ascent = static_cast<int>(std::lround(ppem * ascender / units));
    if (font->ascent > cell)
        font->ascent = cell;
    font->descent = cell - font->ascent;
    font->underline = underline;
    font->strikeOut = strikeOut;
    font->fakeBold = bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    font->fakeItalic = italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    if (font->fakeItalic) {
        FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000}; // about 12 degrees
        FT_Set_Transform(face, &shear, nullptr);
    }
    return font;
}

} // namespace

Font::~Font()
{
    if (face)
        FT_Done_Face(face);
}

std::mutex& gdiMutex()
{
    static auto* m = new std::mutex;
    return *m;
}

void registerObject(GdiObject* object)
{
    LiveTable& t = liveTable();
    do
        t.last = t.last >= 0x7ffffffcu ? 0x40 : t.last + 4;
    while (t.objects.count(t.last));
    object->handle = t.last;
    t.objects[t.last] = object;
}

void unregisterObject(GdiObject* object)
{
    auto& objects = liveTable().objects;
    auto it = objects.find(object->handle);
    if (it != objects.end() && it->second == object)
        objects.erase(it);
}

HGDIOBJ handleOf(const GdiObject* object)
{
    return object ? reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(object->handle)) : nullptr;
}

GdiObject* objectOf(const void* handle)
{
    const uint32_t number = handleNumber(handle);
    if (!number)
        return nullptr;
    auto& objects = liveTable().objects;
    auto it = objects.find(number);
    return it == objects.end() ? nullptr : it->second;
}

GdiObject* liveObject(const void* handle, GdiKind kind)
{
    GdiObject* o = objectOf(handle);
    if (!o || o->kind != kind)
        return nullptr;
    return o;
}

Font* defaultFont()
{
    static Font* font = [] {
        Font* f = makeFont(16, FW_NORMAL, false, false, false, "DejaVu Sans");
        if (f) {
            f->description.lfHeight = 16;
            f->description.lfWeight = FW_NORMAL;
            std::strcpy(f->description.lfFaceName, "DejaVu Sans");
            f->stock = true;
            registerObject(f);
        }
        return f;
    }();
    return font;
}

Font* fontOf(DeviceContext& dc) { return dc.font ? dc.font : defaultFont(); }

void holdSelection(GdiObject* object)
{
    if (object && !object->stock)
        ++object->selections;
}

void releaseSelection(GdiObject* object)
{
    if (!object || object->stock)
        return;
    --object->selections;
    if (object->deleted && object->selections <= 0)
        delete object;
}

} // namespace vtl

using namespace vtl;

namespace {

HFONT createFont(const LOGFONTA& description)
{
    if (testing::user::intercept(Op::CreateFont))
        return nullptr;
    std::lock_guard<std::mutex> lock(gdiMutex());
    Font* font = makeFont(description.lfHeight, description.lfWeight, description.lfItalic != 0,
                          description.lfUnderline != 0, description.lfStrikeOut != 0,
                          description.lfFaceName[0] ? description.lfFaceName : nullptr);
    if (!font) {
        setError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    font->description = description;
    registerObject(font);
    return static_cast<HFONT>(handleOf(font));
}

} // namespace

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                  DWORD quality, DWORD pitchAndFamily, LPCSTR faceName)
{
    VTL_TRACE(gdi, "CreateFontA", height, weight, italic, underline, strikeOut, faceName);
    LOGFONTA d = {};
    d.lfHeight = height;
    d.lfWidth = width;
    d.lfEscapement = escapement;
    d.lfOrientation = orientation;
    d.lfWeight = weight;
    d.lfItalic = static_cast<BYTE>(italic);
    d.lfUnderline = static_cast<BYTE>(underline);
    d.lfStrikeOut = static_cast<BYTE>(strikeOut);
    d.lfCharSet = static_cast<BYTE>(charSet);
    d.lfOutPrecision = static_cast<BYTE>(outPrecision);
    d.lfClipPrecision = static_cast<BYTE>(clipPrecision);
    d.lfQuality = static_cast<BYTE>(quality);
    d.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
    if (faceName) {
        std::strncpy(d.lfFaceName, faceName, LF_FACESIZE - 1);
        d.lfFaceName[LF_FACESIZE - 1] = 0;
    }
    return vtlTraceCall_.result(createFont(d));
}

HFONT CreateFontIndirectA(const LOGFONTA* description)
{
    VTL_TRACE(gdi, "CreateFontIndirectA", description);
    if (!description) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    LOGFONTA d = *description;
    d.lfFaceName[LF_FACESIZE - 1] = 0; // a name that fills the field is cut, as Windows cuts it
    return vtlTraceCall_.result(createFont(d));
}

BOOL DeleteObject(HGDIOBJ object)
{
    VTL_TRACE(gdi, "DeleteObject", object);
    std::lock_guard<std::mutex> lock(gdiMutex());
    GdiObject* o = objectOf(object);
    if (!o || o->kind == GdiKind::kDC)
        return vtlTraceCall_.result(FALSE);
    if (o->stock)
        return vtlTraceCall_.result(TRUE);
    unregisterObject(o);
    // Still selected: the contexts keep drawing with it until they let go.
    if (o->selections > 0) {
        o->deleted = true;
        return vtlTraceCall_.result(TRUE);
    }
    delete o;
    return vtlTraceCall_.result(TRUE);
}
