// The process in a page: one program, no other processes to see, and no
// /proc/self/exe.  The program's file is its page's name without the
// extension, in the root of the page's file system, where the program runs
// ("/demo" for demo.html); under node, the script's name.
#include "platform/host/process.h"

#include <emscripten.h>
#include <unistd.h>


namespace vtl::host {
namespace {

// Writes the name into `buffer` (cut to `size` with its zero); returns its
// length in bytes, 0 when there is none.
EM_JS(int, vantrel_program_name, (char* buffer, int size), {
    var path = "";
    if (typeof location !== "undefined")
        path = location.pathname;
    else if (typeof process !== "undefined" && process.argv.length > 1)
        path = process.argv[1];
    var name = path.substr(path.lastIndexOf("/") + 1);
    var dot = name.lastIndexOf(".");
    if (dot > 0)
        name = name.substr(0, dot);
    stringToUTF8(name, buffer, size);
    return lengthBytesUTF8(name);
});

} // namespace

uint32_t currentProcessId()
{
    return static_cast<uint32_t>(::getpid());
}

bool processAlive(uint32_t pid)
{
    return pid != 0 && pid == currentProcessId();
}

std::string executablePath()
{
    char name[1024];
    if (vantrel_program_name(name, sizeof name) == 0)
        return std::string();
    return std::string("/") + name;
}

void writeStandardError(const char* text, size_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(STDERR_FILENO, text, length);
        if (n <= 0)
            return;
        text += n;
        length -= static_cast<size_t>(n);
    }
}

} // namespace vtl::host
