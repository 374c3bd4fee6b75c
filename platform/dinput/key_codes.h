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
// The scan code of a virtual key, 0 when the keyboard has no such key.
// VK_SHIFT, VK_CONTROL and VK_MENU, which do not say which side, are the
// left-hand keys.
int dikOfVirtualKey(int vk);

} // namespace vtl

#endif
