// What the platform asks of the host system about files and folders beyond
// the C++ standard library.  Declared for every host; platform/host/<system>/
// implements it.
#ifndef VANTREL_PLATFORM_HOST_FILES_H
#define VANTREL_PLATFORM_HOST_FILES_H

#include <string>
#include <vector>

namespace vtl::host {

// A folder for this user's running programs to share, made owner-only on
// first use ("<XDG_RUNTIME_DIR or /tmp>/vantrel-<user id>").
std::string userRuntimeFolder();
// Makes a folder only its owner may use; true if it exists afterwards.
bool makePrivateFolder(const std::string& path);
// The names in a folder ("." and ".." left out); empty when it cannot be read.
std::vector<std::string> folderEntries(const std::string& path);
bool fileExists(const std::string& path);

} // namespace vtl::host

#endif
