// The compiled resource file as the library reads it, and a dialog
// resource's bitmap as the dialog manager draws it.
#include "platform/kernel/resource_table.h"

#include <vantrel/seam/dialog_manager.h>
#include <vantrel/win32/resources.h>

#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

void put16(std::vector<unsigned char>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<unsigned char>& out, uint32_t v)
{
    put16(out, uint16_t(v));
    put16(out, uint16_t(v >> 16));
}

// One record: a type and a name, each a number or (when `text` is given) a
// string, then `data`, padded as a resource compiler pads them.
void record(std::vector<unsigned char>& out, const char* typeText, WORD type, const char* nameText, WORD name,
            WORD language, const std::string& data)
{
    std::vector<unsigned char> header;
    auto key = [&](const char* text, WORD number) {
        if (!text) {
            put16(header, 0xFFFF);
            put16(header, number);
            return;
        }
        for (const char* p = text; *p; ++p)
            put16(header, uint16_t(*p));
        put16(header, 0);
    };
    key(typeText, type);
    key(nameText, name);
    while ((8 + header.size()) % 4)
        header.push_back(0);
    put32(header, 0);        // data version
    put16(header, 0x1030);   // memory flags
    put16(header, language);
    put32(header, 0);        // version
    put32(header, 0);        // characteristics
    put32(out, uint32_t(data.size()));
    put32(out, uint32_t(8 + header.size()));
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), data.begin(), data.end());
    while (out.size() % 4)
        out.push_back(0);
}

std::vector<unsigned char> resourceFile()
{
    std::vector<unsigned char> file;
    record(file, nullptr, 0, nullptr, 0, 0, "");
    record(file, "TUNE", 0, "Theme", 0, 0x409, "abcde");
    record(file, nullptr, 10, nullptr, 7, 0x407, "xyz");
    return file;
}

} // namespace

TEST(ResourceFile, RecordsKeepTheirKeysLanguagesAndPaddedData)
{
    const std::vector<unsigned char> file = resourceFile();
    std::vector<vtl::ResourceEntry> entries;
    ASSERT_TRUE(vtl::parseResourceFile(file.data(), file.size(), nullptr, entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_FALSE(entries[0].type.isNumber);
    EXPECT_EQ(entries[0].type.text, "TUNE");
    EXPECT_EQ(entries[0].name.text, "THEME");
    EXPECT_EQ(entries[0].language, 0x409);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entries[0].data), entries[0].size), "abcde");
    EXPECT_TRUE(entries[1].name.isNumber);
    EXPECT_EQ(entries[1].name.number, 7);
    EXPECT_EQ(entries[1].language, 0x407);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entries[1].data), entries[1].size), "xyz");
}

TEST(ResourceFile, CutFilesAndFilesWithoutTheMarkerAreRefused)
{
    const std::vector<unsigned char> file = resourceFile();
    std::vector<vtl::ResourceEntry> entries;
    // Every cut inside a record is refused; a cut between records (the
    // last one's padding may be missing) is the records before it.
    for (size_t size = 1; size < file.size(); ++size) {
        const bool between = size == 32 || (size >= 32 + 48 + 5 && size <= 32 + 56) || size >= 88 + 32 + 3;
        EXPECT_EQ(vtl::parseResourceFile(file.data(), size, nullptr, entries), between) << size;
    }
    std::vector<unsigned char> unmarked(file.begin() + 32, file.end());
    EXPECT_FALSE(vtl::parseResourceFile(unmarked.data(), unmarked.size(), nullptr, entries));
    std::vector<unsigned char> lying = file;
    lying[32] = 0xFF; // the first real record claims more data than there is
    EXPECT_FALSE(vtl::parseResourceFile(lying.data(), lying.size(), nullptr, entries));
    EXPECT_FALSE(VTLRegisterResources(lying.data(), DWORD(lying.size()), nullptr));
}

TEST(ResourceFile, ADialogsBitmapControlShowsTheBitmapResource)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    vtl::paintDialog(dialog);
    const RECT logo = vtl::dialogItemRect(dialog, IDC_LOGO);
    EXPECT_EQ(logo.right - logo.left, 5);
    EXPECT_EQ(logo.bottom - logo.top, 3);
    const vtl::DialogImage image = vtl::dialogImage(dialog);
    ASSERT_NE(image.pixels, nullptr);
    auto pixel = [&](LONG x, LONG y) {
        const auto* row = reinterpret_cast<const uint32_t*>(image.pixels + size_t(y) * image.pitch);
        return row[x] & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(logo.left, logo.top), 0xFF0000u);
    EXPECT_EQ(pixel(logo.left + 1, logo.top), 0x00FF00u);
    EXPECT_EQ(pixel(logo.left + 4, logo.top + 2), 0x285078u); // (40, 80, 120)
    DestroyWindow(dialog);
}
