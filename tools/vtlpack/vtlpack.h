// The commands of vtlpack.  Each returns the process exit code.
#ifndef VANTREL_TOOLS_VTLPACK_H
#define VANTREL_TOOLS_VTLPACK_H

#include <string>
#include <vector>

namespace vtlpack {
constexpr int kOk = 0;
constexpr int kFailed = 1; // bad input, unreadable or invalid archive
constexpr int kUsage = 2;  // wrong command line

struct CreateOptions {
    bool convert = false; // pictures the library cannot load are converted
    bool keep = false;    // ... or packed as they are, with a warning
};
// `inputs` are files, folders (their files) and SOURCE=ENTRY pairs.
int create(const std::string& archive, const std::vector<std::string>& inputs, const CreateOptions& options);
int list(const std::string& archive);
int extract(const std::string& archive, const std::string& folder);
// Archives, and loose .BMP .TGA .RLE .RLA .WAV files (any case), checked
// entry by entry: names, the cursor, and the library's loaders on each
// display depth, with the reason for every refusal.
int verify(const std::vector<std::string>& paths);

// Null when `name` may name an entry, else why not.
const char* entryNameProblem(const std::string& name);

// `name` safe to print on a terminal: bytes outside printable ASCII as
// \xHH and the backslash doubled, so a name in a damaged or hostile archive
// cannot move the cursor, clear the screen or pass for another name.
std::string printable(const std::string& name);

// Empty when `path` names a regular file that can be opened for reading,
// else why not (the system's error text where there is one).
std::string fileProblem(const std::string& path);
// Why `path` cannot be written as a file without blocking (a named pipe or
// a socket is there); empty otherwise, the system having the last word.
std::string outputProblem(const std::string& path);
// Why an archive file's bytes are not a valid archive, in words and
// numbers; empty when the directory is sound.
std::string archiveFault(const std::string& bytes);

// Reads a regular file whole; false with the reason in `why`.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& why);

// Prints "vtlpack: <text>" on standard error.
void error(const std::string& text);
} // namespace vtlpack

#endif
