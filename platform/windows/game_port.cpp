// Placeholder until the joystick reader lands.
#include <vantrel/seam/game_port.h>

namespace {
class NoGamePort : public vtl::GamePortSource {
public:
    vtl::GamePortSample sample() override
    {
        return vtl::GamePortSample{{vtl::kTimerNeverEnds, vtl::kTimerNeverEnds, vtl::kTimerNeverEnds,
                                    vtl::kTimerNeverEnds},
                                   vtl::kButtonsReleased};
    }
};
} // namespace

vtl::GamePortSource& vtl::gamePort()
{
    static NoGamePort port;
    return port;
}
