#include "platform/backends/sdl/sdl_game_port.h"

#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/sdl/sdl_startup.h"

namespace vtl {

namespace {

// A held d-pad direction wins over the stick it shares the axis with: a pad
// steered with the d-pad must not read as centred because the stick is.
int padAxis(SDL_GameController* pad, SDL_GameControllerAxis axis, SDL_GameControllerButton low,
            SDL_GameControllerButton high)
{
    if (low != SDL_CONTROLLER_BUTTON_INVALID && SDL_GameControllerGetButton(pad, low))
        return -32768;
    if (high != SDL_CONTROLLER_BUTTON_INVALID && SDL_GameControllerGetButton(pad, high))
        return 32767;
    return SDL_GameControllerGetAxis(pad, axis);
}

void press(GamePortSample& s, int stick, int button)
{
    s.buttonBits = static_cast<uint8_t>(s.buttonBits & ~gamePortButtonBit(stick, button));
}

// A pad through its mapping: stick 1 from the left stick and d-pad, with A
// and B; with `wholePort`, stick 2 from the right stick, with X and Y.
void wirePad(GamePortSample& s, SDL_GameController* pad, int stick, bool wholePort)
{
    s.timerReads[stick * 2] = axisToCount(
        padAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    s.timerReads[stick * 2 + 1] = axisToCount(
        padAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_A))
        press(s, stick, 0);
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_B))
        press(s, stick, 1);
    if (!wholePort)
        return;
    s.timerReads[2] = axisToCount(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX));
    s.timerReads[3] = axisToCount(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY));
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_X))
        press(s, 1, 0);
    if (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_Y))
        press(s, 1, 1);
}

void wireRaw(GamePortSample& s, SDL_Joystick* d, int firstAxis, int firstButton, int stick)
{
    if (SDL_JoystickNumAxes(d) >= firstAxis + 2) {
        s.timerReads[stick * 2] = axisToCount(SDL_JoystickGetAxis(d, firstAxis));
        s.timerReads[stick * 2 + 1] = axisToCount(SDL_JoystickGetAxis(d, firstAxis + 1));
    }
    for (int b = 0; b < 2; ++b) {
        if (SDL_JoystickGetButton(d, firstButton + b))
            press(s, stick, b);
    }
}

} // namespace

SdlGamePort::SdlGamePort()
{
    prepareSdl();
    started_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    // Without the mapping database every device is read raw.
    padsStarted_ = started_ && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlGamePort::~SdlGamePort()
{
    if (!started_)
        return;
    for (Slot& slot : device_)
        close(slot);
    if (padsStarted_)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlGamePort::close(Slot& slot)
{
    if (slot.pad)
        SDL_GameControllerClose(slot.pad);
    else if (slot.joystick)
        SDL_JoystickClose(slot.joystick);
    slot = Slot();
}

void SdlGamePort::refreshDevices()
{
    for (Slot& slot : device_) {
        if (slot.joystick && !SDL_JoystickGetAttached(slot.joystick))
            close(slot);
    }
    // Fill empty slots with attached devices not yet open, in SDL's order; a
    // stick that stays attached keeps its slot when another one leaves.
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (device_[0].joystick && device_[1].joystick)
            break;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        bool open = false;
        for (const Slot& slot : device_)
            open = open || (slot.joystick && SDL_JoystickInstanceID(slot.joystick) == id);
        if (open)
            continue;
        Slot& slot = device_[0].joystick ? device_[1] : device_[0];
        if (padsStarted_ && SDL_IsGameController(index)) {
            slot.pad = SDL_GameControllerOpen(index);
            slot.joystick = slot.pad ? SDL_GameControllerGetJoystick(slot.pad) : nullptr;
        }
        if (!slot.joystick) {
            slot.pad = nullptr;
            slot.joystick = SDL_JoystickOpen(index);
        }
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

    const Slot* first = device_[0].joystick ? &device_[0] : (device_[1].joystick ? &device_[1] : nullptr);
    const Slot* second = device_[0].joystick && device_[1].joystick ? &device_[1] : nullptr;
    if (!first)
        return s;
    if (first->pad) {
        wirePad(s, first->pad, 0, true);
        return s;
    }
    wireRaw(s, first->joystick, 0, 0, 0);
    if (second && second->pad)
        wirePad(s, second->pad, 1, false);
    else if (second)
        wireRaw(s, second->joystick, 0, 0, 1);
    else
        wireRaw(s, first->joystick, 2, 2, 1);
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
