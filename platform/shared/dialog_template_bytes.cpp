#include "platform/shared/dialog_template_bytes.h"

#include <vantrel/win32/window.h>

namespace vtl {
namespace {

constexpr uint32_t kSetFont = 0x40; // DS_SETFONT

class WordWriter {
public:
    explicit WordWriter(std::vector<uint16_t>& out) : out_(out) {}
    void word(uint16_t w) { out_.push_back(w); }
    void dword(uint32_t d)
    {
        word(static_cast<uint16_t>(d & 0xFFFF));
        word(static_cast<uint16_t>(d >> 16));
    }
    void coordinate(int v) { word(static_cast<uint16_t>(static_cast<int16_t>(v))); }
    // A zero-ended UTF-16 text; the template's bytes are Latin-1, which maps
    // each byte to the code point of the same value.
    void text(const char* s)
    {
        for (; s && *s; ++s)
            word(static_cast<unsigned char>(*s));
        word(0);
    }
    void alignToDword()
    {
        if (out_.size() % 2)
            word(0);
    }

private:
    std::vector<uint16_t>& out_;
};

} // namespace

DialogItemClass dialogItemClass(const VTLDLGITEM& item)
{
    using namespace dialog_styles;
    // The window styles' macros are longs on Linux and Windows alike.
    const uint32_t child = static_cast<uint32_t>(WS_CHILD) | (item.hidden ? 0u : static_cast<uint32_t>(WS_VISIBLE));
    const uint32_t tabStop = static_cast<uint32_t>(WS_TABSTOP), group = static_cast<uint32_t>(WS_GROUP);
    const uint32_t border = static_cast<uint32_t>(WS_BORDER);
    switch (item.kind) {
    case VTLDLG_PUSHBUTTON: return {kButtonClass, child | tabStop | kPushButton};
    case VTLDLG_DEFPUSHBUTTON: return {kButtonClass, child | tabStop | kDefPushButton};
    case VTLDLG_AUTOCHECKBOX: return {kButtonClass, child | tabStop | kAutoCheckBox};
    case VTLDLG_GROUPBOX: return {kButtonClass, child | kGroupBox};
    case VTLDLG_CTEXT: return {kStaticClass, child | group | kCentredText};
    case VTLDLG_LTEXTFRAME: return {kStaticClass, child | group | border | kLeftText};
    case VTLDLG_LTEXT: return {kStaticClass, child | group | kLeftText};
    case VTLDLG_BITMAP: return {kStaticClass, child | kBitmap};
    case VTLDLG_DROPDOWNLIST: return {kComboBoxClass, child | tabStop | kVerticalScroll | kDropDownList};
    default: return {kStaticClass, child | kLeftText};
    }
}

std::vector<uint16_t> dialogTemplateBytes(const VTLDLGTEMPLATE& t)
{
    std::vector<uint16_t> bytes;
    WordWriter out(bytes);
    const int count = t.items && t.itemCount > 0 ? t.itemCount : 0;
    out.dword(static_cast<uint32_t>(t.style) | kSetFont);
    out.dword(0); // extended style
    out.word(static_cast<uint16_t>(count));
    out.coordinate(0); // placed by DS_CENTER, or by the system
    out.coordinate(0);
    out.coordinate(t.cx);
    out.coordinate(t.cy);
    out.word(0); // no menu
    out.word(0); // the dialog class
    out.text(t.caption);
    out.word(static_cast<uint16_t>(t.pointSize));
    out.text(t.faceName);
    for (int i = 0; i < count; ++i) {
        const VTLDLGITEM& item = t.items[i];
        const DialogItemClass made = dialogItemClass(item);
        out.alignToDword();
        out.dword(made.style);
        out.dword(0); // extended style
        out.coordinate(item.x);
        out.coordinate(item.y);
        out.coordinate(item.cx);
        out.coordinate(item.cy); // a drop-down list's is its dropped height, as the system reads it
        out.word(static_cast<uint16_t>(item.id)); // -1 is 0xFFFF, the id of statics nobody addresses
        out.word(0xFFFF);
        out.word(made.atom);
        out.text(item.kind == VTLDLG_BITMAP ? "" : item.text);
        out.word(0); // no creation data
    }
    return bytes;
}

} // namespace vtl
