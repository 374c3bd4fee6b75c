// The clipboard's text through SDL: the desktop's clipboard, shared with
// every other program.
#include "platform/backends/sdl/sdl_video.h"

namespace vtl {

bool SdlVideo::clipboardText(std::string* text)
{
    char* held = SDL_GetClipboardText(); // "" when it holds no text
    if (!held)
        return false;
    *text = held;
    SDL_free(held);
    return true;
}

bool SdlVideo::setClipboardText(const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; }

} // namespace vtl
