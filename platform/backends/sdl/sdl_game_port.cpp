#include "platform/backends/sdl/sdl_game_port.h"

#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/sdl/sdl_startup.h"

#include "platform/backends/headless/scripted_game_port.h"

namespace vtl {

SdlGamePort::SdlGamePort()
{
    prepareSdl();
    started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

SdlGamePort::~SdlGamePort()
{
    if (!started_)
        return;
    for (SDL_Joystick*& d : device_) {
        if (d)
            SDL_JoystickClose(d);
        d = nullptr;
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlGamePort::refreshDevices()
{
    for (SDL_Joystick*& d : device_) {
        if (d && !SDL_JoystickGetAttached(d)) {
            SDL_JoystickClose(d);
            d = nullptr;
        }
    }
    // Fill empty slots with attached devices not yet open, in SDL's order; a
    // stick that stays attached keeps its slot when another one leaves.
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (device_[0] && device_[1])
            break;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        bool open = false;
        for (SDL_Joystick* d : device_)
            open = open || (d && SDL_JoystickInstanceID(d) == id);
        if (open)
            continue;
        SDL_Joystick*& slot = device_[0] ? device_[1] : device_[0];
        slot = SDL_JoystickOpen(index);
    }
}

GamePortSample SdlGamePort::sample()
{
    GamePortSample s;
    for (uint32_t& t : s.timerReads)
        t = kTimerNeverEnds;
    s.buttonBits = kButtonsReleased;
    if (!started_)
        return s;
    SDL_JoystickUpdate();
    refreshDevices();

    auto wire = [&s](SDL_Joystick* d, int firstAxis, int firstButton, int stick) {
        if (SDL_JoystickNumAxes(d) >= firstAxis + 2) {
            s.timerReads[stick * 2] = axisToCount(SDL_JoystickGetAxis(d, firstAxis));
            s.timerReads[stick * 2 + 1] = axisToCount(SDL_JoystickGetAxis(d, firstAxis + 1));
        }
        for (int b = 0; b < 2; ++b) {
            if (SDL_JoystickGetButton(d, firstButton + b))
                s.buttonBits = static_cast<uint8_t>(s.buttonBits & ~gamePortButtonBit(stick, b));
        }
    };
    SDL_Joystick* first = device_[0] ? device_[0] : device_[1];
    SDL_Joystick* second = device_[0] ? device_[1] : nullptr;
    if (first)
        wire(first, 0, 0, 0);
    if (second)
        wire(second, 0, 0, 1);
    else if (first)
        wire(first, 2, 2, 1);
    return s;
}

std::unique_ptr<GamePortSource> openSdlGamePort()
{
    std::unique_ptr<SdlGamePort> port(new SdlGamePort);
    if (!port->started())
        return nullptr;
    return port;
}

} // namespace vtl
