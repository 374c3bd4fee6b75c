// The configuration result and the choice of who answers the dialog.
#include "display/configuration.h"

#include "display/config_dialog.h"
#include <vantrel/seam/dialog_manager.h>

#include <vantrel/core.h>

namespace {

vtl::ConfigurationResult gResult{false, true, true, 16, 0, nullptr};
vtl::ConfigurationDialog gDialog = nullptr;

} // namespace

vtl::ConfigurationResult& vtl::configurationResult() { return gResult; }

vtl::ConfigurationDialog vtl::setConfigurationDialog(ConfigurationDialog dialog)
{
    const ConfigurationDialog before = gDialog;
    gDialog = dialog;
    return before;
}

void vtl::runConfigurationDialog(VTLHND& handle)
{
    (gDialog ? gDialog : showConfigurationDialog)(handle);
}

void vtl::showConfigurationDialog(VTLHND& handle)
{
    gResult.handle = &handle;
    // Whatever ends the dialog without OK (a window that cannot be made, the
    // game quitting) counts as Cancel.
    gResult.cancelled = true;
    // The library has no resource section to load dialog 106 from, so the
    // dialog is made from its template in memory (DialogBoxIndirectParamA's
    // loop, with the scripted answer's idle step) where a desktop would use
    // DialogBoxParamA on the module's resource.
    ConfigurationAnswer* answer = makeConfigurationAnswer();
    const INT_PTR shown = dialogBoxIndirectParam(configurationTemplate(), nullptr, ConfigurationDialogProc, 0,
                                                 answer ? answerConfigurationDialog : nullptr, answer);
    freeConfigurationAnswer(answer);
    if (shown == -1)
        Msg("Configuration dialog could not be shown.");
}
