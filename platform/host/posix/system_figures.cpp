// The machine, the user and the environment on POSIX: sysconf, the
// password database, and environ (the memory is in memory_figures.cpp).
#include "platform/host/system_figures.h"

#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <strings.h>
#include <unistd.h>

extern char** environ;

namespace vtl::host {

size_t pageSize()
{
    const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<size_t>(size) : 4096;
}

unsigned processorCount()
{
    const long count = ::sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<unsigned>(count) : 1;
}

std::string userName()
{
    char buffer[4096];
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found && found->pw_name)
        return found->pw_name;
    const char* fromEnvironment = std::getenv("USER");
    return fromEnvironment ? fromEnvironment : "";
}

namespace {

// The environ entry whose name is `name` in any case, or null.
const char* entryNamed(const char* name, size_t& nameLength)
{
    nameLength = std::strlen(name);
    for (char** entry = environ; entry && *entry; ++entry) {
        if (::strncasecmp(*entry, name, nameLength) == 0 && (*entry)[nameLength] == '=')
            return *entry;
    }
    return nullptr;
}

} // namespace

bool findEnvironmentVariable(const char* name, std::string& value)
{
    if (const char* exact = std::getenv(name)) {
        value = exact;
        return true;
    }
    size_t length = 0;
    const char* entry = entryNamed(name, length);
    if (!entry)
        return false;
    value = entry + length + 1;
    return true;
}

void setEnvironmentVariable(const char* name, const char* value)
{
    size_t length = 0;
    if (const char* entry = entryNamed(name, length)) {
        const std::string existing(entry, length);
        ::unsetenv(existing.c_str());
    }
    if (value)
        ::setenv(name, value, 1);
}

} // namespace vtl::host
