// DialogBoxParam and CreateDialogParam: a module's DIALOG and DIALOGEX
// resources made by the dialog manager.  Static bitmaps show the module's
// bitmap resources of their number; controls the manager has no kind for
// are left out, each kind said once.
#include "platform/gdi/bitmap_resources.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/trace.h"
#include "platform/user/dialog_resource_template.h"

#include <vantrel/win32/resources.h>

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>

namespace vtl {
namespace {

// The module whose bitmaps the dialog being made shows: the template's
// bitmap lookup takes an id alone, and is only called while the dialog is
// made, on the thread that makes it.
thread_local HINSTANCE tDialogModule = nullptr;

// Bitmaps stay for the life of the process: controls keep pointing at them,
// and a program's resources are a fixed set.
struct DialogBitmap {
    RgbImage image;
    VTLDLGBITMAP view;
};

const VTLDLGBITMAP* findDialogBitmap(int id)
{
    static std::mutex mutex;
    static auto* cache = new std::map<std::pair<HINSTANCE, int>, std::unique_ptr<DialogBitmap>>;
    std::lock_guard<std::mutex> lock(mutex);
    auto& slot = (*cache)[{tDialogModule, id}];
    if (!slot) {
        auto made = std::make_unique<DialogBitmap>();
        const DWORD before = GetLastError();
        const bool found = bitmapResourcePixels(tDialogModule, MAKEINTRESOURCEA(id), made->image);
        SetLastError(before);
        if (!found)
            return nullptr;
        made->view = VTLDLGBITMAP{made->image.width, made->image.height, DWORD(made->image.width * 3),
                                  made->image.bytes.data()};
        slot = std::move(made);
    }
    return &slot->view;
}

void sayLeftOut(const std::vector<std::string>& leftOut)
{
    static std::mutex mutex;
    static auto* said = new std::set<std::string>;
    for (const std::string& control : leftOut) {
        std::lock_guard<std::mutex> lock(mutex);
        if (said->insert(control).second)
            trace::announceUnsupported(("A dialog resource's " + control + " control").c_str(),
                                       "the dialog is made without it");
    }
}

// The template of dialog `name`; false with FindResource's error, or
// ERROR_INVALID_DATA for bytes that are not a template.
bool loadDialog(HINSTANCE instance, LPCSTR name, ResourceDialog& dialog)
{
    HRSRC found = FindResourceA(instance, name, RT_DIALOG);
    if (!found)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(LoadResource(instance, found));
    if (!readDialogResource(bytes, SizeofResource(instance, found), dialog)) {
        setError(ERROR_INVALID_DATA);
        return false;
    }
    sayLeftOut(dialog.leftOut);
    dialog.dialogTemplate.findBitmap = findDialogBitmap;
    return true;
}

} // namespace
} // namespace vtl

using namespace vtl;

namespace {

// Sets the module whose bitmaps a dialog shows while it is made, and puts
// back the one before: a procedure may open a dialog of another module from
// its WM_INITDIALOG.
struct DialogModule {
    HINSTANCE before;
    explicit DialogModule(HINSTANCE instance) : before(tDialogModule) { tDialogModule = instance; }
    ~DialogModule() { tDialogModule = before; }
};

} // namespace

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param)
{
    VTL_TRACE(user, "CreateDialogParamA", instance, trace::Atom{name}, parent, proc, param);
    ResourceDialog dialog;
    if (!loadDialog(instance, name, dialog))
        return vtlTraceCall_.result(HWND(nullptr));
    DialogModule module(instance);
    return vtlTraceCall_.result(CreateDialogIndirectParamA(instance, &dialog.dialogTemplate, parent, proc, param));
}

INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param)
{
    VTL_TRACE(user, "DialogBoxParamA", instance, trace::Atom{name}, parent, proc, param);
    ResourceDialog dialog;
    if (!loadDialog(instance, name, dialog))
        return vtlTraceCall_.result(INT_PTR(-1));
    DialogModule module(instance);
    return vtlTraceCall_.result(DialogBoxIndirectParamA(instance, &dialog.dialogTemplate, parent, proc, param));
}
