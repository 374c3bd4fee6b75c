// The keyboard device's keys: the scan code (DIK_*) of each virtual key the
// window system reports, and the name Windows gives the key.
#ifndef VANTREL_PLATFORM_DINPUT_KEY_CODES_H
#define VANTREL_PLATFORM_DINPUT_KEY_CODES_H

namespace vtl {

struct KeyCode {
    int dik;
    const char* name;
};

// The keyboard's keys in scan-code order; `count` receives their number.
const KeyCode* keyboardKeys(unsigned* count);
// The scan code of a virtual key, 0 when the keyboard has no such key;
// `extended` picks the right-hand Shift, Ctrl and Alt and the keypad's
// Enter over the keys VK_SHIFT, VK_CONTROL, VK_MENU and VK_RETURN also name.
int dikOfVirtualKey(int vk, bool extended);

} // namespace vtl

#endif
