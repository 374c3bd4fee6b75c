// What a page does besides showing the picture and playing the sound: it
// shows its tests and tools (docs/web.md, "Hooks") how many frames were
// shown, the canvas as it was after a chosen frame and the mixed sound as it
// went to the browser, and it takes the browser's full screen for a
// full-screen display mode.  Declared for every host; only a page does
// anything with them.
#ifndef VANTREL_PLATFORM_HOST_PAGE_HOOKS_H
#define VANTREL_PLATFORM_HOST_PAGE_HOOKS_H

#include <cstdint>

namespace vtl::host {

// A present reached the canvas: counts it in Module.vantrelFrames and, at
// frame VANTREL_FRAMES, keeps the canvas as Module.vantrelFrameImage.
void pageFrameShown();
// The mixer filled `frames` stereo 16-bit frames at `rate` for the browser:
// appended to Module.vantrelAudioCapture when the page set it to an array.
void pageSoundMixed(const int16_t* samples, uint32_t frames, uint32_t rate);
// A full-screen display mode began (true) or ended (false).  A browser
// grants its full screen only in answer to the player, so the page asks
// for it on the player's next key press or click, and again after the
// player left it (Esc) while the mode lasts; until then the picture stays
// letterboxed in the page.  The end of the mode leaves the browser's full
// screen.
void pageFullscreenWanted(bool wanted);

} // namespace vtl::host

#endif
