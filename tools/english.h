// Counts and articles in the tools' messages, which print numbers read from
// users' files: "1 bit" but "24 bits", "an 8-bit BMP" but "a 16-bit BMP".
#ifndef VANTREL_TOOLS_ENGLISH_H
#define VANTREL_TOOLS_ENGLISH_H

#include <cstdint>
#include <string>

namespace tools {

// "1 byte", "0 bytes", "3 bytes"; "1 entry", "2 entries".
inline std::string counted(uint64_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}
inline std::string counted(uint64_t n, const char* noun)
{
    return counted(n, noun, (std::string(noun) + "s").c_str());
}

// The article read before `n`: "an" for the numbers spoken starting with a
// vowel (8, 11, 18, 80 to 89, 800 to 899, and those thousands), else "a".
inline const char* articleFor(uint64_t n)
{
    while (n >= 1000)
        n /= 1000;
    const bool vowel = n == 8 || n == 11 || n == 18 || (n >= 80 && n < 90) || (n >= 800 && n < 900);
    return vowel ? "an" : "a";
}

// `phrase` after its article: "an uncompressed TGA", "a colour-mapped TGA",
// "an 8-bit BMP".
inline std::string withArticle(const std::string& phrase)
{
    if (!phrase.empty() && phrase[0] >= '0' && phrase[0] <= '9')
        return std::string(articleFor(std::stoull(phrase))) + " " + phrase;
    const bool vowel = !phrase.empty() && std::string("aeiouAEIOU").find(phrase[0]) != std::string::npos;
    return (vowel ? "an " : "a ") + phrase;
}

} // namespace tools

#endif
