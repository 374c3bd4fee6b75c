// The registry as a tree of keys, and the text it is kept in: the registry
// editor's export form ("REGEDIT4", [key] lines, "name"=value lines), which
// a player can read and change by hand.
#ifndef VANTREL_PLATFORM_KERNEL_REGISTRY_TEXT_H
#define VANTREL_PLATFORM_KERNEL_REGISTRY_TEXT_H

#include <vantrel/win32/registry.h>

#include <map>
#include <string>
#include <vector>

namespace vtl {

struct RegistryValue {
    std::string name; // "" for the key's default value
    DWORD type = 0;
    std::string data; // the bytes as the game set them
};

struct RegistryKey {
    std::string path; // "HKEY_CURRENT_USER\Software\Maker", in the case it was created with
    std::vector<RegistryValue> values; // in the order they were first set
};

// Every key, each one's parent included, by its path folded to upper case:
// the order NT lists a key's subkeys in.
struct RegistryTree {
    std::map<std::string, RegistryKey> keys;
};

// The map's key of a path.
std::string registryFold(const std::string& path);

// The file's text read; lines it cannot read are left out.
RegistryTree parseRegistry(const std::string& text);
std::string registryText(const RegistryTree& tree);

} // namespace vtl

#endif
