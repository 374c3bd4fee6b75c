// Windows takes a game's Windows-style names as they are.
#include <vantrel/seam/game_paths.h>

std::string vtl::resolveGamePath(const char* name) { return name ? name : ""; }
