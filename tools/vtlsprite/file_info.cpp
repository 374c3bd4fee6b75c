#include "file_info.h"

#include <vantrel/rlefx.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "anim/rla_format.h"
#include "picture.h"
#include "tools/english.h"

namespace {
using vtl::rla::read16;
using vtl::rla::read32;

std::string describe(const RleSummary& s, size_t bytes)
{
    return std::to_string(s.width) + "x" + std::to_string(s.height) + ", " + std::to_string(s.opaque + s.level) +
           " stored pixels (" + std::to_string(s.opaque) + " opaque, " + std::to_string(s.level) + " level), " +
           tools::counted(bytes, "byte");
}

std::string endingOf(const std::string& path)
{
    std::string ending = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending;
}
} // namespace

bool scanRle(const uint8_t* data, size_t size, RleSummary& summary, std::string& error)
{
    if (size < vtl::rla::kRleHeaderSize) {
        error = "too short for an RLE header";
        return false;
    }
    summary = RleSummary{read16(data), read16(data + 2), read32(data + 4), 0, 0};
    size_t at = vtl::rla::kRleHeaderSize;
    for (unsigned row = 0; row < summary.height; ++row) {
        unsigned columns = 0;
        for (;;) {
            if (size - at < 2) {
                error = "row " + std::to_string(row) + " runs past the end of the file";
                return false;
            }
            const unsigned word = read16(data + at);
            at += 2;
            const unsigned n = word & RLE_COUNT;
            if (word == 0 || ((word & (RLE_SKIP | RLE_LEVEL)) && n == 0))
                break;
            columns += n;
            if (columns > summary.width) {
                error = "row " + std::to_string(row) + " holds more than " + tools::counted(summary.width, "pixel");
                return false;
            }
            if (word & RLE_LEVEL) {
                summary.level += n;
                at += 4u * n;
            } else if (!(word & RLE_SKIP)) {
                summary.opaque += n;
                at += 3u * n;
            }
            if (at > size) {
                error = "row " + std::to_string(row) + " runs past the end of the file";
                return false;
            }
        }
    }
    if (summary.opaque + summary.level != summary.declaredPixels) {
        error = "the header counts " + std::to_string(summary.declaredPixels) + " stored pixels, the rows hold " +
                std::to_string(summary.opaque + summary.level);
        return false;
    }
    return true;
}

bool describeFile(const std::string& path, std::ostream& out, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes, error))
        return false;
    const std::string ending = endingOf(path);
    RleSummary summary;
    if (ending == ".rle") {
        if (!scanRle(bytes.data(), bytes.size(), summary, error)) {
            error = path + ": " + error;
            return false;
        }
        out << path << ": RLE file, " << describe(summary, bytes.size()) << "\n";
        return true;
    }
    if (ending != ".rla") {
        const std::string kind = describeFileKind(bytes.data(), bytes.size());
        error = path + ": not an .rle or .rla file name" +
                (kind.empty() ? std::string() : " (it is " + kind + ")");
        return false;
    }
    std::vector<std::string> lines;
    bool damaged = false;
    const vtl::rla::WalkResult layout =
        vtl::rla::walk(bytes.data(), bytes.size(), [&](unsigned i, const vtl::rla::Record& record) {
            std::string line = "  frame " + std::to_string(i) + ": action " + std::to_string(record.action) +
                               ", direction " + std::to_string(record.direction) + ", ";
            std::string fault;
            if (scanRle(record.image, record.imageSize, summary, fault)) {
                line += describe(summary, record.imageSize);
            } else {
                line += "damaged: " + fault;
                damaged = true;
            }
            lines.push_back(line);
        });
    if (!layout.hasCount) {
        error = path + ": too short for an RLA frame count";
        return false;
    }
    out << path << ": RLA file, " << layout.count << (layout.count == 1 ? " frame" : " frames") << "\n";
    for (const std::string& line : lines)
        out << line << "\n";
    if (!layout.fits()) {
        error = path + ": frame " + std::to_string(layout.visited) + " does not fit in the file";
        return false;
    }
    if (damaged) {
        error = path + ": damaged frames";
        return false;
    }
    return true;
}
