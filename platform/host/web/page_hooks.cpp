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

// Module.vantrelFullscreenWanted says whether a full-screen mode lasts; the
// listeners that ask on the next gesture are there only while it does and
// the browser's full screen is not on.  Key presses and mouse buttons are
// gestures a browser takes for a full-screen request; the listeners see them
// first (capture), before the page's own.
EM_JS(void, vantrel_page_fullscreen_wanted, (int wanted), {
    if (typeof document === 'undefined' || !document.documentElement.requestFullscreen)
        return;
    var gestures = ['keydown', 'mousedown', 'touchend'];
    var listen = function(on) {
        var ask = Module['vantrelFullscreenAsk'];
        if (!ask) {
            ask = Module['vantrelFullscreenAsk'] = function() {
                listen(false);
                if (Module['vantrelFullscreenWanted'] && !document.fullscreenElement)
                    document.documentElement.requestFullscreen().catch(function() {});
            };
            // The player left the browser's full screen while the mode
            // lasts: the next gesture asks again.
            document.addEventListener('fullscreenchange', function() {
                listen(Module['vantrelFullscreenWanted'] && !document.fullscreenElement);
            });
        }
        gestures.forEach(function(name) {
            if (on)
                document.addEventListener(name, ask, true);
            else
                document.removeEventListener(name, ask, true);
        });
    };
    Module['vantrelFullscreenWanted'] = !!wanted;
    if (wanted) {
        listen(!document.fullscreenElement);
    } else {
        listen(false);
        if (document.fullscreenElement)
            document.exitFullscreen().catch(function() {});
    }
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

void pageFullscreenWanted(bool wanted)
{
    vantrel_page_fullscreen_wanted(wanted ? 1 : 0);
}

} // namespace vtl::host
