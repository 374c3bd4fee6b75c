// The headless display: the device's memory surfaces are all there is, so
// entering full screen always works and nothing is shown.
#include "platform/ddraw/display_backend.h"

namespace {

class HeadlessDisplay final : public vtl::DisplayBackend {
public:
    HRESULT enterFullscreen(HWND, DWORD, DWORD) override { return 0; }
    void leaveFullscreen() override {}
    void presentFullscreen(HWND, const vtl::PresentedImage&) override {}
    void presentWindow(HWND, const vtl::PresentedImage&, const RECT&) override {}
};

} // namespace

vtl::DisplayBackend* vtl::createHeadlessDisplay() { return new HeadlessDisplay; }
