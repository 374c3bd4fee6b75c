// A native program is in no page: nothing to show.
#include "platform/host/page_hooks.h"

namespace vtl::host {

void pageFrameShown() {}

void pageSoundMixed(const int16_t*, uint32_t, uint32_t) {}

void pageFullscreenWanted(bool) {}

} // namespace vtl::host
