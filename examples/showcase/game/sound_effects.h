// Sound: effects from the archive (a few voices each, so they overlap), the
// music streamed from the archive, or the CD's first track when a disc is
// there (VANTREL_CDAUDIO names its folder, else cdaudio/ beside the program,
// where the build puts the demo's own, else the installed demo's
// share/vantrel/demo/cdaudio).
#ifndef SHOWCASE_SOUND_EFFECTS_H
#define SHOWCASE_SOUND_EFFECTS_H

#include "game/game.h"

enum Effect { EffectShot, EffectHit, EffectBoom, EffectClick, EffectKinds };

// Starts the sound device on the game's window and the music.  Without a
// sound device the game plays on in silence.
void startAudio(Game& g);
void stopAudio(Game& g);
void playEffect(Game& g, Effect effect);
// Once a second: the CD track, which plays once, starts over when it has
// ended (the stream loops by itself).
void keepMusicPlaying(Game& g);
// Mutes or unmutes everything, music included.
void setSoundOn(Game& g, bool on);
// "stream", "CD track 1" or "off", for the screen.
const char* musicSource(const Game& g);

#endif
