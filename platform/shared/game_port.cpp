// The game port the joystick functions read: a source a test installed, else
// the system's.
#include "platform/shared/system_game_port.h"

namespace vtl {

namespace {
GamePortSource* gInstalled = nullptr;
}

GamePortSource& gamePort()
{
    return gInstalled ? *gInstalled : systemGamePort();
}

GamePortSource* setGamePortSource(GamePortSource* source)
{
    GamePortSource* before = gInstalled;
    gInstalled = source;
    return before;
}

uint32_t axisToCount(int value)
{
    if (value < -32768)
        value = -32768;
    if (value > 32767)
        value = 32767;
    const uint32_t span = kGamePortMaxCount - kGamePortMinCount;
    const uint32_t offset = static_cast<uint32_t>(value + 32768); // 0 .. 65535
    return kGamePortMinCount + (offset * span + 32767) / 65535;
}

} // namespace vtl
