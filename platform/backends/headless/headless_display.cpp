// The headless display (DisplayBackend): the DirectDraw-shaped device keeps
// every surface in memory, so there is nothing to switch and nothing to show.
// Entering full screen always works, which lets the display tests run every
// mode on any machine.
#include "platform/backends/headless/headless_backend.h"

#include "platform/ddraw/display_backend.h"

namespace {

class HeadlessDisplay final : public vtl::DisplayBackend {
public:
    HRESULT enterFullscreen(HWND, DWORD, DWORD) override { return 0; }
    void leaveFullscreen() override {}
    void presentFullscreen(HWND, const vtl::PresentedImage&, bool) override {}
    void presentWindow(HWND, const vtl::PresentedImage&, const RECT&) override {}
};

} // namespace

std::unique_ptr<vtl::DisplayBackend> vtl::openHeadlessDisplay()
{
    return std::unique_ptr<DisplayBackend>(new HeadlessDisplay);
}
