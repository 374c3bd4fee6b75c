#include "platform/host/page_hooks.h"

#include <emscripten.h>

namespace {

// VANTREL_FRAMES is read from the page's environment on the first frame.
EM_JS(void, vantrel_page_frame_shown, (), {
    var shown = Module['vantrelFrames'] = (Module['vantrelFrames'] || 0) + 1;
    if (Module['vantrelFrameWanted'] === undefined)
        Module['vantrelFrameWanted'] = parseInt(ENV['VANTREL_FRAMES'], 10) || 0;
    if (shown !== Module['vantrelFrameWanted'] || !Module['canvas'])
        return;
    Module['vantrelFrameImage'] = Module['canvas'].toDataURL('image/png');
    out('vantrel: frame ' + shown + ' kept as Module.vantrelFrameImage');
});

EM_JS(void, vantrel_page_sound_mixed, (const int16_t* samples, uint32_t frames, uint32_t rate), {
    var capture = Module['vantrelAudioCapture'];
    if (!Array.isArray(capture))
        return;
    capture.rate = rate;
    capture.push(HEAP16.slice(samples >> 1, (samples >> 1) + frames * 2));
});

} // namespace

namespace vtl::host {

void pageFrameShown()
{
    vantrel_page_frame_shown();
}

void pageSoundMixed(const int16_t* samples, uint32_t frames, uint32_t rate)
{
    vantrel_page_sound_mixed(samples, frames, rate);
}

} // namespace vtl::host
