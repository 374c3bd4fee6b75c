// The game port of the system the library runs on, behind the source a test
// may install (<vantrel/seam/game_port.h>): Linux's backends, Windows'
// joysticks.
#ifndef VANTREL_PLATFORM_SHARED_SYSTEM_GAME_PORT_H
#define VANTREL_PLATFORM_SHARED_SYSTEM_GAME_PORT_H

#include <vantrel/seam/game_port.h>

namespace vtl {

GamePortSource& systemGamePort();

} // namespace vtl

#endif
