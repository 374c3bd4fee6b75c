// The ground: 32 x 32 map cells (GRASS, WATER with four ripple frames,
// FLOWERS with two sway frames, SAND, ROCK), a 68 x 34 block of sand
// (SANDBLK.BMP) and the 34 x 17 alpha map (EDGE.BMP) that blends the sand
// into whatever ground lies under a patch.  Cells repeat seamlessly: their
// noise has a period of the cell size.
#include "art.h"
#include "canvas.h"
#include "files.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {
constexpr double kPi = 3.14159265358979;

Rgba grassAt(double x, double y)
{
    const double n = tiledNoise(x / 4, y / 4, 8, 1) * 0.6 + tiledNoise(x / 2, y / 2, 16, 2) * 0.4;
    return rgb(40 + static_cast<int>(n * 40), 120 + static_cast<int>(n * 60), 40 + static_cast<int>(n * 20));
}

Rgba sandAt(double x, double y)
{
    const double n = tiledNoise(x / 3, y / 3, 8, 3) * 0.7 + tiledNoise(x, y, 32, 4) * 0.3;
    return rgb(200 + static_cast<int>(n * 40), 175 + static_cast<int>(n * 35), 110 + static_cast<int>(n * 30));
}

Canvas fill(int w, int h, const std::function<Rgba(double, double)>& at)
{
    Canvas c(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.at(x, y) = at(x, y);
    return c;
}

Canvas grassCell()
{
    Canvas c = fill(32, 32, grassAt);
    for (int i = 0; i < 7; ++i) {
        const double x = std::fmod(i * 13.7 + 5, 32), y = std::fmod(i * 9.1 + 11, 32);
        c.line(x, y, x + 1.5, y - 4, 1, rgb(90, 190, 70));
    }
    return c;
}

Canvas waterCell(int frame)
{
    return fill(32, 32, [frame](double x, double y) {
        const double t = frame * kPi / 2;
        const double w = std::sin((x + y) * kPi / 8 + t) * 0.5 + std::sin((x - y) * kPi / 16 - t) * 0.5;
        const int crest = w > 0.8 ? 60 : 0;
        return rgb(30 + crest, 80 + static_cast<int>(w * 20) + crest, 170 + static_cast<int>(w * 30) + crest / 2);
    });
}

Canvas flowerCell(int frame)
{
    Canvas c = fill(32, 32, grassAt);
    const Rgba colours[] = {rgb(250, 80, 90), rgb(250, 230, 80), rgb(200, 120, 250)};
    for (int i = 0; i < 5; ++i) {
        const double x = 4 + std::fmod(i * 11.3, 24), y = 6 + std::fmod(i * 7.7, 20);
        const double sway = (frame ? 1.2 : -1.2) * (i % 2 ? 1 : -1);
        c.line(x, y + 5, x + sway, y, 1, rgb(40, 140, 40));
        for (int p = 0; p < 5; ++p)
            c.disc(x + sway + std::cos(p * 1.2566) * 1.8, y + std::sin(p * 1.2566) * 1.8, 1.3, colours[i % 3]);
        c.disc(x + sway, y, 1, rgb(255, 240, 200));
    }
    return c;
}

Canvas rockCell()
{
    Canvas c = fill(32, 32, grassAt);
    c.ellipse(17, 24, 13, 5, rgb(0, 0, 0, 90));
    c.ellipse(16, 17, 12, 10, rgb(110, 105, 100));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double n = tiledNoise(x / 3.0, y / 3.0, 16, 7);
            const double dx = (x - 16) / 12.0, dy = (y - 17) / 10.0;
            if (dx * dx + dy * dy < 0.9)
                c.blend(x, y, rgb(60 + static_cast<int>(n * 80), 58 + static_cast<int>(n * 75), 55 + static_cast<int>(n * 70)), 0.6);
        }
    c.ellipse(12, 12, 5, 3, rgb(200, 200, 190, 120));
    return c;
}

// The patch's alpha map covers one quarter of the 68 x 34 block, its
// column 33 and row 16 at the block's centre: sand there, grass at the rim.
Canvas edgeMap()
{
    return fill(34, 17, [](double x, double y) {
        const double dx = (33.5 - x) / 34, dy = (16.5 - y) / 17;
        const double wobble = tiledNoise(x / 4, y / 4, 16, 9) * 0.25;
        const double a = std::clamp((0.9 - std::sqrt(dx * dx + dy * dy) - wobble) * 2.5, 0.0, 1.0);
        const int v = static_cast<int>(a * 255);
        return rgb(v, v, v);
    });
}
} // namespace

bool makeTerrain(const std::string& folder)
{
    const std::string f = folder + "/";
    bool ok = writeTga(f + "grass.tga", grassCell()) && writeTga(f + "sand.tga", fill(32, 32, sandAt)) &&
              writeTga(f + "rock.tga", rockCell()) && writeTga(f + "flowers_0.tga", flowerCell(0)) &&
              writeTga(f + "flowers_1.tga", flowerCell(1));
    std::vector<FrameLine> water;
    for (int i = 0; ok && i < 4; ++i) {
        const std::string name = "water_" + std::to_string(i) + ".tga";
        ok = writeTga(f + name, waterCell(i));
        water.push_back({0, 0, name});
    }
    return ok && writeFrameList(f + "water.txt", water) && writeFrameList(f + "grass.txt", {{0, 0, "grass.tga"}}) &&
           writeFrameList(f + "sand.txt", {{0, 0, "sand.tga"}}) && writeFrameList(f + "rock.txt", {{0, 0, "rock.tga"}}) &&
           writeFrameList(f + "flowers.txt", {{0, 0, "flowers_0.tga"}, {0, 0, "flowers_1.tga"}}) &&
           writeBmp(f + "SANDBLK.BMP", fill(68, 34, sandAt)) &&
           writeBmp(f + "EDGE.BMP", edgeMap());
}
