// The game port the joystick functions read: a source a test installed, else
// the backend's, chosen by the backend table (VANTREL_JOYSTICK).
#include <vantrel/seam/game_port.h>

#include "platform/backends/backend_table.h"

#include <memory>

namespace vtl {

namespace {

GamePortSource* gInstalled = nullptr;

GamePortSource& backend()
{
    static const std::unique_ptr<GamePortSource> chosen = chooseGamePort();
    return *chosen;
}

} // namespace

GamePortSource& gamePort()
{
    return gInstalled ? *gInstalled : backend();
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
