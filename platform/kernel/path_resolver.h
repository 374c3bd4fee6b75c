// The resolver behind resolveGamePath (<vantrel/seam/game_paths.h>) and the
// Windows forms of host paths, for the platform's file calls.
#ifndef VANTREL_PLATFORM_KERNEL_PATH_RESOLVER_H
#define VANTREL_PLATFORM_KERNEL_PATH_RESOLVER_H

#include <vantrel/seam/game_paths.h>

#include <string>

namespace vtl {

// Forgets the cached listing of the folder that holds `hostPath`, after the
// game created or removed a name in it.
void forgetFolderOf(const std::string& hostPath);

// "/home/me/x" as Windows shows it: "C:\home\me\x".
std::string windowsFormOf(const std::string& hostPath);

// True when `name` has no folder part at all ("GAME.INI", not ".\GAME.INI",
// "C:GAME.INI" or "saves\GAME.INI").
bool hasNoFolder(const char* name);

// Sets the Windows error code for a failed open of `hostPath`: "invalid
// name" for a file named with a separator after it, "path not found" when
// its folder does not exist, else "file not found".
void setNotFoundError(const std::string& hostPath);

} // namespace vtl

#endif
