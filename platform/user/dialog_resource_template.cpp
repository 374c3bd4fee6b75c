#include "platform/user/dialog_resource_template.h"

#include "platform/user/ansi_code_page.h"

#include <vantrel/win32/window.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vtl {
namespace {

constexpr uint32_t kSetFont = 0x40;     // DS_SETFONT
constexpr uint32_t kShellFont = 0x48;   // DS_SHELLFONT: DS_SETFONT | DS_FIXEDSYS

class Reader {
public:
    Reader(const unsigned char* bytes, size_t size) : bytes_(bytes), size_(size) {}
    bool ok() const { return ok_; }

    uint16_t word()
    {
        uint16_t v = 0;
        if (at_ + 2 > size_)
            ok_ = false;
        else
            std::memcpy(&v, bytes_ + at_, 2);
        at_ += 2;
        return v;
    }
    uint32_t dword()
    {
        const uint32_t low = word();
        return low | uint32_t(word()) << 16;
    }
    void align()
    {
        at_ = (at_ + 3) & ~size_t(3);
    }
    // A zero-terminated UTF-16 string.
    std::string text()
    {
        std::string s;
        for (uint16_t c = word(); ok_ && c; c = word())
            s.push_back(ansiFromUnicode(c));
        return s;
    }
    // A class, menu or title field: nothing, a number (0xFFFF first), or a
    // string.  Returns the number, or -1 with `s` set.
    int nameOrNumber(std::string& s)
    {
        s.clear();
        const size_t start = at_;
        const uint16_t first = word();
        if (first == 0xFFFF)
            return word();
        if (first == 0)
            return -1;
        at_ = start;
        s = text();
        return -1;
    }

private:
    const unsigned char* bytes_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

bool sameAscii(const std::string& a, const char* b)
{
    if (a.size() != std::strlen(b))
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != b[i])
            return false;
    }
    return true;
}

// The manager's kind for a control, or -1.
int kindOf(int classAtom, const std::string& className, uint32_t style)
{
    const bool button = classAtom == 0x80 || sameAscii(className, "BUTTON");
    const bool stat = classAtom == 0x82 || sameAscii(className, "STATIC");
    const bool combo = classAtom == 0x85 || sameAscii(className, "COMBOBOX");
    if (button) {
        switch (style & 0xF) {
        case 0x0: return VTLDLG_PUSHBUTTON;
        case 0x1: return VTLDLG_DEFPUSHBUTTON;
        case 0x2:                             // BS_CHECKBOX
        case 0x3: return VTLDLG_AUTOCHECKBOX; // BS_AUTOCHECKBOX
        case 0x7: return VTLDLG_GROUPBOX;
        default: return -1;
        }
    }
    if (stat) {
        switch (style & 0x1F) {
        case 0x0:                                                                           // SS_LEFT
        case 0x2: return (style & WS_BORDER) ? VTLDLG_LTEXTFRAME : VTLDLG_LTEXT;         // SS_RIGHT
        case 0x1: return VTLDLG_CTEXT;                                                       // SS_CENTER
        case 0xE: return VTLDLG_BITMAP;                                                      // SS_BITMAP
        default: return -1;
        }
    }
    if (combo && ((style & 3) == 2 || (style & 3) == 3)) // CBS_DROPDOWN, CBS_DROPDOWNLIST
        return VTLDLG_DROPDOWNLIST;
    return -1;
}

std::string describe(int classAtom, const std::string& className, uint32_t style)
{
    static const char* const atoms[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    std::string s = classAtom >= 0x80 && classAtom <= 0x85 ? atoms[classAtom - 0x80]
                    : classAtom >= 0                       ? "class " + std::to_string(classAtom)
                                                           : className;
    if (classAtom == 0x80 || classAtom == 0x82 || classAtom == 0x85) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(style & 0xFFFF));
        s += " style ";
        s += hex;
    }
    return s;
}

} // namespace

bool readDialogResource(const unsigned char* bytes, size_t size, ResourceDialog& dialog)
{
    dialog = ResourceDialog{};
    Reader in(bytes, size);
    const uint16_t first = in.word();
    const bool extended = in.word() == 0xFFFF && first == 1;
    uint32_t style;
    if (extended) {
        in.dword(); // help id
        in.dword(); // extended style
        style = in.dword();
    } else {
        in = Reader(bytes, size);
        style = in.dword();
        in.dword(); // extended style
    }
    const int count = in.word();
    in.word(); // x and y: dialogs are centred
    in.word();
    const int16_t cx = static_cast<int16_t>(in.word());
    const int16_t cy = static_cast<int16_t>(in.word());
    std::string ignored;
    in.nameOrNumber(ignored); // menu: the window system draws no menu bars
    in.nameOrNumber(ignored); // class: dialogs are the manager's own
    dialog.texts.push_back(in.text());
    VTLDLGTEMPLATE& t = dialog.dialogTemplate;
    t.caption = dialog.texts.back().c_str();
    t.style = style;
    t.cx = cx;
    t.cy = cy;
    t.pointSize = 8;
    std::string face = "MS Sans Serif"; // the system font's face when the template names none
    if ((style & kSetFont) || (style & kShellFont) == kShellFont) {
        t.pointSize = in.word();
        if (extended) {
            in.word(); // weight
            in.word(); // italic and character set
        }
        face = in.text();
    }
    dialog.texts.push_back(face);
    t.faceName = dialog.texts.back().c_str();
    for (int i = 0; i < count && in.ok(); ++i) {
        in.align();
        uint32_t itemStyle;
        if (extended) {
            in.dword(); // help id
            in.dword(); // extended style
            itemStyle = in.dword();
        } else {
            itemStyle = in.dword();
            in.dword(); // extended style
        }
        VTLDLGITEM item{};
        item.x = static_cast<int16_t>(in.word());
        item.y = static_cast<int16_t>(in.word());
        item.cx = static_cast<int16_t>(in.word());
        item.cy = static_cast<int16_t>(in.word());
        item.id = extended ? static_cast<int>(in.dword()) : static_cast<int16_t>(in.word());
        std::string className, title;
        const int classAtom = in.nameOrNumber(className);
        const int titleNumber = in.nameOrNumber(title);
        const uint16_t extra = in.word();
        for (int skip = 0; skip < (extra + 1) / 2; ++skip)
            in.word();
        const int kind = kindOf(classAtom, className, itemStyle);
        if (kind < 0) {
            dialog.leftOut.push_back(describe(classAtom, className, itemStyle));
            continue;
        }
        item.kind = static_cast<BYTE>(kind);
        item.hidden = !(itemStyle & WS_VISIBLE);
        if (kind == VTLDLG_BITMAP) {
            item.bitmap = titleNumber; // a bitmap named by a string has no number: shows nothing
        } else {
            dialog.texts.push_back(title);
            item.text = dialog.texts.back().c_str();
        }
        dialog.items.push_back(item);
    }
    if (!in.ok())
        return false;
    t.items = dialog.items.data();
    t.itemCount = static_cast<int>(dialog.items.size());
    return true;
}

} // namespace vtl
