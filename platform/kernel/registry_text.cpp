// The registry file's form.  A REG_SZ value whose bytes are text ending in
// one zero is written as a string, a four-byte REG_DWORD as dword:, anything
// else as hex bytes, so every value the game set reads back byte for byte.
#include "platform/kernel/registry_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace vtl {
namespace {

std::string trimmed(const std::string& line)
{
    size_t begin = 0, end = line.size();
    while (begin < end && (line[begin] == ' ' || line[begin] == '\t'))
        ++begin;
    while (end > begin && (line[end - 1] == ' ' || line[end - 1] == '\t' || line[end - 1] == '\r'))
        --end;
    return line.substr(begin, end - begin);
}

// A quoted string from `at` (on its opening quote); advances past the
// closing one.  False when it does not close.
bool readQuoted(const std::string& line, size_t& at, std::string& out)
{
    out.clear();
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\' && at + 1 < line.size())
            c = line[++at];
        out += c;
    }
    return false;
}

bool readHexBytes(const std::string& text, std::string& out)
{
    out.clear();
    std::string digits;
    for (char c : text + ",") {
        if (c == ',' ) {
            if (digits.empty())
                continue;
            char* end = nullptr;
            const unsigned long byte = std::strtoul(digits.c_str(), &end, 16);
            if (*end || byte > 0xFF)
                return false;
            out += static_cast<char>(byte);
            digits.clear();
        } else if (c != ' ' && c != '\t') {
            digits += c;
        }
    }
    return true;
}

bool readData(const std::string& text, RegistryValue& value)
{
    if (!text.empty() && text[0] == '"') {
        size_t at = 0;
        if (!readQuoted(text, at, value.data) || trimmed(text.substr(at)).size())
            return false;
        value.type = REG_SZ;
        value.data += '\0';
        return true;
    }
    if (text.compare(0, 6, "dword:") == 0) {
        char* end = nullptr;
        const unsigned long number = std::strtoul(text.c_str() + 6, &end, 16);
        if (*end || text.size() == 6)
            return false;
        const DWORD dword = static_cast<DWORD>(number);
        value.type = REG_DWORD;
        value.data.assign(reinterpret_cast<const char*>(&dword), 4);
        return true;
    }
    if (text.compare(0, 4, "hex:") == 0) {
        value.type = REG_BINARY;
        return readHexBytes(text.substr(4), value.data);
    }
    if (text.compare(0, 4, "hex(") == 0) {
        char* end = nullptr;
        value.type = static_cast<DWORD>(std::strtoul(text.c_str() + 4, &end, 16));
        if (std::strncmp(end, "):", 2) != 0)
            return false;
        return readHexBytes(end + 2, value.data);
    }
    return false;
}

void addKey(RegistryTree& tree, const std::string& path)
{
    // Every parent is a key too.
    for (size_t slash = path.find('\\'); slash != std::string::npos; slash = path.find('\\', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        tree.keys.emplace(registryFold(parent), RegistryKey{parent, {}});
    }
    tree.keys.emplace(registryFold(path), RegistryKey{path, {}});
}

bool isPlainString(const RegistryValue& value)
{
    if (value.type != REG_SZ || value.data.empty() || value.data.back() != '\0')
        return false;
    for (size_t i = 0; i + 1 < value.data.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value.data[i]);
        if (c < 0x20)
            return false;
    }
    return true;
}

void writeQuoted(std::ostringstream& out, const std::string& text)
{
    out << '"';
    for (char c : text) {
        if (c == '\\' || c == '"')
            out << '\\';
        out << c;
    }
    out << '"';
}

} // namespace

std::string registryFold(const std::string& path)
{
    std::string folded = path;
    for (char& c : folded)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return folded;
}

RegistryTree parseRegistry(const std::string& text)
{
    RegistryTree tree;
    RegistryKey* key = nullptr;
    std::istringstream in(text);
    std::string raw, line;
    while (std::getline(in, raw)) {
        line = trimmed(raw);
        // Long hex values go on over lines ending in a backslash.
        while (!line.empty() && line.back() == '\\' && line.find("=hex") != std::string::npos &&
               std::getline(in, raw)) {
            line.pop_back();
            line += trimmed(raw);
        }
        if (line.empty() || line[0] == ';' || line == "REGEDIT4")
            continue;
        if (line[0] == '[') {
            key = nullptr;
            if (line.back() != ']' || line.size() < 3 || line[1] == '-')
                continue;
            const std::string path = line.substr(1, line.size() - 2);
            addKey(tree, path);
            key = &tree.keys[registryFold(path)];
            continue;
        }
        if (!key)
            continue;
        RegistryValue value;
        size_t at = 0;
        if (line[0] == '@') {
            at = 1;
        } else if (line[0] != '"' || !readQuoted(line, at, value.name)) {
            continue;
        }
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        if (at >= line.size() || line[at] != '=' || !readData(trimmed(line.substr(at + 1)), value))
            continue;
        bool replaced = false;
        for (RegistryValue& existing : key->values)
            if (registryFold(existing.name) == registryFold(value.name)) {
                existing = value;
                replaced = true;
            }
        if (!replaced)
            key->values.push_back(std::move(value));
    }
    return tree;
}

std::string registryText(const RegistryTree& tree)
{
    std::ostringstream out;
    out << "REGEDIT4\n";
    for (const auto& entry : tree.keys) {
        const RegistryKey& key = entry.second;
        out << "\n[" << key.path << "]\n";
        for (const RegistryValue& value : key.values) {
            if (value.name.empty())
                out << '@';
            else
                writeQuoted(out, value.name);
            out << '=';
            if (isPlainString(value)) {
                writeQuoted(out, value.data.substr(0, value.data.size() - 1));
            } else if (value.type == REG_DWORD && value.data.size() == 4) {
                DWORD dword;
                std::memcpy(&dword, value.data.data(), 4);
                char digits[9];
                std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(dword));
                out << "dword:" << digits;
            } else {
                if (value.type == REG_BINARY)
                    out << "hex:";
                else
                    out << "hex(" << std::hex << value.type << std::dec << "):";
                for (size_t i = 0; i < value.data.size(); ++i) {
                    char digits[4];
                    std::snprintf(digits, sizeof digits, i ? ",%02x" : "%02x",
                                  static_cast<unsigned>(static_cast<unsigned char>(value.data[i])));
                    out << digits;
                }
            }
            out << '\n';
        }
    }
    return out.str();
}

} // namespace vtl
