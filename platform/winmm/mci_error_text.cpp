// mciGetErrorString: Windows' English texts of the MCI errors, so that a
// game's "CD error" box reads as it did.
#include <vantrel/win32/mmsystem.h>

#include <algorithm>
#include <cstring>

#include "platform/kernel/trace.h"

namespace {

struct ErrorText {
    MCIERROR error;
    const char* text;
};

const ErrorText kTexts[] = {
    {MCIERR_INVALID_DEVICE_ID, "Invalid MCI device ID. Use the ID returned when opening the MCI device."},
    {MCIERR_UNRECOGNIZED_KEYWORD, "The driver cannot recognize the specified command parameter."},
    {MCIERR_UNRECOGNIZED_COMMAND, "The driver cannot recognize the specified command."},
    {MCIERR_HARDWARE, "There is a problem with your media device. Make sure it is working correctly or contact the "
                      "device manufacturer."},
    {MCIERR_INVALID_DEVICE_NAME, "The specified device is not open or is not recognized by MCI."},
    {MCIERR_OUT_OF_MEMORY, "Not enough memory available for this task. Quit one or more applications to increase "
                           "available memory, and then try again."},
    {MCIERR_DEVICE_OPEN, "The device name is already being used as an alias by this application. Use a unique "
                         "alias."},
    {MCIERR_CANNOT_LOAD_DRIVER, "The specified device driver could not be loaded."},
    {MCIERR_MISSING_COMMAND_STRING, "No command was specified."},
    {MCIERR_PARAM_OVERFLOW, "The output string was too large to fit in the return buffer. Increase the size of the "
                            "buffer."},
    {MCIERR_MISSING_STRING_ARGUMENT, "The specified command requires a character-string parameter. Please provide "
                                     "one."},
    {MCIERR_BAD_INTEGER, "The specified integer is invalid for this command."},
    {MCIERR_MISSING_PARAMETER, "The specified command requires a parameter. Please supply one."},
    {MCIERR_UNSUPPORTED_FUNCTION, "The MCI device you are using does not support the specified command."},
    {MCIERR_FILE_NOT_FOUND, "Cannot find the specified file. Make sure the path and filename are correct."},
    {MCIERR_DEVICE_NOT_READY, "The device driver is not ready."},
    {MCIERR_OUTOFRANGE, "The specified parameter is out of range for the specified command."},
    {MCIERR_FLAGS_NOT_COMPATIBLE, "The specified parameters cannot be used together."},
    {MCIERR_DUPLICATE_ALIAS, "The specified alias is already being used in this application. Use a unique alias."},
    {MCIERR_BAD_CONSTANT, "The value specified for a command parameter is undefined for this MCI command."},
    {MCIERR_BAD_TIME_FORMAT, "The specified value for the time format is invalid. Refer to the MCI documentation "
                             "for valid formats."},
    {MCIERR_INVALID_FILE, "The specified file cannot be played on the specified MCI device. The file may be "
                          "corrupt, or not in the correct format."},
    {MCIERR_NULL_PARAMETER_BLOCK, "A null parameter block was passed to MCI."},
};

const char* textOf(MCIERROR error)
{
    for (const ErrorText& e : kTexts)
        if (e.error == error)
            return e.text;
    return nullptr;
}

} // namespace

BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size)
{
    VTL_TRACE(winmm, "mciGetErrorStringA", error, text, size);
    if (!text || size == 0)
        return vtlTraceCall_.result(FALSE);
    const char* known = textOf(error);
    if (!known)
        return vtlTraceCall_.result(FALSE);
    const size_t length = std::min<size_t>(std::strlen(known), size - 1);
    std::memcpy(text, known, length);
    text[length] = '\0';
    return vtlTraceCall_.result(TRUE);
}
