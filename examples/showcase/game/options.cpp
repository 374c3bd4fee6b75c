#include "game/options.h"

#include <cstdlib>
#include <cstring>

const char kUsage[] =
    "usage: vantrel-demo [--window | --fullscreen DEPTH] [--frames N] [--screenshot FILE.bmp|.tga]\n"
    "                    [--data FILE] [--host PORT | --join ADDRESS:PORT] [--silence SECONDS] [--joystick FILE]\n"
    "                    [--auto | --idle]\n";

namespace {
bool number(const char* text, unsigned long limit, unsigned long& value)
{
    char* end = nullptr;
    value = std::strtoul(text, &end, 10);
    return *text && !*end && value > 0 && value <= limit;
}
bool takesValue(const std::string& arg)
{
    for (const char* name : {"--fullscreen", "--frames", "--screenshot", "--data", "--joystick", "--host", "--join", "--silence"})
        if (arg == name)
            return true;
    return false;
}
} // namespace

bool parseOptions(int argc, char** argv, Options& o, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        const char* value = hasValue ? argv[i + 1] : "";
        unsigned long n = 0;
        if (arg == "--window") {
            o.window = true;
        } else if (arg == "--auto") {
            o.automatic = true;
        } else if (arg == "--idle") {
            o.automatic = true;
            o.idle = true;
        } else if (!hasValue && takesValue(arg)) {
            error = arg + " needs a value";
            return false;
        } else if (arg == "--fullscreen") {
            if (!number(value, 32, n) || (n != 8 && n != 16 && n != 24 && n != 32)) {
                error = "--fullscreen takes a depth of 8, 16, 24 or 32";
                return false;
            }
            o.fullscreenDepth = static_cast<int>(n);
            ++i;
        } else if (arg == "--frames") {
            if (!number(value, 10000000, n)) {
                error = "--frames takes a number of frames";
                return false;
            }
            o.frames = n;
            o.automatic = true;
            ++i;
        } else if (arg == "--screenshot") {
            o.screenshot = value;
            ++i;
        } else if (arg == "--data") {
            o.dataFile = value;
            ++i;
        } else if (arg == "--joystick") {
            o.joystickFile = value;
            ++i;
        } else if (arg == "--host") {
            if (!number(value, 65535, n) || n < 2) {
                error = "--host takes a port from 2 to 65535";
                return false;
            }
            o.hostPort = static_cast<unsigned short>(n);
            ++i;
        } else if (arg == "--silence") {
            if (!number(value, 3600, n)) {
                error = "--silence takes a number of seconds";
                return false;
            }
            o.silenceSeconds = static_cast<unsigned>(n);
            ++i;
        } else if (arg == "--join") {
            const std::string text = value;
            const size_t colon = text.rfind(':');
            if (colon == std::string::npos || colon == 0 || !number(text.c_str() + colon + 1, 65535, n) || n < 2) {
                error = "--join takes ADDRESS:PORT";
                return false;
            }
            o.joinAddress = text.substr(0, colon);
            o.joinPort = static_cast<unsigned short>(n);
            ++i;
        } else {
            error = arg == "--help" || arg == "-h" ? "" : "unknown option " + arg;
            return false;
        }
    }
    if (o.window && o.fullscreenDepth) {
        error = "--window and --fullscreen exclude each other";
        return false;
    }
    if (o.hostPort && !o.joinAddress.empty()) {
        error = "--host and --join exclude each other";
        return false;
    }
    return true;
}
