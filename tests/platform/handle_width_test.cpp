// Handles a game keeps in a DWORD or LONG: cut to 32 bits and widened again,
// with or without sign, they name the same window, font, event or file.
#include <vantrel/pixelformat.h>
#include <vantrel/win32/gdi.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/synch.h>
#include <vantrel/win32/window.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <vantrel/seam/window_backend.h>
#include "support/wave_file.h"
#include "support/window_recorder.h"

#include <cstdio>

namespace {
// What a game of the era does: keep the handle in a LONG, then hand it back.
template <class H>
H throughLong(H handle)
{
    const LONG kept = static_cast<LONG>(reinterpret_cast<uintptr_t>(handle));
    return reinterpret_cast<H>(static_cast<intptr_t>(kept));
}
// Or in a DWORD, widened without sign.
template <class H>
H throughDword(H handle)
{
    const DWORD kept = static_cast<DWORD>(reinterpret_cast<uintptr_t>(handle));
    return reinterpret_cast<H>(static_cast<uintptr_t>(kept));
}
} // namespace

TEST(HandleWidth, AWindowHandleCutTo32BitsStillNamesTheWindow)
{
    WindowRecorder rec;
    rec.handler = [](HWND, UINT message, WPARAM w, LPARAM, LRESULT* result) {
        if (message != WM_USER + 7)
            return false;
        *result = LRESULT(w * 3);
        return true;
    };
    HWND top = rec.create(WS_OVERLAPPEDWINDOW, 0, 0, 100, 80);
    HWND button = rec.create(WS_CHILD | WS_VISIBLE, 5, 5, 20, 10, top, 12);
    ASSERT_NE(top, nullptr);
    ASSERT_NE(button, nullptr);
    for (HWND original : {top, button}) {
        for (HWND cut : {throughLong(original), throughDword(original)}) {
            EXPECT_EQ(cut, original);
            EXPECT_TRUE(IsWindow(cut));
            EXPECT_EQ(SendMessageA(cut, WM_USER + 7, 5, 0), 15);
        }
    }
    EXPECT_EQ(GetParent(throughLong(button)), top);
    // A value whose upper half is neither extension names nothing.
    HWND stray = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(top) | (uintptr_t{0x1234} << 32));
    EXPECT_FALSE(IsWindow(stray));
    EXPECT_TRUE(DestroyWindow(throughLong(top)));
    EXPECT_FALSE(IsWindow(top));
    EXPECT_FALSE(IsWindow(button));
}

TEST(HandleWidth, HandlesOfManyWindowsStayDistinctBelowBit31)
{
    WindowRecorder rec;
    std::vector<HWND> made;
    for (int i = 0; i < 300; ++i) {
        HWND w = rec.create(WS_POPUP, 0, 0, 4, 4);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(w) >> 31, 0u);
        made.push_back(w);
        if (i % 2)
            DestroyWindow(made[size_t(i - 1)]); // numbers keep going up past the holes
    }
    for (size_t i = 1; i < made.size(); i += 2)
        EXPECT_TRUE(IsWindow(throughLong(made[i])));
    for (size_t i = 0; i < made.size(); i += 2)
        EXPECT_FALSE(IsWindow(made[i]));
    for (size_t i = 1; i < made.size(); i += 2)
        DestroyWindow(made[i]);
}

TEST(HandleWidth, FontsAndEventsCutTo32BitsStillWork)
{
    HFONT font = CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "DejaVu Sans");
    ASSERT_NE(font, nullptr);
    std::vector<unsigned char> pixels(16 * 16 * 2);
    VTLPixelFormat format{};
    format.formatCode = PF_RGB565;
    format.bitsPerPixel = 16;
    format.bytesPerPixel = 2;
    format.redMask = 0xF800;
    format.greenMask = 0x07E0;
    format.blueMask = 0x001F;
    HDC dc = vtl::createMemoryDC(pixels.data(), 32, 16, 16, format);
    ASSERT_NE(dc, nullptr);
    HDC cutDc = throughLong(dc);
    EXPECT_NE(SelectObject(cutDc, throughLong(font)), nullptr);
    // Selecting the stock font gives back the game's font, which names it.
    HGDIOBJ previous = SelectObject(cutDc, GetStockObject(17));
    EXPECT_EQ(previous, static_cast<HGDIOBJ>(font));
    vtl::destroyMemoryDC(dc);
    EXPECT_TRUE(DeleteObject(throughDword(font)));
    EXPECT_FALSE(DeleteObject(font));

    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    EXPECT_TRUE(SetEvent(throughLong(event)));
    EXPECT_EQ(WaitForSingleObject(throughDword(event), 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(throughLong(event)));
}

TEST(HandleWidth, AMultimediaFileHandleCutTo32BitsStillReads)
{
    const std::string path = temporaryWave(waveFile(1, 1, 11025, 8, Bytes(10, 0x42)));
    HMMIO file = mmioOpen(const_cast<char*>(path.c_str()), nullptr, MMIO_ALLOCBUF);
    ASSERT_NE(file, nullptr);
    char riff[4] = {};
    EXPECT_EQ(mmioRead(throughLong(file), riff, 4), 4);
    EXPECT_EQ(std::string(riff, 4), "RIFF");
    EXPECT_EQ(mmioSeek(throughDword(file), 0, SEEK_SET), 0);
    EXPECT_EQ(mmioClose(throughLong(file), 0), MMSYSERR_NOERROR);
    // Closed: the handle names nothing any more.
    EXPECT_EQ(mmioRead(file, riff, 4), -1);
    EXPECT_EQ(mmioClose(file, 0), MMSYSERR_INVALHANDLE);
    std::remove(path.c_str());
}
