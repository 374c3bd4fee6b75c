// MessageBox on the SDL video device: SDL's own message box, owned by the
// owner's native window.
#include "platform/backends/sdl/sdl_video.h"

namespace vtl {

int SdlVideo::messageBox(HWND owner, const char* text, const char* caption, UINT type)
{
    SDL_MessageBoxButtonData buttons[2];
    int count = 1;
    switch (type & 0xF) {
    case MB_OKCANCEL:
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDOK, "OK"};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDCANCEL, "Cancel"};
        count = 2;
        break;
    case MB_YESNO:
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, IDYES, "Yes"};
        buttons[1] = {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDNO, "No"};
        count = 2;
        break;
    default:
        buttons[0] = {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, IDOK,
                      "OK"};
    }
    Uint32 flags = (type & 0xF0) == MB_ICONERROR ? SDL_MESSAGEBOX_ERROR
                   : (type & 0xF0) == MB_ICONEXCLAMATION ? SDL_MESSAGEBOX_WARNING
                                                         : SDL_MESSAGEBOX_INFORMATION;
    SDL_MessageBoxData data = {flags, static_cast<SDL_Window*>(nativeWindow(owner)), caption, text, count,
                               buttons, nullptr};
    int answer = 0;
    if (SDL_ShowMessageBox(&data, &answer) != 0 || answer <= 0)
        return (type & 0xF) == MB_OK ? IDOK : buttons[count - 1].buttonid;
    return answer;
}

} // namespace vtl
