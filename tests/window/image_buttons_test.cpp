// Image buttons driven by injected mouse messages on the headless backend.
#include <vantrel/bitplanefx.h>
#include <vantrel/buttons.h>
#include <vantrel/core.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/window.h>

#include "support/button_faces.h"
#include "support/message_capture.h"
#include "window/image_buttons.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace buttontest;

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Command> gCommands;

LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        gCommands.push_back(Command{wParam, lParam});
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class ImageButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        instance = GetModuleHandleA(nullptr);
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = parentProc;
            wc.hInstance = instance;
            wc.lpszClassName = "ImageButtonParent";
            registered = RegisterClassExA(&wc) != 0;
        }
        parent = CreateWindowExA(0, "ImageButtonParent", "buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320,
                                 240, nullptr, nullptr, instance, nullptr);
        ASSERT_NE(parent, nullptr);
        handle.hwnd = parent;
        ASSERT_TRUE(makeFace(normal, 16, 0x1111));
        ASSERT_TRUE(makeFace(hover, 16, 0x2222));
        ASSERT_TRUE(makeFace(pressed, 16, 0x3333));
        target.format = PF_RGB565;
        target.bitsPerPixel = 16;
        target.bytesPerPixel = 2;
        ASSERT_TRUE(target.create(200, 100, false));
        gCommands.clear();
    }
    void TearDown() override
    {
        for (HWND b : buttons)
            DestroyButton(b, instance);
        DestroyWindow(parent);
        normal.release();
        hover.release();
        pressed.release();
        target.release();
        handle.hwnd = nullptr;
    }
    HWND make(unsigned short id = 77)
    {
        RECT rect{10, 20, 109, 69};
        HWND b = VTLCreateRLEButton(&handle, instance, id, nullptr, &rect, &normal, &hover, &pressed, &target);
        if (b)
            buttons.push_back(b);
        return b;
    }
    static RLEBUTTON* record(HWND b) { return reinterpret_cast<RLEBUTTON*>(GetWindowLongPtrA(b, GWL_USERDATA)); }

    HINSTANCE instance = nullptr;
    HWND parent = nullptr;
    VTLHND handle;
    RLEFX normal{}, hover{}, pressed{};
    BITPLANEFX target{};
    std::vector<HWND> buttons;
};

const LPARAM kOn = MAKELPARAM(50, 20);   // an opaque pixel of the pressed face
const LPARAM kLevel = MAKELPARAM(25, 20); // a level pixel: part of the shape too
const LPARAM kOff = MAKELPARAM(5, 20);   // transparent

TEST_F(ImageButtonTest, IsAChildOfTheGameWindowWithItsRecord)
{
    HWND b = make();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(GetParent(b), parent);
    EXPECT_EQ(GetWindowLongA(b, GWL_ID), 77);
    EXPECT_NE(GetWindowLongA(b, GWL_STYLE) & WS_VISIBLE, 0);
    RECT client;
    GetClientRect(b, &client);
    EXPECT_EQ(client.right, 100); // the rectangle's right and bottom are inclusive
    EXPECT_EQ(client.bottom, 50);
    const RLEBUTTON* r = record(b);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->normalFace, &normal);
    EXPECT_EQ(r->hoverFace, &hover);
    EXPECT_EQ(r->pressedFace, &pressed);
    EXPECT_EQ(r->target, &target);
    EXPECT_EQ(r->x, 10);
    EXPECT_EQ(r->y, 20);
    EXPECT_EQ(r->buttonState, 0);
    EXPECT_EQ(vtl::liveButtonCount(), 1);

    // The private messages set the record's fields.
    SendMessageA(b, RLEBUTTON_SETPOSITION, 3, 4);
    SendMessageA(b, RLEBUTTON_SETHOVER, 0, reinterpret_cast<LPARAM>(&normal));
    EXPECT_EQ(r->x, 3);
    EXPECT_EQ(r->y, 4);
    EXPECT_EQ(r->hoverFace, &normal);
}

TEST_F(ImageButtonTest, EveryRowOfTheStateTable)
{
    HWND b = make();
    ASSERT_NE(b, nullptr);
    RLEBUTTON* r = record(b);
    struct Row {
        unsigned char moveOn, moveOff, downOn, downOff, upOn, upOff;
    };
    const Row table[4] = {{1, 0, 2, 3, 1, 0}, {1, 0, 2, 3, 1, 0}, {2, 3, 2, 3, 1, 0}, {2, 3, 2, 3, 1, 0}};
    for (unsigned char state = 0; state < 4; ++state) {
        const Row& row = table[state];
        const std::pair<UINT, LPARAM> events[6] = {{WM_MOUSEMOVE, kOn},   {WM_MOUSEMOVE, kOff},
                                                   {WM_LBUTTONDOWN, kOn}, {WM_LBUTTONDOWN, kOff},
                                                   {WM_LBUTTONUP, kOn},   {WM_LBUTTONUP, kOff}};
        const unsigned char expected[6] = {row.moveOn, row.moveOff, row.downOn, row.downOff, row.upOn, row.upOff};
        for (int e = 0; e < 6; ++e) {
            r->buttonState = state;
            gCommands.clear();
            SendMessageA(b, events[e].first, 0, events[e].second);
            EXPECT_EQ(r->buttonState, expected[e]) << "state " << int(state) << " event " << e;
            // Only a release over the shape clicks, whatever the state.
            const bool click = e == 4;
            ASSERT_EQ(gCommands.size(), click ? 1u : 0u) << "state " << int(state) << " event " << e;
            if (click) {
                EXPECT_EQ(gCommands[0].wParam, 77u);
                EXPECT_EQ(gCommands[0].lParam, reinterpret_cast<LPARAM>(b));
            }
        }
    }
}

TEST_F(ImageButtonTest, TransparentPixelsDoNotClickLevelPixelsDo)
{
    HWND b = make();
    RLEBUTTON* r = record(b);
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, kOff);
    SendMessageA(b, WM_LBUTTONUP, 0, kOff);
    EXPECT_TRUE(gCommands.empty());
    EXPECT_EQ(r->buttonState, 0);

    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, kLevel);
    EXPECT_EQ(r->buttonState, 2);
    SendMessageA(b, WM_LBUTTONUP, 0, kLevel);
    EXPECT_EQ(gCommands.size(), 1u);
    EXPECT_EQ(r->buttonState, 1);
}

TEST_F(ImageButtonTest, DrawsTheFaceOfItsStateAtItsPosition)
{
    HWND b = make();
    RLEBUTTON* r = record(b);
    auto drawn = [&] {
        target.clear();
        DrawRLEButton(b);
        return target.getPixel(10 + 50, 20 + 20);
    };
    EXPECT_EQ(drawn(), 0x1111u);
    EXPECT_EQ(target.getPixel(10 + 5, 20 + 20), 0u); // transparent pixels leave the target
    // Onto the shape, press, leave while pressed, come back, release.
    const std::pair<UINT, LPARAM> walk[] = {
        {WM_MOUSEMOVE, kOn}, {WM_LBUTTONDOWN, kOn}, {WM_MOUSEMOVE, kOff}, {WM_MOUSEMOVE, kOn}, {WM_LBUTTONUP, kOn}};
    const unsigned long faces[] = {0x2222, 0x3333, 0x1111, 0x3333, 0x2222};
    for (int i = 0; i < 5; ++i) {
        SendMessageA(b, walk[i].first, 0, walk[i].second);
        EXPECT_EQ(drawn(), faces[i]) << i;
    }
    EXPECT_EQ(gCommands.size(), 1u);
    EXPECT_EQ(r->buttonState, 1);
}

TEST_F(ImageButtonTest, ADrawWithoutRecordOrTargetSaysSo)
{
    HWND b = make();
    SendMessageA(b, RLEBUTTON_SETTARGET, 0, 0);
    MessageCapture capture;
    DrawRLEButton(b);
    DrawRLEButton(parent); // not a button: its user data is not read
    DrawRLEButton(nullptr);
    EXPECT_EQ(capture.messages(), (std::vector<std::string>{"DAMN\r\n", "DAMN\r\n", "DAMN\r\n"}));
}

TEST_F(ImageButtonTest, TheClassGoesWithTheLastButtonAndComesBackWithTheNext)
{
    HWND first = make(1), second = make(2);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(vtl::liveButtonCount(), 2);
    buttons.clear();

    DestroyButton(first, instance);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(vtl::liveButtonCount(), 1);
    HWND probe = CreateWindowExA(0, VTL_RLEBUTTON_CLASS, "", WS_CHILD, 0, 0, 1, 1, parent, nullptr, instance, nullptr);
    EXPECT_NE(probe, nullptr); // still registered
    DestroyWindow(probe);

    DestroyButton(second, instance);
    EXPECT_EQ(vtl::liveButtonCount(), 0);
    EXPECT_EQ(CreateWindowExA(0, VTL_RLEBUTTON_CLASS, "", WS_CHILD, 0, 0, 1, 1, parent, nullptr, instance, nullptr),
              nullptr);

    HWND again = make(3);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(vtl::liveButtonCount(), 1);
    SendMessageA(again, WM_LBUTTONDOWN, MK_LBUTTON, kOn);
    SendMessageA(again, WM_LBUTTONUP, 0, kOn);
    ASSERT_EQ(gCommands.size(), 1u);
    EXPECT_EQ(gCommands[0].wParam, 3u);

    // Destroying what is not a live button changes nothing.
    DestroyButton(parent, instance);
    DestroyButton(first, instance);
    EXPECT_TRUE(IsWindow(parent));
    EXPECT_EQ(vtl::liveButtonCount(), 1);
}

TEST_F(ImageButtonTest, WithoutItsRecordAButtonIgnoresTheMouse)
{
    HWND b = make();
    RLEBUTTON* r = record(b);
    SetWindowLongPtrA(b, GWL_USERDATA, 0);
    EXPECT_EQ(SendMessageA(b, RLEBUTTON_SETPOSITION, 1, 2), 0);
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, kOn);
    SendMessageA(b, WM_LBUTTONUP, 0, kOn);
    SendMessageA(b, WM_MOUSEMOVE, 0, kOn);
    EXPECT_TRUE(gCommands.empty());
    SetWindowLongPtrA(b, GWL_USERDATA, reinterpret_cast<LONG_PTR>(r));
    EXPECT_EQ(r->x, 10);
}

TEST_F(ImageButtonTest, HitTestWalksRunsOfEveryPixelSize)
{
    for (unsigned bits : {8u, 16u, 24u, 32u}) {
        RLEFX face{};
        ASSERT_TRUE(makeFace(face, bits, 0xABCDEF));
        EXPECT_FALSE(IsOpaqueAt(&face, 50, kShapeTop - 1)) << bits;
        EXPECT_FALSE(IsOpaqueAt(&face, kLevelLeft - 1, kShapeTop)) << bits;
        EXPECT_TRUE(IsOpaqueAt(&face, kLevelLeft, kShapeTop)) << bits;
        EXPECT_TRUE(IsOpaqueAt(&face, kOpaqueLeft, kShapeBottom - 1)) << bits;
        EXPECT_TRUE(IsOpaqueAt(&face, kOpaqueRight - 1, 25)) << bits;
        EXPECT_FALSE(IsOpaqueAt(&face, kOpaqueRight, 25)) << bits;
        EXPECT_FALSE(IsOpaqueAt(&face, 50, kShapeBottom)) << bits;
        EXPECT_FALSE(IsOpaqueAt(&face, -1, 20));
        EXPECT_FALSE(IsOpaqueAt(&face, 50, -1));
        EXPECT_FALSE(IsOpaqueAt(&face, kWidth, 20));
        EXPECT_FALSE(IsOpaqueAt(&face, 50, kHeight));
        face.release();
    }
    EXPECT_FALSE(IsOpaqueAt(nullptr, 0, 0));
}

} // namespace
