// The command line of vantrel-demo.
#ifndef SHOWCASE_OPTIONS_H
#define SHOWCASE_OPTIONS_H

#include <string>

struct Options {
    bool window = false;        // --window: skip the dialog, start in a window
    int fullscreenDepth = 0;    // --fullscreen DEPTH: skip the dialog, full screen
    unsigned long frames = 0;   // --frames N: an automatic run of N frames, then quit
    std::string screenshot;     // --screenshot FILE.bmp|FILE.tga: the last frame (and F12)
    std::string dataFile;       // --data FILE: another archive instead of the built-in one
    unsigned short hostPort = 0;  // --host PORT
    std::string joinAddress;      // --join ADDRESS:PORT
    unsigned short joinPort = 0;
    std::string joystickFile = "JOYSTICK.CAL"; // --joystick FILE: the calibration
    unsigned silenceSeconds = 3; // --silence SECONDS: the other player has left after this long unheard
    bool automatic = false;     // --auto: the computer plays (implied by --frames)
    bool idle = false;          // --idle: an automatic run in which the hero does nothing
};

// Fills `options`; false with `error` set for a command line it cannot use.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

extern const char kUsage[];

#endif
