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
    // The accumulator is left as it was: a game that primes `error` itself
    // keeps its value, and a ported game moves along the pixels it always did.
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
