// Every name added for resources from resource scripts and the waveaudio
// device, called from source that compiles unchanged against the real
// Windows headers and against the compatibility headers.  The resources are
// the test program's own (resources/resources.rc).
#include <windows.h>

#include <mmsystem.h>

#include "resources/resource_ids.h"

#include <gtest/gtest.h>

namespace {

INT_PTR CALLBACK endsAtOnce(HWND dialog, UINT message, WPARAM, LPARAM param)
{
    if (message == WM_INITDIALOG && param)
        EndDialog(dialog, param);
    return message == WM_INITDIALOG;
}

} // namespace

TEST(AddedNames, ResourcesGroup)
{
    HMODULE self = GetModuleHandle(NULL);
    HRSRC level = FindResource(self, MAKEINTRESOURCE(IDR_LEVEL), "LEVELDATA");
    EXPECT_EQ(FindResourceA(NULL, MAKEINTRESOURCEA(IDR_LEVEL), "LEVELDATA"), level);
    HRSRC greeting = FindResourceEx(self, RT_RCDATA, MAKEINTRESOURCE(IDR_GREETING), MAKELANGID(LANG_GERMAN, SUBLANG_NEUTRAL));
    EXPECT_NE(greeting, nullptr);
    EXPECT_EQ(FindResourceExA(self, RT_RCDATA, MAKEINTRESOURCEA(IDR_GREETING), MAKELANGID(LANG_FRENCH, SUBLANG_DEFAULT)),
              nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_LANG_NOT_FOUND));
    EXPECT_EQ(FindResource(self, MAKEINTRESOURCE(IDR_LEVEL), RT_MENU), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_NE(DWORD(ERROR_RESOURCE_DATA_NOT_FOUND), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    HGLOBAL loaded = LoadResource(self, level);
    LPVOID bytes = LockResource(loaded);
    EXPECT_NE(bytes, nullptr);
    EXPECT_EQ(SizeofResource(self, level), 260u);
    EXPECT_FALSE(FreeResource(loaded));
    const LPCSTR types[] = {RT_CURSOR, RT_BITMAP,          RT_ICON,         RT_MENU,          RT_DIALOG,
                            RT_STRING, RT_FONTDIR,         RT_FONT,         RT_ACCELERATOR,   RT_RCDATA,
                            RT_MESSAGETABLE, RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION};
    EXPECT_EQ(sizeof types / sizeof types[0], 14u);
    EXPECT_NE(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));

    char text[32];
    EXPECT_EQ(LoadString(self, IDS_TITLE, text, sizeof text), 17);
    EXPECT_EQ(LoadStringA(NULL, IDS_TITLE, text, 8), 7);

    HBITMAP bitmap = LoadBitmap(self, MAKEINTRESOURCE(IDB_COLOURS));
    BITMAP info;
    EXPECT_EQ(GetObject(bitmap, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(GetObjectA(bitmap, sizeof info, &info), int(sizeof info));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(LoadBitmapA(self, "LOGO")));
    HANDLE image = LoadImage(self, MAKEINTRESOURCE(IDB_PALETTE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTCOLOR);
    EXPECT_TRUE(DeleteObject(image));
    EXPECT_NE(LoadImageA(self, MAKEINTRESOURCEA(IDI_GAME), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED), nullptr);
    EXPECT_EQ(LoadImageA(self, MAKEINTRESOURCEA(IDI_GAME), IMAGE_CURSOR, 0, 0, LR_SHARED), nullptr);
    EXPECT_NE(LR_LOADFROMFILE, LR_MONOCHROME);

    BITMAPINFO header = {};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = 4;
    header.bmiHeader.biHeight = -2;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP section = CreateDIBSection(NULL, &header, DIB_RGB_COLORS, &bits, NULL, 0);
    EXPECT_NE(bits, nullptr);
    RGBQUAD colour = {0, 0, 255, 0};
    EXPECT_EQ(colour.rgbRed, 255);
    EXPECT_TRUE(DeleteObject(section));

    HWND dialog = CreateDialog(self, MAKEINTRESOURCE(IDD_PLAIN), NULL, endsAtOnce);
    EXPECT_TRUE(DestroyWindow(dialog));
    dialog = CreateDialogA(self, MAKEINTRESOURCEA(IDD_OPTIONS), NULL, endsAtOnce);
    EXPECT_TRUE(DestroyWindow(dialog));
    dialog = CreateDialogParam(self, MAKEINTRESOURCE(IDD_PLAIN), NULL, endsAtOnce, 0);
    EXPECT_TRUE(DestroyWindow(dialog));
    dialog = CreateDialogParamA(self, MAKEINTRESOURCEA(IDD_PLAIN), NULL, endsAtOnce, 0);
    EXPECT_TRUE(DestroyWindow(dialog));
    EXPECT_EQ(DialogBoxParam(self, MAKEINTRESOURCE(IDD_PLAIN), NULL, endsAtOnce, 3), 3);
    EXPECT_EQ(DialogBoxParamA(self, MAKEINTRESOURCEA(IDD_OPTIONS), NULL, endsAtOnce, 4), 4);
    EXPECT_EQ(DialogBox(self, "NoSuchDialog", NULL, endsAtOnce), -1);
    EXPECT_EQ(DialogBoxA(self, "NoSuchDialog", NULL, endsAtOnce), -1);

    EXPECT_TRUE(PlaySound(MAKEINTRESOURCE(IDW_BEEP), self, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT));
    EXPECT_TRUE(PlaySound(NULL, NULL, SND_PURGE));
}

TEST(AddedNames, WaveAudioGroup)
{
    char reply[16];
    EXPECT_NE(mciSendString("open nothing.wav type waveaudio alias nothing", reply, sizeof reply, NULL), 0u);
    EXPECT_NE(UINT(MCI_FORMAT_BYTES), UINT(MCI_FORMAT_SAMPLES));
    EXPECT_NE(UINT(MCI_NOTIFY_SUPERSEDED), UINT(MCI_NOTIFY_ABORTED));
    EXPECT_NE(UINT(MCI_NOTIFY_FAILURE), UINT(MCI_NOTIFY_SUCCESSFUL));
}
