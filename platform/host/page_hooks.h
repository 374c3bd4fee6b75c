// What a page shows its tests and tools besides the picture and the sound
// (docs/web.md, "Hooks"): how many frames were shown, the canvas as it was
// after a chosen frame, and the mixed sound as it went to the browser.
// Declared for every host; only a page does anything with them.
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

} // namespace vtl::host

#endif
