// File names as a game gives them, turned into host paths.
#ifndef VANTREL_SEAM_GAME_PATHS_H
#define VANTREL_SEAM_GAME_PATHS_H

#include <string>

namespace vtl {
// The host path of a Windows-style name: backslashes become slashes, a drive
// letter means the root ("C:\x" is /x, "C:x" is x) and the CD drive's its
// folder ("D:\x" is the disc's x), "." and ".." are taken
// by the name alone as Windows takes them, the last part loses trailing dots
// and blanks, a separator at the end is kept, and each part of the name
// that does not exist as written is matched without regard to case against
// its folder's names, the first in byte order winning.  Parts that match
// nothing are kept as given, so a name being created keeps its case.  A null
// name gives an empty path.
std::string resolveGamePath(const char* name);
} // namespace vtl

#endif
