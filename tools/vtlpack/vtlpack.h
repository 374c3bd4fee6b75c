// The commands of vtlpack.  Each returns the process exit code.
#ifndef VANTREL_TOOLS_VTLPACK_H
#define VANTREL_TOOLS_VTLPACK_H

#include <string>
#include <vector>

namespace vtlpack {
constexpr int kOk = 0;
constexpr int kFailed = 1; // bad input, unreadable or invalid archive
constexpr int kUsage = 2;  // wrong command line

int create(const std::string& archive, const std::vector<std::string>& inputs);
int list(const std::string& archive);
int extract(const std::string& archive, const std::string& folder);
int verify(const std::string& archive);

// Null when `name` may name an entry, else why not.
const char* entryNameProblem(const std::string& name);

// Prints "vtlpack: <text>" on standard error.
void error(const std::string& text);
} // namespace vtlpack

#endif
