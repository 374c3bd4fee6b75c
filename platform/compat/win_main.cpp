// main() for games whose entry point is WinMain: the static library of the
// Vantrel::win32 target.  A program with its own main() never pulls this
// object out of the archive, so linking the target changes nothing for it.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The command line after the program's name, as Windows hands it to WinMain:
// the arguments joined by single spaces, those holding a blank (or empty)
// in double quotes.
std::vector<char> commandLineOf(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            line += ' ';
        const char* argument = argv[i];
        const bool quote = !*argument || std::strpbrk(argument, " \t");
        if (quote)
            line += '"';
        line += argument;
        if (quote)
            line += '"';
    }
    return std::vector<char>(line.c_str(), line.c_str() + line.size() + 1);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char> commandLine = commandLineOf(argc, argv);
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
}
