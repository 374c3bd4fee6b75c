// Sprite movement: straight lines in whole-pixel steps.
#include <vantrel/animation.h>

#include <cstdlib>

void Sprite::setDest(long toX, long toY)
{
    startX = x;
    startY = y;
    destX = static_cast<LONG>(toX);
    destY = static_cast<LONG>(toY);
    const LONG dx = destX - x;
    const LONG dy = destY - y;
    distX = std::labs(dx);
    distY = std::labs(dy);
    stepX = dx >= 0 ? 1 : -1;
    stepY = dy >= 0 ? 1 : -1;
    // Priming the accumulator with the minor distance plus half the major
    // one makes the minor axis step at the rounded points of the ideal line,
    // so the sprite stands on the destination after major-distance steps.
    // From 0 the minor axis would lag one step behind and the sprite would
    // pass beside its destination.
    if (distX >= distY)
        error = distY + distX / 2;
    else
        error = distX + distY / 2;
}

void Sprite::update()
{
    if (x == destX && y == destY)
        return;
    if (distX >= distY) {
        for (unsigned i = 0; i < velocity; ++i) {
            if (error >= distX) {
                error -= distX;
                y += stepY;
            }
            x += stepX;
            error += distY;
        }
    } else {
        for (unsigned i = 0; i < velocity; ++i) {
            if (error >= distY) {
                error -= distY;
                x += stepX;
            }
            y += stepY;
            error += distX;
        }
    }
}
