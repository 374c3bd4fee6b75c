// Walks a player through calibrating joystick 1 and saves the calibration,
// then shows the stick's readings.
//
//   vantrel-joystick-calibration [file] [--again]
//
// The file (JOYSTICK.CAL by default) keeps the calibration between runs;
// --again calibrates even when the saved one is still good.
#include <vantrel.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kFrame{16}; // about 60 reads a second

// Reads the stick until button 1 goes down and up again, calling `each`
// before every read.  False if the stick disappears.
template <typename Each>
bool untilButtonClicked(Each each)
{
    bool down = false;
    for (;;) {
        if (!each())
            return false;
        DWORD state = 0;
        ReadJoystick1(&state, nullptr, nullptr);
        const bool pressed = (state & VTL_JOY_BUTTON1) != 0;
        if (down && !pressed)
            return true;
        down = pressed;
        std::this_thread::sleep_for(kFrame);
    }
}

bool calibrate(const char* file)
{
    std::printf("Let go of the stick so that it rests in the middle, then press and release button 1.\n");
    // Each read starts the calibration again from where the stick rests, so
    // the centre is where it was when the button went down.  A stick that
    // does not answer keeps the centre it had, 0 before any calibration (a
    // real count is never 0).
    DWORD restX = 0, restY = 0;
    const bool present = untilButtonClicked([&] {
        CalibCenter(0);
        GetCenter(0, &restX, &restY);
        return restX != 0 || restY != 0;
    });
    if (!present) {
        std::printf("No joystick answers on stick 1.\n");
        return false;
    }
    std::printf("Centre at %lu, %lu.\n", static_cast<unsigned long>(restX), static_cast<unsigned long>(restY));
    CalibCenter(0);

    std::printf("Move the stick slowly round its whole travel, into every corner, then press and release "
                "button 1.\n");
    DWORD minX = 0, minY = 0, maxX = 0, maxY = 0;
    untilButtonClicked([&] {
        CalibAdjust(0);
        DWORD nMinX, nMinY, nMaxX, nMaxY;
        GetMaxMin(0, &nMinX, &nMinY, &nMaxX, &nMaxY);
        if (nMinX != minX || nMinY != minY || nMaxX != maxX || nMaxY != maxY) {
            minX = nMinX, minY = nMinY, maxX = nMaxX, maxY = nMaxY;
            std::printf("\r  x %5d .. %5d   y %5d .. %5d   ", static_cast<int>(minX), static_cast<int>(maxX),
                        static_cast<int>(minY), static_cast<int>(maxY));
            std::fflush(stdout);
        }
        return true;
    });
    std::printf("\n");
    if (!SaveJoystickCalibration(file)) {
        std::printf("Could not save %s.\n", file);
        return false;
    }
    std::printf("Saved %s.\n", file);
    return true;
}

void show()
{
    std::printf("Move the stick; press button 2 to stop.\n");
    for (;;) {
        DWORD state = 0;
        LONG x = 0, y = 0;
        ReadJoystick1(&state, &x, &y);
        std::printf("\r  x %4d%%  y %4d%%  %-5s %-5s %s   ", static_cast<int>(x), static_cast<int>(y),
                    (state & VTL_JOY_LEFT) ? "left" : (state & VTL_JOY_RIGHT) ? "right" : "",
                    (state & VTL_JOY_UP) ? "up" : (state & VTL_JOY_DOWN) ? "down" : "",
                    (state & VTL_JOY_BUTTON1) ? "fire" : "");
        std::fflush(stdout);
        if (state & VTL_JOY_BUTTON2)
            break;
        std::this_thread::sleep_for(kFrame);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv)
{
    static const char kUsage[] =
        "usage: vantrel-joystick-calibration [FILE] [--again]\n"
        "  Calibrates joystick 1 and saves the calibration in FILE (default JOYSTICK.CAL),\n"
        "  then shows the stick's readings.  --again calibrates even when FILE is still good.\n";
    const char* file = "JOYSTICK.CAL";
    bool again = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--again") == 0) {
            again = true;
        } else if (argv[i][0] == '-') {
            // Never taken as a file name: it would be created.
            std::fprintf(stderr, "vantrel-joystick-calibration: unknown option %s\n%s", argv[i], kUsage);
            return 2;
        } else {
            file = argv[i];
        }
    }
    RECT area{0, 0, 0, 0};
    // Stick 2 is left out: this program calibrates stick 1.
    const BYTE usable = InstallJoystick(nullptr, area, 0, 2, file);
    if (!(usable & 1) || again) {
        if (!calibrate(file))
            return 1;
    } else {
        std::printf("Stick 1 is calibrated (%s).\n", file);
    }
    show();
    return 0;
}
