// A settings file's text as lines, each read the way the settings-file
// calls read it, and written back byte for byte but where it was changed.
#ifndef VANTREL_PLATFORM_KERNEL_PROFILE_TEXT_H
#define VANTREL_PLATFORM_KERNEL_PROFILE_TEXT_H

#include <string>
#include <vector>

namespace vtl {

struct ProfileLine {
    enum class Kind { Other, Section, Entry } kind = Kind::Other;
    std::string raw;   // as in the file, without its line end
    std::string name;  // the section's or the key's, blanks removed
    std::string value; // an entry's, blanks removed
};

struct ProfileText {
    std::vector<ProfileLine> lines;
    std::string lineEnd = "\r\n"; // the file's first line end, used for every line written
};

// Lines end at CR LF, LF or a CR alone, as Windows NT reads them.
ProfileText parseProfile(const std::string& bytes);
ProfileLine parseProfileLine(const std::string& raw);
std::string profileBytes(const ProfileText& text);

// Spaces and tabs (and stray line ends) off both ends, as Windows trims the
// names a program passes and the names it reads.
std::string trimmedName(const std::string& text);

// The index of the section's header, or lines.size().
size_t findSection(const ProfileText& text, const std::string& section);
// One past the section's last line: the next header, or the end.
size_t sectionEnd(const ProfileText& text, size_t header);
// The index of the key's entry in the section, or lines.size().
size_t findKey(const ProfileText& text, size_t header, const std::string& key);

} // namespace vtl

#endif
