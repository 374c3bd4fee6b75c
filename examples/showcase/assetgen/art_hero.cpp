// HERO.RLA: a robed figure with a glowing wand, 32 x 32, in eight directions
// (0 east, then clockwise in steps of 45 degrees: 2 south, 4 west, 6 north).
// Action 0 stands (one frame), action 1 walks (four frames).
#include "art.h"
#include "canvas.h"
#include "files.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979;

Canvas heroFrame(int direction, int phase, bool walking)
{
    Canvas c(32, 32);
    const double a = direction * kPi / 4;
    const double fx = std::cos(a), fy = std::sin(a);
    const double swing = walking ? std::sin(phase * kPi / 2) * 4 : 0;
    const bool facingUp = fy < -0.5;
    // Feet swing along the facing direction, one forward while the other is back.
    const double side = 3.5;
    c.disc(16 - fy * side + fx * swing, 25 + fx * side * 0.4 + fy * swing * 0.6, 2.6, rgb(70, 45, 30));
    c.disc(16 + fy * side - fx * swing, 25 - fx * side * 0.4 - fy * swing * 0.6, 2.6, rgb(70, 45, 30));
    // The wand goes behind the body when the figure faces away.
    auto wand = [&] {
        const double hx = 16 + fx * 7 + fy * 4, hy = 18 + fy * 4 - fx * 2;
        c.line(hx, hy, hx + fx * 7, hy + fy * 5 - 3, 1.6, rgb(150, 110, 60));
        c.disc(hx + fx * 7, hy + fy * 5 - 3, 2.2, rgb(255, 240, 150));
        c.disc(hx + fx * 7, hy + fy * 5 - 3, 3.5, rgb(255, 220, 90, 90));
    };
    if (facingUp)
        wand();
    // Robe and belt.
    c.ellipse(16, 19 + (walking ? std::fabs(swing) * 0.15 : 0), 7.5, 7, rgb(40, 90, 200));
    c.ellipse(16, 21, 7, 1.2, rgb(230, 190, 60));
    // Head, hair and face.
    c.disc(16, 10, 5.5, rgb(240, 200, 160));
    c.ellipse(16 - fx * 1.5, 8.5 - (facingUp ? -1 : 0), 5.6, facingUp ? 5 : 3.2, rgb(120, 60, 30));
    if (!facingUp) {
        const double ex = 16 + fx * 2.5, ey = 10.5 + fy * 1.2;
        c.disc(ex - 1.8 * std::fabs(fy) - (fy == 0 ? 0 : 0), ey, 0.9, rgb(20, 20, 40));
        if (std::fabs(fx) < 0.9)
            c.disc(ex + 1.8 * std::fabs(fy), ey, 0.9, rgb(20, 20, 40));
    }
    if (!facingUp)
        wand();
    return c;
}
} // namespace

bool makeHero(const std::string& folder)
{
    std::vector<FrameLine> frames;
    for (int d = 0; d < 8; ++d) {
        const std::string stand = "hero_" + std::to_string(d) + "_s.tga";
        if (!writeTga(folder + "/" + stand, heroFrame(d, 0, false)))
            return false;
        frames.push_back({0, d, stand});
        for (int p = 0; p < 4; ++p) {
            const std::string name = "hero_" + std::to_string(d) + "_" + std::to_string(p) + ".tga";
            if (!writeTga(folder + "/" + name, heroFrame(d, p, true)))
                return false;
            frames.push_back({1, d, name});
        }
    }
    return writeFrameList(folder + "/hero.txt", frames);
}
