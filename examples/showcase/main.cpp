// vantrel-demo: a top-down arcade game that shows what the library does.
// The hero walks a scrolling, animated map and shoots the wisps that drift
// towards it; see game/ for the parts and README.md for the controls.
//
//   vantrel-demo [--window | --fullscreen DEPTH] [--frames N] [--screenshot FILE.bmp|.tga]
//                [--data FILE] [--host PORT | --join ADDRESS:PORT] [--silence SECONDS] [--joystick FILE]
//                [--auto | --idle]
#include "game/app.h"

#include <cstdio>

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        // --help: the usage on standard output, and success.
        if (error.empty()) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        std::fprintf(stderr, "vantrel-demo: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    return runGame(options);
}
