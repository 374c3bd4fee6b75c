// Everything the demo loads from its archive, by entry name.
#ifndef SHOWCASE_ASSETS_H
#define SHOWCASE_ASSETS_H

#include <vantrel.h>

enum ButtonKind { ButtonMenu, ButtonPlay, ButtonSound, ButtonZoom, ButtonQuit, ButtonKinds };
enum ButtonFace { FaceNormal, FaceHover, FacePressed, ButtonFaces };
enum Terrain { Grass, Water, Flowers, Sand, Rock, TerrainKinds };

struct Assets {
    ANIMATIONFX hero{};
    ANIMATIONFX enemy{};
    ANIMATIONFX terrain[TerrainKinds]{};
    RLEFX buttons[ButtonKinds][ButtonFaces]{};
    BITPLANEFX sandBlock{};   // 68 x 34, blended into the ground by the edge map
    BITPLANEFX logo{};
    BITPLANEFX panel{};       // with an alpha plane
    ALPHAFX edge{};
};

// Loads every entry through the handle (after gfxBegin); false, with the
// missing entry's name in `failed`, when one cannot be loaded.
bool loadAssets(VTLHND& gfx, Assets& assets, const char*& failed);
// Frame sets go back before gfxEnd, which frees every registered image.
void releaseFrameSets(VTLHND& gfx, Assets& assets);

#endif
