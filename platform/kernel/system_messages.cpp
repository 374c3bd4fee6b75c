// The texts of the error codes of errors.h.
#include "platform/kernel/system_messages.h"

#include <vantrel/win32/errors.h>

namespace vtl {

const char* systemMessage(DWORD code)
{
    switch (code) {
    case ERROR_SUCCESS: return "The operation completed successfully.\r\n";
    case ERROR_INVALID_FUNCTION: return "Incorrect function.\r\n";
    case ERROR_FILE_NOT_FOUND: return "The system cannot find the file specified.\r\n";
    case ERROR_PATH_NOT_FOUND: return "The system cannot find the path specified.\r\n";
    case ERROR_ACCESS_DENIED: return "Access is denied.\r\n";
    case ERROR_INVALID_HANDLE: return "The handle is invalid.\r\n";
    case ERROR_NOT_ENOUGH_MEMORY: return "Not enough storage is available to process this command.\r\n";
    case ERROR_NO_MORE_FILES: return "There are no more files.\r\n";
    case ERROR_BAD_LENGTH: return "The program issued a command but the command length is incorrect.\r\n";
    case ERROR_WRITE_FAULT: return "The system cannot write to the specified device.\r\n";
    case ERROR_READ_FAULT: return "The system cannot read from the specified device.\r\n";
    case ERROR_HANDLE_EOF: return "Reached the end of the file.\r\n";
    case ERROR_FILE_EXISTS: return "The file exists.\r\n";
    case ERROR_INVALID_PARAMETER: return "The parameter is incorrect.\r\n";
    case ERROR_DISK_FULL: return "There is not enough space on the disk.\r\n";
    case ERROR_INSUFFICIENT_BUFFER: return "The data area passed to a system call is too small.\r\n";
    case ERROR_INVALID_NAME: return "The filename, directory name, or volume label syntax is incorrect.\r\n";
    case ERROR_MOD_NOT_FOUND: return "The specified module could not be found.\r\n";
    case ERROR_NEGATIVE_SEEK:
        return "An attempt was made to move the file pointer before the beginning of the file.\r\n";
    case ERROR_DISCARDED: return "The segment is already discarded and cannot be locked.\r\n";
    case ERROR_NOT_LOCKED: return "The segment is already unlocked.\r\n";
    case ERROR_ALREADY_EXISTS: return "Cannot create a file when that file already exists.\r\n";
    case ERROR_ENVVAR_NOT_FOUND: return "The system could not find the environment option that was entered.\r\n";
    case ERROR_DIRECTORY: return "The directory name is invalid.\r\n";
    case ERROR_NOT_OWNER: return "Attempt to release mutex not owned by caller.\r\n";
    case ERROR_TOO_MANY_POSTS: return "Too many posts were made to a semaphore.\r\n";
    case ERROR_MR_MID_NOT_FOUND:
        return "The system cannot find message text for message number 0x%1 in the message file for %2.\r\n";
    case ERROR_INVALID_ADDRESS: return "Attempt to access invalid address.\r\n";
    case ERROR_NOACCESS: return "Invalid access to memory location.\r\n";
    case ERROR_INVALID_FLAGS: return "Invalid flags.\r\n";
    case ERROR_INVALID_WINDOW_HANDLE: return "Invalid window handle.\r\n";
    case ERROR_TLW_WITH_WSCHILD: return "Cannot create a top-level child window.\r\n";
    case ERROR_CANNOT_FIND_WND_CLASS: return "Cannot find window class.\r\n";
    case ERROR_WINDOW_OF_OTHER_THREAD: return "Invalid window; it belongs to other thread.\r\n";
    case ERROR_CLASS_ALREADY_EXISTS: return "Class already exists.\r\n";
    case ERROR_CLASS_DOES_NOT_EXIST: return "Class does not exist.\r\n";
    case ERROR_CLASS_HAS_WINDOWS: return "Class still has open windows.\r\n";
    case ERROR_INVALID_INDEX: return "Invalid index.\r\n";
    case ERROR_CONTROL_ID_NOT_FOUND: return "Control ID not found.\r\n";
    case ERROR_INVALID_USER_BUFFER: return "The supplied user buffer is not valid for the requested operation.\r\n";
    case ERROR_RESOURCE_DATA_NOT_FOUND: return "The specified image file did not contain a resource section.\r\n";
    case ERROR_RESOURCE_TYPE_NOT_FOUND: return "The specified resource type cannot be found in the image file.\r\n";
    case ERROR_RESOURCE_NAME_NOT_FOUND: return "The specified resource name cannot be found in the image file.\r\n";
    case ERROR_RESOURCE_LANG_NOT_FOUND:
        return "The specified resource language ID cannot be found in the image file.\r\n";
    case ERROR_MUI_FILE_NOT_FOUND:
        return "The resource loader failed to find MUI file.\r\n";
    default: return winsockMessage(code);
    }
}

} // namespace vtl
