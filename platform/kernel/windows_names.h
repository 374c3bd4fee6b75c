// The syntax of the names a game passes to the file calls, checked the way
// Windows checks it before looking at the disk.
#ifndef VANTREL_PLATFORM_KERNEL_WINDOWS_NAMES_H
#define VANTREL_PLATFORM_KERNEL_WINDOWS_NAMES_H

namespace vtl {

// False for a name Windows refuses with ERROR_INVALID_NAME: a wildcard
// (* ?), one of < > | " or a control character, or a colon anywhere but
// after a leading drive letter ("C:C:\x", "save:1").
bool isValidWindowsName(const char* name);

// True when the name ends in a folder separator ("SAVES\"), which Windows
// never opens or deletes as a file.
bool endsWithSeparator(const char* name);

} // namespace vtl

#endif
