// vtlpack: packs a game's data files into one resource archive for
// VTLHND::FastFileInit, and lists, extracts and verifies archives.
//
// Exit codes: 0 done, 1 failed (bad input or invalid archive; the reasons
// are on standard error, one line each, starting "vtlpack: "), 2 wrong
// command line.
#include "tools/vtlpack/vtlpack.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

namespace {
const char kUsageText[] =
    "usage: vtlpack create [--convert|--keep] ARCHIVE FILE|FOLDER|SOURCE=ENTRY...\n"
    "                                                pack files (a folder: its files, by name;\n"
    "                                                SOURCE=ENTRY: SOURCE named ENTRY).  A .BMP or\n"
    "                                                .TGA entry the library cannot load stops the\n"
    "                                                archive; --convert stores any picture (PNG, GIF,\n"
    "                                                JPEG, every BMP and TGA...) in a form it loads,\n"
    "                                                --keep packs it as it is\n"
    "       vtlpack list ARCHIVE                     print each entry's name and size\n"
    "       vtlpack extract ARCHIVE [FOLDER]         write every entry to FOLDER (default .)\n"
    "       vtlpack verify ARCHIVE|FILE...           check that every entry opens and loads: each\n"
    "                                                image and sound goes through the library's own\n"
    "                                                loaders on 8-, 16-, 24- and 32-bit displays, and\n"
    "                                                every refusal is explained (FILE: a .BMP, .TGA,\n"
    "                                                .RLE, .RLA or .WAV file on its own)\n"
    "Entry names are the files' names: 8.3, at most 12 characters, with upper-case\n"
    "endings for the files the library loads (BMP, TGA, RLE, RLA, WAV).\n";

int usage(FILE* to, int code)
{
    std::fputs(kUsageText, to);
    return code;
}
int run(int argc, char** argv)
{
    if (argc < 2)
        return usage(stderr, vtlpack::kUsage);
    const std::string command = argv[1];
    if (command == "-h" || command == "--help" || command == "help")
        return usage(stdout, vtlpack::kOk);
    if (command == "create") {
        vtlpack::CreateOptions options;
        int at = 2;
        for (; at < argc && argv[at][0] == '-' && argv[at][1] == '-'; ++at) {
            const std::string flag = argv[at];
            if (flag == "--convert")
                options.convert = true;
            else if (flag == "--keep")
                options.keep = true;
            else
                break;
        }
        if (options.convert && options.keep) {
            vtlpack::error("--convert and --keep exclude each other");
            return usage(stderr, vtlpack::kUsage);
        }
        if (argc - at >= 2)
            return vtlpack::create(argv[at], std::vector<std::string>(argv + at + 1, argv + argc), options);
    }
    if (command == "list" && argc == 3)
        return vtlpack::list(argv[2]);
    if (command == "extract" && (argc == 3 || argc == 4))
        return vtlpack::extract(argv[2], argc == 4 ? argv[3] : ".");
    if (command == "verify" && argc >= 3)
        return vtlpack::verify(std::vector<std::string>(argv + 2, argv + argc));
    vtlpack::error("unknown command or wrong arguments: " + command);
    return usage(stderr, vtlpack::kUsage);
}
} // namespace

int main(int argc, char** argv)
{
    // Every command reports what it refuses; this is the last guard, so that
    // no input ends in an abort.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        vtlpack::error("not enough memory");
    } catch (const std::exception& e) {
        vtlpack::error(std::string("unexpected failure: ") + e.what());
    }
    return vtlpack::kFailed;
}
