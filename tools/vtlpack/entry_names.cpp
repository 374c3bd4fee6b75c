// What an entry may be called: an 8.3 file name (so the 13-byte directory
// field holds it) whose ending, when it is one the loaders dispatch on, is in
// upper case, since the registry compares endings case-sensitively and would
// otherwise refuse the entry at load time.
#include "tools/vtlpack/vtlpack.h"

#include <cctype>

namespace {
bool allowedCharacter(unsigned char c)
{
    return std::isalnum(c) || std::string("_-!#$%&'()@^`{}~").find(char(c)) != std::string::npos;
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

const char* vtlpack::entryNameProblem(const std::string& name)
{
    if (name.empty())
        return "empty name";
    if (name.size() > 12)
        return "longer than 12 characters";
    const size_t dot = name.find('.');
    const std::string base = name.substr(0, dot);
    const std::string ending = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8)
        return "not an 8.3 name (1 to 8 characters before the dot)";
    if (dot != std::string::npos && (ending.empty() || ending.size() > 3))
        return "not an 8.3 name (1 to 3 characters after the dot)";
    for (char c : base + ending)
        if (!allowedCharacter(static_cast<unsigned char>(c)))
            return "not an 8.3 name (only letters, digits and _-!#$%&'()@^`{}~)";
    static const char* const kLoaded[] = {"BMP", "TGA", "RLE", "RLA", "WAV"};
    for (const char* known : kLoaded)
        if (upper(ending) == known && ending != known)
            return "the ending must be upper case for the library to load it";
    return nullptr;
}

std::string vtlpack::printable(const std::string& name)
{
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : name) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c >= 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += char(c);
        }
    }
    return out;
}
