// Helpers the dialog tests used to find in the library: opening the
// configuration dialog by its resource id without a loop, and its drawn
// pixels seen as a surface, so that pixels are read as the library reads
// them.
#ifndef VANTREL_TESTS_SUPPORT_DIALOG_HELPERS_H
#define VANTREL_TESTS_SUPPORT_DIALOG_HELPERS_H

#include "display/config_dialog.h"

#include <vantrel/bitplanefx.h>
#include <vantrel/pixelformat.h>
#include <vantrel/seam/dialog_manager.h>

namespace vtl {

// Creates (and shows) the library's dialog `templateId`; null for an id it
// does not have.
inline HWND createDialogParam(int templateId, HWND parent, DLGPROC proc, LPARAM param)
{
    if (templateId != IDD_CONFIGURATION)
        return nullptr;
    return CreateDialogIndirectParamA(nullptr, &configurationTemplate(), parent, proc, param);
}

// A PF_RGB32 surface over the dialog's pixels after its last paint (valid
// until the next call); null for a window that is not a dialog.
inline const BITPLANEFX* dialogCanvas(HWND dialog)
{
    static BITPLANEFX view;
    const DialogImage image = dialogImage(dialog);
    if (!image.pixels)
        return nullptr;
    view = BITPLANEFX{};
    view.format = PF_RGB32;
    view.bitsPerPixel = 32;
    view.bytesPerPixel = 4;
    view.pixels = const_cast<unsigned char*>(image.pixels);
    view.pitch = image.pitch;
    view.width = view.clipWidth = image.width;
    view.height = view.clipHeight = image.height;
    return &view;
}

} // namespace vtl

#endif
