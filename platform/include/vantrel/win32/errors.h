// The error codes GetLastError reports for the file, settings-file, process
// and handle calls, and for a child window without a parent.  Values are
// those of the interface games were written for; where Windows 9x and NT
// report different codes for one mistake, these are NT's.
#ifndef VANTREL_WIN32_ERRORS_H
#define VANTREL_WIN32_ERRORS_H

#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_WRITE_FAULT 29L
#define ERROR_READ_FAULT 30L
#define ERROR_HANDLE_EOF 38L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_DISK_FULL 112L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_NAME 123L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_NEGATIVE_SEEK 131L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_DIRECTORY 267L
#define ERROR_NOACCESS 998L
#define ERROR_TLW_WITH_WSCHILD 1406L
#define ERROR_INVALID_USER_BUFFER 1784L

#endif
