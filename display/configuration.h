// The configuration result: what the player chose before the display first
// starts (driver, full screen or window, depth, effects), read by gfxBegin.
#ifndef VANTREL_DISPLAY_CONFIGURATION_H
#define VANTREL_DISPLAY_CONFIGURATION_H

#include <vantrel/win32/types.h>

class VTLHND;

namespace vtl {

struct ConfigurationResult {
    bool cancelled;
    bool fullscreen;
    bool effects;
    DWORD bitsPerPixel;
    DWORD driverIndex;
    VTLHND* handle; // the handle whose gfxBegin asked; its width and height are the mode's
};

ConfigurationResult& configurationResult();

// Asks the player (the configuration dialog, display/config_dialog.h) and
// fills configurationResult().  gfxBegin runs it when the handle is not yet
// configured.  Tests may put another function in its place.
typedef void (*ConfigurationDialog)(VTLHND& handle);
void runConfigurationDialog(VTLHND& handle);
// Replaces the dialog (null restores the default); returns the one before.
ConfigurationDialog setConfigurationDialog(ConfigurationDialog dialog);


} // namespace vtl

#endif
