// A dialog resource (the binary DLGTEMPLATE or DLGTEMPLATEEX a resource
// compiler makes of DIALOG and DIALOGEX) turned into the dialog manager's
// template as data.
#ifndef VANTREL_PLATFORM_USER_DIALOG_RESOURCE_TEMPLATE_H
#define VANTREL_PLATFORM_USER_DIALOG_RESOURCE_TEMPLATE_H

#include <vantrel/win32/dialog_template.h>

#include <deque>
#include <string>
#include <vector>

namespace vtl {

struct ResourceDialog {
    VTLDLGTEMPLATE dialogTemplate = {};
    std::vector<VTLDLGITEM> items;
    std::deque<std::string> texts; // the caption, face and item texts the template points at
    // The controls the manager has no kind for (the class and style, as
    // "EDIT", "BUTTON style 0x9"), in template order.
    std::vector<std::string> leftOut;
};

// False when the bytes are not a whole template.  Controls map to kinds by
// class and style: BUTTON push, default push, check box (CHECKBOX as an
// auto check box) and group box; STATIC left (LTEXT, RTEXT; framed with
// WS_BORDER), centred text and SS_BITMAP by number; COMBOBOX drop-down
// lists (CBS_DROPDOWN as one).  Texts are read into the ANSI code page.
bool readDialogResource(const unsigned char* bytes, size_t size, ResourceDialog& dialog);

} // namespace vtl

#endif
