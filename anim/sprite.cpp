// Sprite: the frame group it plays, its position and drawing.
#include <vantrel/animation.h>
#include <vantrel/bitplanefx.h>

namespace {
constexpr unsigned short kKeepDirection = 0xFFFF;
constexpr long kNoSlot = -1;

bool hasTable(const ANIMATIONFX* set) { return set && set->frames; }

bool carries(const ANIMATIONFX& set, unsigned slot, unsigned short action, unsigned short direction)
{
    return slot < set.frameCount && set.frames[slot].action == action && set.frames[slot].direction == direction;
}

long firstSlotOf(const ANIMATIONFX* set, unsigned short action, unsigned short direction)
{
    if (!hasTable(set))
        return kNoSlot;
    for (unsigned i = 0; i < set->frameCount; ++i)
        if (carries(*set, i, action, direction))
            return static_cast<long>(i);
    return kNoSlot;
}

// The last slot of the run of consecutive group slots starting at `from`.
unsigned lastOfRun(const ANIMATIONFX& set, unsigned from, unsigned short action, unsigned short direction)
{
    while (carries(set, from + 1, action, direction))
        ++from;
    return from;
}
} // namespace

void Sprite::bind(ANIMATIONFX* set)
{
    animation = set;
    x = 0;
    y = 0;
    frame = 0;
    action = 0;
    direction = 0;
    forward = 1;
}

void Sprite::release() { animation = nullptr; }

void Sprite::setX(long value, bool relative) { x = static_cast<LONG>(relative ? x + value : value); }
void Sprite::setY(long value, bool relative) { y = static_cast<LONG>(relative ? y + value : value); }
long Sprite::getX() { return x; }
long Sprite::getY() { return y; }
void Sprite::setVel(long value) { velocity = static_cast<unsigned char>(value & 0xFF); }
unsigned long Sprite::getVel() { return velocity; }
void Sprite::setForward(bool value) { forward = value ? 1 : 0; }
bool Sprite::getForward() { return forward != 0; }
unsigned short Sprite::getAction() { return action; }
unsigned short Sprite::getDirection() { return direction; }

bool Sprite::setAction(unsigned short newAction, unsigned short newDirection)
{
    if (newDirection == kKeepDirection)
        newDirection = direction;
    const long first = firstSlotOf(animation, newAction, newDirection);
    if (first == kNoSlot)
        return false;
    action = newAction;
    direction = newDirection;
    frame = static_cast<unsigned short>(first);
    return true;
}

bool Sprite::setBitmap(unsigned short n)
{
    const long first = firstSlotOf(animation, action, direction);
    if (first == kNoSlot)
        return false;
    frame = static_cast<unsigned short>(first + n);
    return true;
}

unsigned short Sprite::getBitmap()
{
    const long first = firstSlotOf(animation, action, direction);
    return first == kNoSlot ? 0 : static_cast<unsigned short>(frame - first);
}

bool Sprite::advance()
{
    if (!hasTable(animation))
        return true;
    const ANIMATIONFX& set = *animation;
    if (forward) {
        if (carries(set, frame + 1u, action, direction))
            ++frame;
        else
            setBitmap(0);
        return true;
    }
    if (!carries(set, frame, action, direction)) {
        // Outside its group (after bind, or a setBitmap past the group's
        // end): enter the group at its last frame, as a backward wrap would.
        const long first = firstSlotOf(animation, action, direction);
        if (first != kNoSlot)
            frame = static_cast<unsigned short>(lastOfRun(set, static_cast<unsigned>(first), action, direction));
        return true;
    }
    if (frame > 0 && carries(set, frame - 1u, action, direction))
        --frame;
    else
        frame = static_cast<unsigned short>(lastOfRun(set, frame, action, direction));
    return true;
}

bool Sprite::draw(BITPLANEFX* target, int originX, int originY)
{
    if (!target || !hasTable(animation) || frame >= animation->frameCount)
        return true;
    const ANIMFRAME& slot = animation->frames[frame];
    if (!slot.image)
        return true;
    POINT at{x - slot.xOffset - originX, y - slot.yOffset - originY};
    target->BltMode(slot.image, at, &blitMode);
    return true;
}
