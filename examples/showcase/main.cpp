// vantrel-demo: a top-down arcade game that shows what the library does.
// The hero walks a scrolling, animated map and shoots the wisps that drift
// towards it; see game/ for the parts and README.md for the controls.
//
//   vantrel-demo [--window | --fullscreen DEPTH] [--frames N] [--screenshot FILE.bmp]
//                [--data FILE] [--host PORT | --join ADDRESS:PORT] [--joystick FILE] [--auto]
#include "game/app.h"

#include <cstdio>

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        if (!error.empty())
            std::fprintf(stderr, "vantrel-demo: %s\n", error.c_str());
        std::fprintf(stderr, "%s", kUsage);
        return error.empty() ? 0 : 2;
    }
    return runGame(options);
}
