#include "support/x_desktop.h"

#include <vantrel/seam/window_backend.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The value of `NAME=value` among xdotool's --shell lines; -1 when missing.
int shellValue(const std::string& shell, const char* name)
{
    const std::string key = std::string(name) + "=";
    for (size_t at = 0; at < shell.size();) {
        size_t end = shell.find('\n', at);
        if (end == std::string::npos)
            end = shell.size();
        if (shell.compare(at, key.size(), key) == 0)
            return std::atoi(shell.c_str() + at + key.size());
        at = end + 1;
    }
    return -1;
}

} // namespace

std::string runCommand(const std::string& command)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, p))
        out += buffer;
    pclose(p);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::string whyNoRealDesktop()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return "no X display";
    if (runCommand("command -v xdotool").empty())
        return "xdotool is not installed";
    if (std::strcmp(vtl::videoBackendName(), "sdl") != 0)
        return "the display could not be opened";
    return "";
}

std::string xWindowTitled(const std::string& title)
{
    return runCommand("xdotool search --sync --name '^" + title + "$' | head -n1");
}

XRect xGeometry(const std::string& xid)
{
    const std::string shell = runCommand("xdotool getwindowgeometry --shell " + xid);
    return XRect{shellValue(shell, "X"), shellValue(shell, "Y"), shellValue(shell, "WIDTH"),
                 shellValue(shell, "HEIGHT")};
}

SIZE xScreenSize()
{
    int width = -1, height = -1;
    const std::string out = runCommand("xdotool getdisplaygeometry");
    if (std::sscanf(out.c_str(), "%d %d", &width, &height) != 2)
        return SIZE{-1, -1};
    return SIZE{width, height};
}

POINT xPointer()
{
    const std::string shell = runCommand("xdotool getmouselocation --shell");
    return POINT{shellValue(shell, "X"), shellValue(shell, "Y")};
}

long xPixel(int x, int y)
{
    const std::string out = runCommand("import -window root -crop 1x1+" + std::to_string(x) + "+" +
                                       std::to_string(y) + " -depth 8 txt:- 2>/dev/null");
    // "0,0: (0,255,0)  #00FF00  lime": the colour after the '#'.
    const size_t hash = out.find('#', out.find('\n'));
    if (hash == std::string::npos || out.size() < hash + 7)
        return -1;
    return std::strtol(out.substr(hash + 1, 6).c_str(), nullptr, 16);
}

void xClick(int x, int y, const std::string& xid)
{
    runCommand("xdotool mousemove " + (xid.empty() ? "" : "--window " + xid + " ") + std::to_string(x) + " " +
               std::to_string(y) + " click 1");
}
