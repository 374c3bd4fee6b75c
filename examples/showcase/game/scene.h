// A frame of the game, drawn into the system buffer in stages, back to
// front.  The stages are listed so that the frame benchmark can time each.
#ifndef SHOWCASE_SCENE_H
#define SHOWCASE_SCENE_H

#include "game/game.h"

struct SceneStage {
    const char* name;
    void (*draw)(Game&);
};

extern const SceneStage kSceneStages[];
extern const int kSceneStageCount;

// Makes the surfaces and lookup images the scene draws with, in the
// display's current format (again after a change of format).
bool prepareScene(Game& g);
void releaseScene(Game& g);
// Every stage in order.
void drawScene(Game& g);

#endif
