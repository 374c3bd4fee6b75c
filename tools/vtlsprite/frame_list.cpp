#include "frame_list.h"

#include <cstdint>
#include <sstream>

#include "picture.h"

namespace {
bool parseLabel(const std::string& text, unsigned& value)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = static_cast<unsigned>(std::stoul(text));
    return value <= 0xFFFF;
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
} // namespace

bool parseFrameArgument(const std::string& text, FrameRequest& frame, std::string& error)
{
    const size_t first = text.find(':');
    const size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos || !parseLabel(text.substr(0, first), frame.action) ||
        !parseLabel(text.substr(first + 1, second - first - 1), frame.direction) || second + 1 == text.size()) {
        error = "\"" + text + "\": expected ACTION:DIRECTION:PICTURE with numbers from 0 to 65535";
        return false;
    }
    frame.picture = text.substr(second + 1);
    return true;
}

bool readFrameList(const std::string& path, std::vector<FrameRequest>& frames, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes, error))
        return false;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string line;
    for (unsigned number = 1; std::getline(in, line); ++number) {
        std::istringstream fields(line);
        std::string action, direction, picture;
        if (!(fields >> action) || action[0] == '#')
            continue;
        FrameRequest frame;
        std::string rest;
        if (!(fields >> direction >> picture) || (fields >> rest) || !parseLabel(action, frame.action) ||
            !parseLabel(direction, frame.direction)) {
            error = path + ":" + std::to_string(number) + ": expected ACTION DIRECTION PICTURE";
            return false;
        }
        frame.picture = picture[0] == '/' ? picture : folderOf(path) + picture;
        frames.push_back(frame);
    }
    return true;
}
