// assetgen: writes the demo's pictures, frame lists and sounds into a folder.
// The build then turns the pictures into RLE and RLA files with vtlsprite and
// packs everything with vtlpack.
//
//   showcase-assetgen FOLDER
#include "art.h"

#include <cstdio>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: showcase-assetgen FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    mkdir(folder.c_str(), 0777);
    if (!makeHero(folder) || !makeEnemy(folder) || !makeTerrain(folder) || !makeInterface(folder) ||
        !makeSounds(folder))
        return 1;
    return 0;
}
