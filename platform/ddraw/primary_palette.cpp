// The live primary surface, for GDI's system palette.  Surfaces are made
// and released on the game's display thread, as is GDI's palette work.
#include "platform/ddraw/primary_palette.h"
#include "platform/ddraw/ddraw_objects.h"

#include <atomic>
#include <cstring>

namespace vtl {
namespace {

std::atomic<DDSurface*> gLivePrimary{nullptr};

} // namespace

void setLivePrimary(DDSurface* primary) { gLivePrimary.store(primary); }

void clearLivePrimary(DDSurface* primary)
{
    DDSurface* expected = primary;
    gLivePrimary.compare_exchange_strong(expected, nullptr);
}

PrimaryPalette primaryPalette()
{
    PrimaryPalette answer;
    DDSurface* primary = gLivePrimary.load();
    if (!primary || primary->layout().bits != 8)
        return answer;
    answer.paletted = true;
    if (const DDPalette* palette = primary->palette()) {
        answer.hasPalette = true;
        std::memcpy(answer.entries, palette->entries(), sizeof answer.entries);
    }
    return answer;
}

} // namespace vtl
