// Settings-file text: the lines and what each means.
#include "platform/kernel/profile_text.h"

#include "platform/kernel/ascii_case.h"

namespace vtl {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The text between `start` and `end` without the blanks at either end.
std::string trimmedPart(const std::string& text, size_t start, size_t end)
{
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

} // namespace

std::string trimmedName(const std::string& text) { return trimmedPart(text, 0, text.size()); }

ProfileLine parseProfileLine(const std::string& raw)
{
    ProfileLine line;
    line.raw = raw;
    size_t start = 0;
    while (start < raw.size() && isBlank(raw[start]))
        ++start;
    if (start == raw.size() || raw[start] == ';')
        return line;
    if (raw[start] == '[') {
        const size_t close = raw.find(']', start);
        line.kind = ProfileLine::Kind::Section;
        line.name = trimmedPart(raw, start + 1, close == std::string::npos ? raw.size() : close);
        return line;
    }
    const size_t equals = raw.find('=', start);
    if (equals == std::string::npos)
        return line;
    line.kind = ProfileLine::Kind::Entry;
    line.name = trimmedPart(raw, start, equals);
    line.value = trimmedPart(raw, equals + 1, raw.size());
    return line;
}

ProfileText parseProfile(const std::string& bytes)
{
    ProfileText text;
    bool sawEnd = false;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            text.lines.push_back(parseProfileLine(bytes.substr(start)));
            break;
        }
        const size_t endLength = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
        if (!sawEnd) {
            text.lineEnd = bytes.substr(end, endLength); // the first line decides
            sawEnd = true;
        }
        text.lines.push_back(parseProfileLine(bytes.substr(start, end - start)));
        start = end + endLength;
    }
    return text;
}

std::string profileBytes(const ProfileText& text)
{
    size_t size = 0;
    for (const ProfileLine& line : text.lines)
        size += line.raw.size() + text.lineEnd.size();
    std::string bytes;
    bytes.reserve(size);
    for (const ProfileLine& line : text.lines) {
        bytes += line.raw;
        bytes += text.lineEnd;
    }
    return bytes;
}

size_t findSection(const ProfileText& text, const std::string& section)
{
    for (size_t i = 0; i < text.lines.size(); ++i) {
        const ProfileLine& l = text.lines[i];
        if (l.kind == ProfileLine::Kind::Section && equalNoCase(l.name.c_str(), section.c_str()))
            return i;
    }
    return text.lines.size();
}

size_t sectionEnd(const ProfileText& text, size_t header)
{
    size_t i = header + 1;
    while (i < text.lines.size() && text.lines[i].kind != ProfileLine::Kind::Section)
        ++i;
    return i;
}

size_t findKey(const ProfileText& text, size_t header, const std::string& key)
{
    const size_t end = sectionEnd(text, header);
    for (size_t i = header + 1; i < end; ++i) {
        const ProfileLine& l = text.lines[i];
        if (l.kind == ProfileLine::Kind::Entry && equalNoCase(l.name.c_str(), key.c_str()))
            return i;
    }
    return text.lines.size();
}

} // namespace vtl
