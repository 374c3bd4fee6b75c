// Writers for the files the art and sound end up in: 32-bit TGA (with
// alpha), 24-bit BMP, 16-bit mono WAV, and vtlsprite's frame lists.
#ifndef SHOWCASE_ASSETGEN_FILES_H
#define SHOWCASE_ASSETGEN_FILES_H

#include "canvas.h"

#include <string>
#include <vector>

bool writeTga(const std::string& path, const Canvas& picture);
// Alpha is dropped: what is transparent shows its colour.
bool writeBmp(const std::string& path, const Canvas& picture);
bool writeWav(const std::string& path, const std::vector<float>& samples, int rate);

struct FrameLine {
    int action;
    int direction;
    std::string picture;
};
bool writeFrameList(const std::string& path, const std::vector<FrameLine>& frames);

#endif
