// gfxString places text by its measured width and writes it into the back
// buffer in the text colour.
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/ddraw.h>
#include <vantrel/win32/gdi.h>

#include "support/display_fixture.h"

#include <cstring>
#include <vector>

namespace {

class TextOutputTest : public DisplayTest {
protected:
    void SetUp() override
    {
        DisplayTest::SetUp();
        useDesktop("rgb32");
        handle.gfxSetup(window, 400, 60, 32);
        handle.Override();
        ASSERT_EQ(handle.gfxBegin(), 1);
        font = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override
    {
        handle.gfxEnd();
        DeleteObject(font);
        DisplayTest::TearDown();
    }

    LONG textWidth(const char* text)
    {
        HDC dc = nullptr;
        EXPECT_EQ(handle.backBuffer->GetDC(&dc), DD_OK);
        SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPointA(dc, text, static_cast<int>(std::strlen(text)), &size);
        handle.backBuffer->ReleaseDC(dc);
        return size.cx;
    }

    // The back buffer after drawing `text` alone.
    std::vector<uint32_t> render(const char* text, short x, unsigned char alignment)
    {
        handle.ClearBackBuffer(0);
        std::vector<char> copy(text, text + std::strlen(text) + 1);
        EXPECT_TRUE(handle.gfxString(copy.data(), font, RGB(255, 255, 0), x, 20, alignment));
        DDSURFACEDESC d;
        std::memset(&d, 0, sizeof d);
        d.dwSize = sizeof d;
        EXPECT_EQ(handle.backBuffer->Lock(nullptr, &d, DDLOCK_WAIT, nullptr), DD_OK);
        std::vector<uint32_t> pixels(400 * 60);
        for (int y = 0; y < 60; ++y)
            std::memcpy(&pixels[y * 400], static_cast<unsigned char*>(d.lpSurface) + y * d.lPitch, 400 * 4);
        handle.backBuffer->Unlock(nullptr);
        return pixels;
    }

    VTLHND handle;
    HFONT font = nullptr;
};

TEST_F(TextOutputTest, CentredAndRightAlignedTextStartAtTheMeasuredOffset)
{
    const char* text = "Vantrel frames";
    const LONG w = textWidth(text);
    ASSERT_GT(w, 20);
    const std::vector<uint32_t> left = render(text, 100, 0);
    EXPECT_EQ(render(text, static_cast<short>(100 + w / 2), 1), left);
    EXPECT_EQ(render(text, static_cast<short>(100 + w), 2), left);
    EXPECT_EQ(render(text, 100, 7), left) << "other alignments are left-aligned";

    // The text is drawn in its colour, transparently, inside its box.
    int lit = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 400; ++x) {
            const uint32_t p = left[y * 400 + x] & 0xFFFFFF;
            if (p == 0)
                continue;
            ++lit;
            EXPECT_EQ(p & 0x0000FF, 0u) << "no blue in yellow text";
            EXPECT_GE(x, 100);
            EXPECT_LT(x, 100 + w + 1);
        }
    EXPECT_GT(lit, 50);
}

} // namespace
