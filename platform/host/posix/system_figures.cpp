// The machine, the user and the environment on POSIX: sysinfo and
// /proc/meminfo, sysconf, the password database, and environ.
#include "platform/host/system_figures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <strings.h>
#include <sys/sysinfo.h>
#include <unistd.h>

extern char** environ;

namespace vtl::host {

MemoryFigures memoryFigures()
{
    MemoryFigures figures;
    struct sysinfo info {};
    if (::sysinfo(&info) == 0) {
        figures.totalPhysical = uint64_t(info.totalram) * info.mem_unit;
        figures.availablePhysical = uint64_t(info.freeram + info.bufferram) * info.mem_unit;
        figures.totalSwap = uint64_t(info.totalswap) * info.mem_unit;
        figures.freeSwap = uint64_t(info.freeswap) * info.mem_unit;
    }
    // MemAvailable counts the page cache the kernel would give back, which
    // is what Windows reports as available.
    if (FILE* meminfo = std::fopen("/proc/meminfo", "r")) {
        char line[128];
        unsigned long long kib = 0;
        while (std::fgets(line, sizeof line, meminfo)) {
            if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1) {
                figures.availablePhysical = kib * 1024;
                break;
            }
        }
        std::fclose(meminfo);
    }
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        unsigned long long size = 0, resident = 0;
        if (std::fscanf(statm, "%llu %llu", &size, &resident) == 2)
            figures.processResident = resident * pageSize();
        std::fclose(statm);
    }
    return figures;
}

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
