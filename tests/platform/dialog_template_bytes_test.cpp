// The binary DLGTEMPLATE handed to Windows' dialog manager, read back the way
// the system reads it.
#include "platform/shared/dialog_template_bytes.h"

#include <vantrel/win32/dialog.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class TemplateReader {
public:
    explicit TemplateReader(const std::vector<uint16_t>& words) : words_(words) {}
    uint16_t word() { return words_.at(at_++); }
    uint32_t dword()
    {
        const uint32_t low = word();
        return low | uint32_t(word()) << 16;
    }
    int16_t coordinate() { return static_cast<int16_t>(word()); }
    std::u16string text()
    {
        std::u16string s;
        for (uint16_t w = word(); w; w = word())
            s.push_back(static_cast<char16_t>(w));
        return s;
    }
    void alignToDword()
    {
        if (at_ % 2) {
            EXPECT_EQ(word(), 0u) << "padding";
        }
    }
    size_t position() const { return at_; }

private:
    const std::vector<uint16_t>& words_;
    size_t at_ = 0;
};

struct ReadItem {
    uint32_t style;
    int x, y, cx, cy;
    uint16_t id;
    uint16_t atom;
    std::u16string title;
    size_t offsetWords;
};

const VTLDLGITEM kItems[] = {
    {VTLDLG_BITMAP, 5, nullptr, 7, 7, 0, 0, FALSE, 101},
    {VTLDLG_CTEXT, -1, "Odd", 75, 7, 117, 10, FALSE, 0},
    {VTLDLG_PUSHBUTTON, 8, "Home", 91, 43, 80, 13, FALSE, 0},
    {VTLDLG_DEFPUSHBUTTON, IDOK, "OK", 34, 204, 50, 14, FALSE, 0},
    {VTLDLG_AUTOCHECKBOX, 9, "Copyright \xA9", 7, 51, 46, 11, FALSE, 0},
    {VTLDLG_GROUPBOX, 10, "Group", 7, 64, 185, 77, FALSE, 0},
    {VTLDLG_DROPDOWNLIST, 11, "", 19, 76, 161, 69, FALSE, 0},
    {VTLDLG_LTEXTFRAME, 12, " 800x600", 19, 94, 161, 12, TRUE, 0},
};

const VTLDLGTEMPLATE kTemplate = {
    "Setup", WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER, 8, "MS Sans Serif", 199, 225, kItems, 8, nullptr,
};

std::vector<ReadItem> readTemplate(const std::vector<uint16_t>& words, uint32_t* style, std::u16string* caption,
                                   uint16_t* points, std::u16string* face)
{
    TemplateReader r(words);
    *style = r.dword();
    EXPECT_EQ(r.dword(), 0u);
    const int count = r.word();
    EXPECT_EQ(r.coordinate(), 0);
    EXPECT_EQ(r.coordinate(), 0);
    EXPECT_EQ(r.coordinate(), 199);
    EXPECT_EQ(r.coordinate(), 225);
    EXPECT_EQ(r.word(), 0u) << "menu";
    EXPECT_EQ(r.word(), 0u) << "class";
    *caption = r.text();
    *points = r.word();
    *face = r.text();
    std::vector<ReadItem> items;
    for (int i = 0; i < count; ++i) {
        r.alignToDword();
        ReadItem item{};
        item.offsetWords = r.position();
        item.style = r.dword();
        EXPECT_EQ(r.dword(), 0u);
        item.x = r.coordinate();
        item.y = r.coordinate();
        item.cx = r.coordinate();
        item.cy = r.coordinate();
        item.id = r.word();
        EXPECT_EQ(r.word(), 0xFFFFu) << "class by atom";
        item.atom = r.word();
        item.title = r.text();
        EXPECT_EQ(r.word(), 0u) << "creation data";
        items.push_back(item);
    }
    EXPECT_EQ(r.position(), words.size());
    return items;
}

TEST(DialogTemplateBytes, HeaderCarriesTheFontAndEveryItemStartsOnADword)
{
    uint32_t style;
    std::u16string caption, face;
    uint16_t points;
    const auto items = readTemplate(vtl::dialogTemplateBytes(kTemplate), &style, &caption, &points, &face);
    EXPECT_EQ(style, uint32_t(kTemplate.style | DS_SETFONT));
    EXPECT_EQ(caption, u"Setup");
    EXPECT_EQ(points, 8u);
    EXPECT_EQ(face, u"MS Sans Serif");
    ASSERT_EQ(items.size(), 8u);
    for (const ReadItem& item : items)
        EXPECT_EQ(item.offsetWords % 2, 0u);
    // Geometry in dialog units as given; a drop-down list's height is the
    // dropped list's; -1 is the id statics share.
    EXPECT_EQ(items[6].cy, 69);
    EXPECT_EQ(items[1].id, 0xFFFFu);
    EXPECT_EQ(items[3].id, IDOK);
    EXPECT_EQ(items[2].x, 91);
    // Texts are Latin-1; a bitmap has no title.
    EXPECT_EQ(items[4].title, u"Copyright \u00A9");
    EXPECT_EQ(items[0].title, u"");
    EXPECT_EQ(items[7].title, u" 800x600");
}

TEST(DialogTemplateBytes, KindsMapToTheSystemsClassesAndStyles)
{
    uint32_t style;
    std::u16string caption, face;
    uint16_t points;
    const auto items = readTemplate(vtl::dialogTemplateBytes(kTemplate), &style, &caption, &points, &face);
    const uint32_t shown = WS_CHILD | WS_VISIBLE;
    const uint16_t button = 0x80, staticClass = 0x82, combo = 0x85;
    struct Expected {
        uint16_t atom;
        uint32_t style;
    } expected[] = {
        {staticClass, shown | 0x0E},                             // SS_BITMAP
        {staticClass, shown | WS_GROUP | 0x01},                  // SS_CENTER
        {button, shown | WS_TABSTOP | 0x00},                     // BS_PUSHBUTTON
        {button, shown | WS_TABSTOP | 0x01},                     // BS_DEFPUSHBUTTON
        {button, shown | WS_TABSTOP | 0x03},                     // BS_AUTOCHECKBOX
        {button, shown | 0x07},                                  // BS_GROUPBOX
        {combo, shown | WS_TABSTOP | 0x00200000 | 0x03},         // WS_VSCROLL | CBS_DROPDOWNLIST
        {staticClass, WS_CHILD | WS_GROUP | WS_BORDER | 0x00},   // hidden SS_LEFT
    };
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].atom, expected[i].atom) << "item " << i;
        EXPECT_EQ(items[i].style, expected[i].style) << "item " << i;
    }
}

TEST(DialogTemplateBytes, EmptyTemplateIsAHeaderAlone)
{
    const VTLDLGTEMPLATE empty = {nullptr, WS_POPUP, 9, "Arial", 199, 225, nullptr, 0, nullptr};
    uint32_t style;
    std::u16string caption, face;
    uint16_t points;
    EXPECT_TRUE(readTemplate(vtl::dialogTemplateBytes(empty), &style, &caption, &points, &face).empty());
    EXPECT_EQ(caption, u"");
    EXPECT_EQ(face, u"Arial");
}

} // namespace
