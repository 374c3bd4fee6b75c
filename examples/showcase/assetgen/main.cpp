// assetgen: writes the demo's pictures, frame lists and sounds into a folder.
// The build then turns the pictures into RLE and RLA files with vtlsprite and
// packs everything with vtlpack.
//
//   showcase-assetgen [--wav-track] FOLDER
#include "art.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv)
{
    static const char kUsage[] = "usage: showcase-assetgen [--wav-track] FOLDER\n"
                                 "  Writes the demo's pictures, frame lists and sounds into FOLDER.\n"
                                 "  --wav-track: the CD track as WAV, for a library without a decoder.\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool wavTrack = argc == 3 && std::strcmp(argv[1], "--wav-track") == 0;
    if (argc != 2 + int(wavTrack) || argv[argc - 1][0] == '-') {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string folder = argv[argc - 1];
    std::error_code made;
    std::filesystem::create_directory(folder, made);
    if (made) {
        std::fprintf(stderr, "showcase-assetgen: %s: %s\n", folder.c_str(), made.message().c_str());
        return 1;
    }
    if (!makeHero(folder) || !makeEnemy(folder) || !makeTerrain(folder) || !makeInterface(folder) ||
        !makeSounds(folder, wavTrack))
        return 1;
    return 0;
}
