#include "game/world.h"

#include "game/any_depth.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPatchWidth = 68;
constexpr int kPatchHeight = 34;

Terrain terrainAt(int x, int y)
{
    // A lake, a stream running out of it, sand clearings, boulders and
    // flower beds, all from fixed shapes so that every run (and both players
    // of a two-player game) sees the same map.
    const double lake = std::hypot((x - 44) / 9.0, (y - 14) / 6.0);
    if (lake < 1.0)
        return Water;
    if (x > 20 && x < 44 && std::abs(y - (int)(26 + 4 * std::sin(x / 4.0))) < 1 && (x < 30 || x > 33))
        return Water;
    if (x == 0 || y == 0 || x == kMapWidth - 1 || y == kMapHeight - 1)
        return Rock;
    const int clearings[][3] = {{12, 12, 4}, {30, 38, 5}, {52, 36, 4}, {14, 36, 3}};
    for (const auto& c : clearings)
        if (std::hypot(x - c[0], (y - c[1]) * 1.3) < c[2])
            return Sand;
    if ((x * 37 + y * 91) % 53 == 0)
        return Rock;
    if ((x * 7 + y * 5) % 23 == 0)
        return Flowers;
    return Grass;
}

bool isSand(const Game& g, int x, int y)
{
    return x >= 0 && y >= 0 && x < kMapWidth && y < kMapHeight && g.ground[y][x] == Sand;
}
} // namespace

int mapPixelWidth() { return kMapWidth * kCell; }
int mapPixelHeight() { return kMapHeight * kCell; }

bool buildWorld(Game& g)
{
    for (int y = 0; y < kMapHeight; ++y)
        for (int x = 0; x < kMapWidth; ++x) {
            g.ground[y][x] = terrainAt(x, y);
            Tile* tile = createTile();
            if (!tile)
                return false;
            g.tiles[y][x] = tile;
            tile->bind(&g.assets.terrain[g.ground[y][x]]);
            // Neighbouring water cells start a frame apart so the ripples run.
            tile->setBitmap(static_cast<unsigned short>((x + y) % g.assets.terrain[g.ground[y][x]].frameCount));
        }
    // A soft patch of sand on grass beside every other cell of a clearing's
    // rim breaks up the hard tile edges.
    g.patches.clear();
    for (int y = 1; y < kMapHeight - 1; ++y)
        for (int x = 1; x < kMapWidth - 1; ++x)
            if (g.ground[y][x] != Sand && g.ground[y][x] != Water && (x + y) % 2 == 0 &&
                (isSand(g, x - 1, y) || isSand(g, x + 1, y) || isSand(g, x, y - 1) || isSand(g, x, y + 1)))
                g.patches.push_back(POINT{x * kCell + kCell / 2 - kPatchWidth / 2, y * kCell + kCell / 2 - kPatchHeight / 2});
    return true;
}

void destroyWorld(Game& g)
{
    for (auto& row : g.tiles)
        for (Tile*& tile : row)
            if (tile) {
                destroyTile(tile);
                tile = nullptr;
            }
}

bool walkable(const Game& g, int x, int y, int size)
{
    // The feet: the lower half of the box, a little narrower than it.
    const int left = x + size / 4, right = x + size - size / 4 - 1;
    const int top = y + size / 2, bottom = y + size - 1;
    for (int py : {top, bottom})
        for (int px : {left, right}) {
            const int cx = px / kCell, cy = py / kCell;
            if (px < 0 || py < 0 || cx >= kMapWidth || cy >= kMapHeight)
                return false;
            if (g.ground[cy][cx] == Water || g.ground[cy][cx] == Rock)
                return false;
        }
    return true;
}

void advanceTiles(Game& g)
{
    for (auto& row : g.tiles)
        for (Tile* tile : row)
            if (tile->animation->frameCount > 1)
                tile->advance();
}

void drawTiles(Game& g)
{
    const int firstX = g.cameraX / kCell, firstY = g.cameraY / kCell;
    for (int cy = firstY; cy <= (g.cameraY + g.height - 1) / kCell && cy < kMapHeight; ++cy)
        for (int cx = firstX; cx <= (g.cameraX + g.width - 1) / kCell && cx < kMapWidth; ++cx)
            g.tiles[cy][cx]->draw(&g.screen, POINT{cx * kCell - g.cameraX, cy * kCell - g.cameraY});
}

// Each patch blends the sand block into the ground already drawn under it:
// the ground is copied out, the four quarters mix it with the sand through
// the alpha map, and the result goes back, clipped by the blit.
void drawPatches(Game& g)
{
    if (!g.patch || !g.patchUnder)
        return;
    for (const POINT& p : g.patches) {
        const int x = p.x - g.cameraX, y = p.y - g.cameraY;
        if (x + kPatchWidth <= 0 || y + kPatchHeight <= 0 || x >= g.width || y >= g.height)
            continue;
        RECT under = {std::max(x, 0), std::max(y, 0), std::min(x + kPatchWidth, g.width),
                      std::min(y + kPatchHeight, g.height)};
        g.patchUnder.Blt(&g.screen, POINT{under.left - x, under.top - y}, &under);
        blendSandPatch(g.patch, g.patchUnder, g.assets.sandBlock, g.assets.edge);
        g.screen.Blt(&g.patch, POINT{x, y}, nullptr);
    }
}
