// The headless game port (GamePortSource): nothing plugged in unless a test
// scripts it.
#include "platform/backends/headless/scripted_game_port.h"

#include "platform/backends/headless/headless_backend.h"

namespace vtl {

ScriptedGamePort::ScriptedGamePort()
{
    for (uint32_t& t : held_.timerReads)
        t = kTimerNeverEnds;
    held_.buttonBits = kButtonsReleased;
}

void ScriptedGamePort::plug(int stick, uint32_t x, uint32_t y)
{
    if (stick < 0 || stick > 1)
        return;
    held_.timerReads[stick * 2] = x;
    held_.timerReads[stick * 2 + 1] = y;
}

void ScriptedGamePort::unplug(int stick)
{
    plug(stick, kTimerNeverEnds, kTimerNeverEnds);
}

void ScriptedGamePort::press(int stick, int button, bool down)
{
    if (stick < 0 || stick > 1 || button < 0 || button > 1)
        return;
    const uint8_t bit = gamePortButtonBit(stick, button);
    if (down)
        held_.buttonBits = static_cast<uint8_t>(held_.buttonBits & ~bit);
    else
        held_.buttonBits = static_cast<uint8_t>(held_.buttonBits | bit);
}

GamePortSample ScriptedGamePort::sample()
{
    ++reads_;
    if (queued_.empty())
        return held_;
    GamePortSample next = queued_.front();
    queued_.pop_front();
    return next;
}

std::unique_ptr<GamePortSource> openHeadlessGamePort() { return std::unique_ptr<GamePortSource>(new ScriptedGamePort); }

} // namespace vtl
