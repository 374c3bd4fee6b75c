// The system's game port: the backend chosen by the backend table
// (VANTREL_JOYSTICK).
#include "platform/shared/system_game_port.h"

#include "platform/backends/backend_table.h"

#include <memory>

vtl::GamePortSource& vtl::systemGamePort()
{
    static const std::unique_ptr<GamePortSource> chosen = chooseGamePort();
    return *chosen;
}
