// The program's own resources, from a resource script compiled by windres
// and linked by vantrel_add_resources (resources/resources.rc): string
// tables, raw and custom data, languages, bitmaps, icons, dialogs and
// sounds, read as a Windows program reads them.
#include <windows.h>

#include <mmsystem.h>

#include "resources/resource_ids.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

HINSTANCE self()
{
    return GetModuleHandleA(nullptr);
}

std::string loaded(UINT id, int size = 256)
{
    std::string buffer(static_cast<size_t>(size), '#');
    const int length = LoadStringA(self(), id, &buffer[0], size);
    EXPECT_EQ(static_cast<size_t>(length), std::strlen(buffer.c_str()));
    return buffer.c_str();
}

} // namespace

TEST(StringResources, LoadAsWrittenAcrossBlocksInTheAnsiCodePage)
{
    EXPECT_EQ(loaded(IDS_TITLE), "Vantrel resources");
    EXPECT_EQ(loaded(IDS_SECOND_BLOCK), "In the second block");
    EXPECT_EQ(loaded(IDS_LAST_OF_BLOCK), "Last of its block");
    EXPECT_EQ(loaded(IDS_ACCENTED), "Caf\xE9 cr\xE8me");
    // A null instance is the program.
    char buffer[64];
    EXPECT_EQ(LoadStringA(nullptr, IDS_TITLE, buffer, sizeof buffer), 17);
    EXPECT_STREQ(buffer, "Vantrel resources");
}

TEST(StringResources, ShortBuffersTruncateAndMissingStringsLoadEmpty)
{
    // The buffer holds size - 1 characters and the terminator.
    EXPECT_EQ(loaded(IDS_LONG, 9), "A string");
    EXPECT_EQ(loaded(IDS_LONG, 1), "");
    // Missing: one in a block that exists, one in a block that does not.
    EXPECT_EQ(loaded(IDS_TITLE + 5), "");
    EXPECT_EQ(loaded(4000), "");

    // No room even for the terminator: -1, and nothing written.
    char untouched[4] = {'x', 'x', 'x', 0};
    EXPECT_EQ(LoadStringA(self(), IDS_TITLE, untouched, 0), -1);
    EXPECT_STREQ(untouched, "xxx");
}

TEST(ResourceLookup, FindsByNumberByHashNumberAndByNameInAnyCase)
{
    HRSRC byNumber = FindResourceA(self(), MAKEINTRESOURCEA(IDR_LEVEL), "LEVELDATA");
    ASSERT_NE(byNumber, nullptr);
    EXPECT_EQ(FindResourceA(self(), "#105", "leveldata"), byNumber);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_LEVEL), "LevelData"), byNumber);
    // "#10" is RT_RCDATA's number, and "Level2" was stored in capitals.
    HRSRC named = FindResourceA(self(), "level2", "#10");
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(FindResourceA(self(), "LEVEL2", RT_RCDATA), named);
}

TEST(ResourceLookup, DataIsTheFilesBytesInPlaceAndFreeingDoesNothing)
{
    HRSRC level = FindResourceA(self(), MAKEINTRESOURCEA(IDR_LEVEL), "LEVELDATA");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(SizeofResource(self(), level), 260u);
    HGLOBAL data = LoadResource(self(), level);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(LoadResource(self(), level), data);
    const auto* bytes = static_cast<const unsigned char*>(LockResource(data));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::memcmp(bytes, "LVL1", 4), 0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(bytes[4 + i], i);
    EXPECT_FALSE(FreeResource(data));
    EXPECT_EQ(LockResource(data), bytes);

    // RCDATA written in the script: the text without a terminator, then a
    // DWORD (an L suffix).
    HRSRC inline_ = FindResourceA(self(), "LEVEL2", RT_RCDATA);
    ASSERT_NE(inline_, nullptr);
    ASSERT_EQ(SizeofResource(self(), inline_), 7u);
    const auto* two = static_cast<const unsigned char*>(LockResource(LoadResource(self(), inline_)));
    EXPECT_EQ(std::memcmp(two, "two\x56\x4C\0\0", 7), 0);
}

TEST(ResourceLookup, MissingTypesAndNamesFailWithTheirOwnErrors)
{
    SetLastError(0xdeadbeef);
    EXPECT_EQ(FindResourceA(self(), MAKEINTRESOURCEA(IDR_LEVEL), RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    SetLastError(0xdeadbeef);
    EXPECT_EQ(FindResourceA(self(), MAKEINTRESOURCEA(999), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    // "#" takes the digits that follow it, whatever comes after them.
    EXPECT_EQ(FindResourceA(self(), "#105th", "LEVELDATA"),
              FindResourceA(self(), MAKEINTRESOURCEA(IDR_LEVEL), "LEVELDATA"));
}

TEST(ResourceLookup, LanguagesFallBackToTheirNeutralFormOnly)
{
    // The greeting exists in German (neutral sublanguage) only.
    const WORD german = MAKELANGID(LANG_GERMAN, SUBLANG_DEFAULT);
    HRSRC any = FindResourceA(self(), MAKEINTRESOURCEA(IDR_GREETING), RT_RCDATA);
    ASSERT_NE(any, nullptr);
    EXPECT_EQ(FindResourceExA(self(), RT_RCDATA, MAKEINTRESOURCEA(IDR_GREETING), german), any);
    EXPECT_EQ(FindResourceExA(self(), RT_RCDATA, MAKEINTRESOURCEA(IDR_GREETING),
                              MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)),
              any);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(FindResourceExA(self(), RT_RCDATA, MAKEINTRESOURCEA(IDR_GREETING),
                              MAKELANGID(LANG_FRENCH, SUBLANG_DEFAULT)),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
    // The others were written in US English.
    EXPECT_NE(FindResourceExA(self(), RT_RCDATA, "LEVEL2", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)), nullptr);
}

TEST(BitmapResources, LoadAtTheirSizeAndKeepTheirPixelsInADibSection)
{
    HBITMAP colours = LoadBitmapA(self(), MAKEINTRESOURCEA(IDB_COLOURS));
    ASSERT_NE(colours, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(colours, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 5);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_TRUE(DeleteObject(colours));

    HBITMAP byName = LoadBitmapA(self(), "Logo");
    ASSERT_NE(byName, nullptr);
    EXPECT_TRUE(DeleteObject(byName));

    // LR_CREATEDIBSECTION keeps the resource's depth, rows bottom-up.
    auto* section = static_cast<HBITMAP>(
        LoadImageA(self(), MAKEINTRESOURCEA(IDB_COLOURS), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(GetObjectA(section, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 24);
    EXPECT_EQ(info.bmWidthBytes, 16);
    ASSERT_NE(info.bmBits, nullptr);
    const auto* bits = static_cast<const unsigned char*>(info.bmBits);
    const unsigned char* top = bits + 2 * info.bmWidthBytes;
    EXPECT_EQ(top[0] << 16 | top[1] << 8 | top[2], 0x0000FF); // red, as blue, green, red
    EXPECT_EQ(top[3] << 16 | top[4] << 8 | top[5], 0x00FF00);
    EXPECT_EQ(bits[4 * 3 + 2], 40); // the bottom row's last red: 10 * 4
    EXPECT_TRUE(DeleteObject(section));

    auto* indexed = static_cast<HBITMAP>(
        LoadImageA(self(), MAKEINTRESOURCEA(IDB_PALETTE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(indexed, nullptr);
    ASSERT_EQ(GetObjectA(indexed, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmBitsPixel, 8);
    EXPECT_EQ(std::memcmp(info.bmBits, "\2\2\0\1", 4), 0); // the bottom row
    EXPECT_TRUE(DeleteObject(indexed));

    SetLastError(0xdeadbeef);
    EXPECT_EQ(LoadBitmapA(self(), MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST(IconResources, TheGameIconLoadsOnceAndMissingOnesFail)
{
    HICON icon = LoadIconA(self(), MAKEINTRESOURCEA(IDI_GAME));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(self(), MAKEINTRESOURCEA(IDI_GAME)), icon);
    EXPECT_EQ(LoadImageA(self(), MAKEINTRESOURCEA(IDI_GAME), IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE), icon);

    // Which of the lookup's codes a missing icon leaves is not documented
    // (Wine leaves ERROR_RESOURCE_TYPE_NOT_FOUND).
    EXPECT_EQ(LoadIconA(self(), MAKEINTRESOURCEA(999)), nullptr);
    // The program has no cursors at all.
    SetLastError(0xdeadbeef);
    EXPECT_EQ(LoadCursorA(self(), MAKEINTRESOURCEA(IDI_GAME)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));

    // A class with the icon makes windows as any other.
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = self();
    wc.hIcon = icon;
    wc.lpszClassName = "ResourceIconWindow";
    ASSERT_NE(RegisterClassExA(&wc), 0);
    HWND window = CreateWindowExA(0, "ResourceIconWindow", "Icon", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, self(), nullptr);
    ASSERT_NE(window, nullptr);
    // The window's own icons, over the class's: each set returns the one
    // it replaces.
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon)), 0);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(SendMessageA(window, WM_SETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon)), 0);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), reinterpret_cast<LRESULT>(icon));
    DestroyWindow(window);
    UnregisterClassA("ResourceIconWindow", self());
}

namespace {

struct DialogRecord {
    LPARAM initParam = 0;
    std::string caption;
    std::string sound;
    bool hasDetail = false;
    LRESULT detailIndex = -1;
    bool hasDefault = false;
    INT_PTR endWith = 0;
};

INT_PTR CALLBACK recordingDialog(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* record = reinterpret_cast<DialogRecord*>(lParam);
    record->initParam = lParam;
    char text[64];
    GetWindowTextA(dialog, text, sizeof text);
    record->caption = text;
    if (HWND sound = GetDlgItem(dialog, IDC_SOUND)) {
        GetWindowTextA(sound, text, sizeof text);
        record->sound = text;
    }
    if (HWND detail = GetDlgItem(dialog, IDC_DETAIL)) {
        record->hasDetail = true;
        SendMessageA(detail, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Low"));
        record->detailIndex = SendMessageA(detail, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("High"));
    }
    record->hasDefault = GetDlgItem(dialog, IDOK) != nullptr;
    if (record->endWith)
        EndDialog(dialog, record->endWith);
    return TRUE;
}

} // namespace

TEST(DialogResources, DialogExTemplatesMakeTheirControls)
{
    DialogRecord record;
    HWND dialog =
        CreateDialogParamA(self(), MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, recordingDialog,
                           reinterpret_cast<LPARAM>(&record));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(record.initParam, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(record.caption, "Options");
    EXPECT_EQ(record.sound, "Sound");
    EXPECT_TRUE(record.hasDetail);
    EXPECT_EQ(record.detailIndex, 1);
    EXPECT_TRUE(record.hasDefault);
    EXPECT_NE(GetDlgItem(dialog, IDCANCEL), nullptr);
    EXPECT_NE(GetDlgItem(dialog, IDC_LOGO), nullptr);
    EXPECT_TRUE(DestroyWindow(dialog));
}

TEST(DialogResources, ModalDialogsOfBothFormsReturnTheirEndDialogResult)
{
    DialogRecord options;
    options.endWith = 42;
    EXPECT_EQ(DialogBoxParamA(self(), MAKEINTRESOURCEA(IDD_OPTIONS), nullptr, recordingDialog,
                              reinterpret_cast<LPARAM>(&options)),
              42);
    DialogRecord plain;
    plain.endWith = 7;
    EXPECT_EQ(DialogBoxParamA(self(), MAKEINTRESOURCEA(IDD_PLAIN), nullptr, recordingDialog,
                              reinterpret_cast<LPARAM>(&plain)),
              7);
    EXPECT_EQ(plain.caption, "Plain");

    SetLastError(0xdeadbeef);
    EXPECT_EQ(DialogBoxParamA(self(), MAKEINTRESOURCEA(999), nullptr, recordingDialog, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(CreateDialogParamA(self(), "NoSuchDialog", nullptr, recordingDialog, 0), nullptr);
}

TEST(WaveResources, PlaySoundPlaysAWaveResourceOfTheModule)
{
    EXPECT_TRUE(PlaySoundA(MAKEINTRESOURCEA(IDW_BEEP), self(), SND_RESOURCE | SND_SYNC | SND_NODEFAULT));
    EXPECT_TRUE(PlaySoundA("#104", self(), SND_RESOURCE | SND_SYNC | SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundA(MAKEINTRESOURCEA(999), self(), SND_RESOURCE | SND_SYNC | SND_NODEFAULT));
    // Not a WAVE resource, though the name exists under another type.
    EXPECT_FALSE(PlaySoundA(MAKEINTRESOURCEA(IDR_LEVEL), self(), SND_RESOURCE | SND_SYNC | SND_NODEFAULT));
}
