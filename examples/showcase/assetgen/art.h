// The demo's pictures and sounds, each family made by its own function into
// the output folder.  Everything is computed: shapes, noise and synthesis.
#ifndef SHOWCASE_ASSETGEN_ART_H
#define SHOWCASE_ASSETGEN_ART_H

#include <string>

bool makeHero(const std::string& folder);
bool makeEnemy(const std::string& folder);
bool makeTerrain(const std::string& folder);
bool makeInterface(const std::string& folder);
// `wavTrack`: the CD track as WAV whatever this program could write, for a
// library that decodes nothing else (the web build's).
bool makeSounds(const std::string& folder, bool wavTrack);

// Value noise that repeats every `period` units in x and y, 0..1.
double tiledNoise(double x, double y, int period, unsigned seed);

#endif
