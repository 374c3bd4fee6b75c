// ENEMY.RLA: a floating wisp, 28 x 28, four frames of a pulse (action 0,
// direction 0).  Its soft rim is partly transparent, so the RLE image has
// level pixels as well as opaque ones.
#include "art.h"
#include "canvas.h"
#include "files.h"

#include <cmath>

bool makeEnemy(const std::string& folder)
{
    std::vector<FrameLine> frames;
    for (int f = 0; f < 4; ++f) {
        Canvas c(28, 28);
        const double pulse = std::sin(f * 3.14159265 / 2);
        c.disc(14, 14, 12 + pulse, rgb(120, 255, 160, 70));
        c.disc(14, 13, 9 + pulse * 0.5, rgb(90, 220, 120));
        // A ragged hem.
        for (int i = 0; i < 4; ++i)
            c.disc(7.5 + i * 4.3, 21 + ((i + f) % 2) * 1.5, 2.4, rgb(90, 220, 120));
        c.disc(14, 11, 6, rgb(170, 255, 190));
        c.disc(10.5, 12, 2.2, rgb(255, 255, 255));
        c.disc(17.5, 12, 2.2, rgb(255, 255, 255));
        c.disc(10.8 + (f == 1 ? 0.6 : 0), 12.4, 1.1, rgb(30, 10, 60));
        c.disc(17.8 + (f == 1 ? 0.6 : 0), 12.4, 1.1, rgb(30, 10, 60));
        const std::string name = "enemy_" + std::to_string(f) + ".tga";
        if (!writeTga(folder + "/" + name, c))
            return false;
        frames.push_back({0, 0, name});
    }
    return writeFrameList(folder + "/enemy.txt", frames);
}
