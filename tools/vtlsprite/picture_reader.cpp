#include "picture.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {
std::string lowerEnding(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return {};
    std::string ending = path.substr(dot + 1);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending;
}
} // namespace

bool readFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = path + ": read error";
        return false;
    }
    return true;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

bool readPicture(const std::string& path, Picture& picture, std::string& error)
{
    const std::string ending = lowerEnding(path);
    if (ending == "png")
        return readPng(path, picture, error);
    if (ending != "bmp" && ending != "tga") {
        error = path + ": not a PNG, BMP or TGA file name";
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes, error))
        return false;
    const bool ok = ending == "bmp" ? readBmp(bytes, picture, error) : readTga(bytes, picture, error);
    if (!ok)
        error = path + ": " + error;
    return ok;
}
