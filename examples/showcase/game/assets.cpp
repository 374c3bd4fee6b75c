#include "game/assets.h"

#include <string>

namespace {
template <typename T> bool load(VTLHND& gfx, T* object, const char* name, const char*& failed)
{
    if (gfx.create(object, const_cast<char*>(name)))
        return true;
    failed = name;
    return false;
}
} // namespace

bool loadAssets(VTLHND& gfx, Assets& a, const char*& failed)
{
    static const char* const kTerrain[TerrainKinds] = {"GRASS.RLA", "WATER.RLA", "FLOWERS.RLA", "SAND.RLA",
                                                       "ROCK.RLA"};
    static const char* const kButtons[ButtonKinds] = {"MENU", "PLAY", "SOUND", "ZOOM", "QUIT"};
    if (!load(gfx, &a.hero, "HERO.RLA", failed) || !load(gfx, &a.enemy, "ENEMY.RLA", failed))
        return false;
    for (int t = 0; t < TerrainKinds; ++t)
        if (!load(gfx, &a.terrain[t], kTerrain[t], failed))
            return false;
    for (int b = 0; b < ButtonKinds; ++b)
        for (int f = 0; f < ButtonFaces; ++f) {
            static std::string names[ButtonKinds][ButtonFaces];
            names[b][f] = std::string(kButtons[b]) + "_" + "NHP"[f] + ".RLE";
            if (!load(gfx, &a.buttons[b][f], names[b][f].c_str(), failed))
                return false;
        }
    if (!load(gfx, &a.sandBlock, "SANDBLK.BMP", failed) || !load(gfx, &a.logo, "LOGO.BMP", failed) ||
        !load(gfx, &a.panel, "PANEL.TGA", failed) || !load(gfx, &a.edge, "EDGE.BMP", failed))
        return false;
    return true;
}

void releaseFrameSets(VTLHND& gfx, Assets& a)
{
    if (a.hero.owner)
        gfx.release(&a.hero);
    if (a.enemy.owner)
        gfx.release(&a.enemy);
    for (ANIMATIONFX& set : a.terrain)
        if (set.owner)
            gfx.release(&set);
}
