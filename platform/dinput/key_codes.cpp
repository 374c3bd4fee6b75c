#include "platform/dinput/key_codes.h"

#include <vantrel/win32/dinput.h>
#include <vantrel/win32/window.h>

namespace vtl {
namespace {

struct VirtualKey {
    int vk;
    int dik;
};

// A US keyboard's keys with their names as Windows reports them.
const KeyCode kKeys[] = {
    {DIK_ESCAPE, "Esc"}, {DIK_1, "1"}, {DIK_2, "2"}, {DIK_3, "3"}, {DIK_4, "4"}, {DIK_5, "5"}, {DIK_6, "6"},
    {DIK_7, "7"}, {DIK_8, "8"}, {DIK_9, "9"}, {DIK_0, "0"}, {DIK_MINUS, "-"}, {DIK_EQUALS, "="},
    {DIK_BACK, "Backspace"}, {DIK_TAB, "Tab"}, {DIK_Q, "Q"}, {DIK_W, "W"}, {DIK_E, "E"}, {DIK_R, "R"},
    {DIK_T, "T"}, {DIK_Y, "Y"}, {DIK_U, "U"}, {DIK_I, "I"}, {DIK_O, "O"}, {DIK_P, "P"}, {DIK_LBRACKET, "["},
    {DIK_RBRACKET, "]"}, {DIK_RETURN, "Enter"}, {DIK_LCONTROL, "Ctrl"}, {DIK_A, "A"}, {DIK_S, "S"},
    {DIK_D, "D"}, {DIK_F, "F"}, {DIK_G, "G"}, {DIK_H, "H"}, {DIK_J, "J"}, {DIK_K, "K"}, {DIK_L, "L"},
    {DIK_SEMICOLON, ";"}, {DIK_APOSTROPHE, "'"}, {DIK_GRAVE, "`"}, {DIK_LSHIFT, "Shift"},
    {DIK_BACKSLASH, "\\"}, {DIK_Z, "Z"}, {DIK_X, "X"}, {DIK_C, "C"}, {DIK_V, "V"}, {DIK_B, "B"},
    {DIK_N, "N"}, {DIK_M, "M"}, {DIK_COMMA, ","}, {DIK_PERIOD, "."}, {DIK_SLASH, "/"},
    {DIK_RSHIFT, "Right Shift"}, {DIK_MULTIPLY, "Num *"}, {DIK_LMENU, "Alt"}, {DIK_SPACE, "Space"},
    {DIK_CAPITAL, "Caps Lock"}, {DIK_F1, "F1"}, {DIK_F2, "F2"}, {DIK_F3, "F3"}, {DIK_F4, "F4"},
    {DIK_F5, "F5"}, {DIK_F6, "F6"}, {DIK_F7, "F7"}, {DIK_F8, "F8"}, {DIK_F9, "F9"}, {DIK_F10, "F10"},
    {DIK_NUMLOCK, "Num Lock"}, {DIK_SCROLL, "Scroll Lock"}, {DIK_NUMPAD7, "Num 7"}, {DIK_NUMPAD8, "Num 8"},
    {DIK_NUMPAD9, "Num 9"}, {DIK_SUBTRACT, "Num -"}, {DIK_NUMPAD4, "Num 4"}, {DIK_NUMPAD5, "Num 5"},
    {DIK_NUMPAD6, "Num 6"}, {DIK_ADD, "Num +"}, {DIK_NUMPAD1, "Num 1"}, {DIK_NUMPAD2, "Num 2"},
    {DIK_NUMPAD3, "Num 3"}, {DIK_NUMPAD0, "Num 0"}, {DIK_DECIMAL, "Num Del"}, {DIK_F11, "F11"},
    {DIK_F12, "F12"}, {DIK_NUMPADENTER, "Num Enter"}, {DIK_RCONTROL, "Right Ctrl"}, {DIK_DIVIDE, "Num /"},
    {DIK_SYSRQ, "Prnt Scrn"}, {DIK_RMENU, "Right Alt"}, {DIK_PAUSE, "Pause"}, {DIK_HOME, "Home"},
    {DIK_UP, "Up"}, {DIK_PRIOR, "Page Up"}, {DIK_LEFT, "Left"}, {DIK_RIGHT, "Right"}, {DIK_END, "End"},
    {DIK_DOWN, "Down"}, {DIK_NEXT, "Page Down"}, {DIK_INSERT, "Insert"}, {DIK_DELETE, "Delete"},
    {DIK_LWIN, "Left Windows"}, {DIK_RWIN, "Right Windows"}, {DIK_APPS, "Application"},
};

const VirtualKey kVirtualKeys[] = {
    {VK_BACK, DIK_BACK}, {VK_TAB, DIK_TAB}, {VK_RETURN, DIK_RETURN}, {VK_SHIFT, DIK_LSHIFT},
    {VK_CONTROL, DIK_LCONTROL}, {VK_MENU, DIK_LMENU}, {VK_PAUSE, DIK_PAUSE}, {0x14, DIK_CAPITAL},
    {VK_ESCAPE, DIK_ESCAPE}, {VK_SPACE, DIK_SPACE}, {VK_PRIOR, DIK_PRIOR}, {VK_NEXT, DIK_NEXT},
    {VK_END, DIK_END}, {VK_HOME, DIK_HOME}, {VK_LEFT, DIK_LEFT}, {VK_UP, DIK_UP}, {VK_RIGHT, DIK_RIGHT},
    {VK_DOWN, DIK_DOWN}, {0x2C, DIK_SYSRQ}, {VK_INSERT, DIK_INSERT}, {VK_DELETE, DIK_DELETE},
    {0x5B, DIK_LWIN}, {0x5C, DIK_RWIN}, {0x5D, DIK_APPS}, {0x6A, DIK_MULTIPLY}, {VK_ADD, DIK_ADD},
    {VK_SUBTRACT, DIK_SUBTRACT}, {0x6E, DIK_DECIMAL}, {0x6F, DIK_DIVIDE}, {0x90, DIK_NUMLOCK},
    {0x91, DIK_SCROLL}, {0xA0, DIK_LSHIFT}, {0xA1, DIK_RSHIFT}, {0xA2, DIK_LCONTROL}, {0xA3, DIK_RCONTROL},
    {0xA4, DIK_LMENU}, {0xA5, DIK_RMENU}, {0xBA, DIK_SEMICOLON}, {0xBB, DIK_EQUALS}, {0xBC, DIK_COMMA},
    {0xBD, DIK_MINUS}, {0xBE, DIK_PERIOD}, {0xBF, DIK_SLASH}, {0xC0, DIK_GRAVE}, {0xDB, DIK_LBRACKET},
    {0xDC, DIK_BACKSLASH}, {0xDD, DIK_RBRACKET}, {0xDE, DIK_APOSTROPHE},
};

} // namespace

const KeyCode* keyboardKeys(unsigned* count)
{
    *count = sizeof kKeys / sizeof kKeys[0];
    return kKeys;
}

int dikOfVirtualKey(int vk, bool extended)
{
    if (extended) {
        switch (vk) {
        case VK_SHIFT: return DIK_RSHIFT;
        case VK_CONTROL: return DIK_RCONTROL;
        case VK_MENU: return DIK_RMENU;
        case VK_RETURN: return DIK_NUMPADENTER;
        default: break;
        }
    }
    static const unsigned char kLetters[] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I,
                                             DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R,
                                             DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};
    static const unsigned char kNumpad[] = {DIK_NUMPAD0, DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4,
                                            DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7, DIK_NUMPAD8, DIK_NUMPAD9};
    if (vk >= 'A' && vk <= 'Z')
        return kLetters[vk - 'A'];
    if (vk >= '1' && vk <= '9')
        return DIK_1 + (vk - '1');
    if (vk == '0')
        return DIK_0;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return kNumpad[vk - VK_NUMPAD0];
    if (vk >= VK_F1 && vk <= VK_F10)
        return DIK_F1 + (vk - VK_F1);
    if (vk == VK_F11)
        return DIK_F11;
    if (vk == VK_F12)
        return DIK_F12;
    for (const VirtualKey& key : kVirtualKeys)
        if (key.vk == vk)
            return key.dik;
    return 0;
}

} // namespace vtl
