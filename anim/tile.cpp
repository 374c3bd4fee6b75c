// Tile: an animated map cell, and its allocation on the library heap.
#include <vantrel/animation.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/core.h>

namespace {
constexpr unsigned short kKeep = 0xFFFF;
// set() looks at no more slots than this, and draw() shows only the first
// kFramesDrawn frames.
constexpr unsigned kSlotsExamined = 27;
constexpr unsigned kFramesDrawn = 25;
} // namespace

Tile* createTile()
{
    auto* tile = static_cast<Tile*>(MemAlloc(sizeof(Tile)));
    if (!tile)
        Msg("tile in CreateTile");
    return tile;
}

void destroyTile(Tile* tile)
{
    if (!tile) {
        Msg("tile in destroyTile");
        return;
    }
    MemFree(tile);
}

void Tile::bind(ANIMATIONFX* set)
{
    animation = set;
    frame = 0;
    forward = 1;
}

void Tile::release() { animation = nullptr; }

bool Tile::set(unsigned short newType, unsigned short newSecondary)
{
    if (newSecondary == kKeep)
        newSecondary = secondary;
    if (newType == kKeep)
        newType = type;
    unsigned short found = 0;
    if (animation && animation->frames) {
        const unsigned limit = animation->frameCount < kSlotsExamined ? animation->frameCount : kSlotsExamined;
        for (unsigned i = 0; i < limit; ++i) {
            const ANIMFRAME& slot = animation->frames[i];
            if (slot.action == newType && slot.direction == newSecondary) {
                found = static_cast<unsigned short>(i);
                break;
            }
        }
    }
    type = newType;
    secondary = newSecondary;
    frame = found;
    return true;
}

unsigned short Tile::getType() { return type; }
unsigned short Tile::getSecondary() { return secondary; }
void Tile::setForward(bool value) { forward = value ? 1 : 0; }
bool Tile::getForward() { return forward != 0; }
void Tile::setBitmap(unsigned short value) { frame = value; }
unsigned short Tile::getBitmap() { return frame; }

void Tile::advance()
{
    if (!animation || animation->frameCount == 0)
        return;
    const unsigned count = animation->frameCount;
    if (forward)
        frame = static_cast<unsigned short>(frame + 1u >= count ? 0 : frame + 1u);
    else
        frame = static_cast<unsigned short>(frame == 0 ? count - 1 : frame - 1u);
}

bool Tile::draw(BITPLANEFX* target, POINT point)
{
    if (!target || !animation || !animation->frames || frame >= kFramesDrawn || frame >= animation->frameCount)
        return true;
    RLEFX* image = animation->frames[frame].image;
    if (image)
        target->Blt(image, point);
    return true;
}
