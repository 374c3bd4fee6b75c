#include <vantrel/seam/game_port.h>

#include "platform/backends/headless/scripted_game_port.h"
#ifdef VANTREL_HAVE_SDL2
#include "platform/backends/sdl/sdl_game_port.h"
#endif

#include <cstdlib>
#include <cstring>
#include <memory>

namespace vtl {

namespace {

GamePortSource* gInstalled = nullptr;

GamePortSource& backend()
{
    static std::unique_ptr<GamePortSource> chosen = [] {
        std::unique_ptr<GamePortSource> source;
#ifdef VANTREL_HAVE_SDL2
        const char* wanted = std::getenv("VANTREL_JOYSTICK");
        if (!wanted || std::strcmp(wanted, "headless") != 0) {
            auto sdl = std::make_unique<SdlGamePort>();
            if (sdl->started())
                source = std::move(sdl);
        }
#endif
        if (!source)
            source = std::make_unique<ScriptedGamePort>();
        return source;
    }();
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
