// Font files by DejaVu's naming, for the fixed-folder lookup and for
// fontconfig's fallback.
#include "platform/host/fonts.h"

#include "platform/host/files.h"

#include <algorithm>
#include <cctype>

namespace vtl::host {
namespace {

std::string lowered(const char* text)
{
    std::string s = text ? text : "";
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

// DejaVu's file name stem for a family ("DejaVuSansMono").
std::string stemFor(const char* family)
{
    const std::string name = lowered(family);
    std::string squeezed;
    for (char c : name)
        if (c != ' ')
            squeezed += c;
    static const char* const kDejaVu[] = {"DejaVuSans", "DejaVuSansMono", "DejaVuSerif", "DejaVuSansCondensed",
                                          "DejaVuSerifCondensed"};
    for (const char* stem : kDejaVu)
        if (squeezed == lowered(stem))
            return stem;
    static const char* const kFixedPitch[] = {"courier new", "courier", "lucida console", "consolas", "fixedsys",
                                              "terminal", "monospace", "fixed"};
    static const char* const kSerif[] = {"times new roman", "times", "georgia", "ms serif", "roman", "serif",
                                         "book antiqua", "garamond"};
    for (const char* f : kFixedPitch)
        if (name == f)
            return "DejaVuSansMono";
    for (const char* f : kSerif)
        if (name == f)
            return "DejaVuSerif";
    return "DejaVuSans";
}

// The style suffixes a DejaVu family's files carry, best first for the
// request; the serif family slants as "Italic", the others as "Oblique".
std::vector<std::string> suffixesFor(const std::string& stem, bool bold, bool italic)
{
    const std::string slant = stem.find("Serif") != std::string::npos ? "Italic" : "Oblique";
    std::vector<std::string> out;
    if (bold && italic)
        out.push_back("-Bold" + slant);
    else if (italic)
        out.push_back("-" + slant);
    if (bold)
        out.push_back("-Bold");
    out.push_back("");
    return out;
}

} // namespace

std::vector<FontFile> fontFilesInFolder(const std::string& folder, const char* family, bool bold, bool italic)
{
    std::vector<FontFile> files;
    std::vector<std::string> stems = {stemFor(family)};
    if (stems.front() != "DejaVuSans")
        stems.push_back("DejaVuSans");
    for (const std::string& stem : stems)
        for (const std::string& suffix : suffixesFor(stem, bold, italic)) {
            std::string path = folder + "/" + stem + suffix + ".ttf";
            if (fileExists(path))
                files.push_back({std::move(path), 0});
        }
    return files;
}

} // namespace vtl::host
