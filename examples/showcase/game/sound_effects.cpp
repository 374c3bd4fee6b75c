#include "game/sound_effects.h"

#include "game/installed_disc.h"

constexpr int kVoices = 3;

struct GameAudio {
    bool device = false;
    SOUNDBUFFER effects[EffectKinds][kVoices];
    bool loaded[EffectKinds] = {};
    int nextVoice[EffectKinds] = {};
    SOUNDSTREAM music{};
    bool streaming = false;
    CDaudio cd{};
    bool disc = false;
};

void startAudio(Game& g)
{
    GameAudio* a = new GameAudio;
    g.audio = a;
    a->device = SOUND::create(g.hwnd);
    if (!a->device)
        return;
    static const char* const kNames[EffectKinds] = {"SHOT.WAV", "HIT.WAV", "BOOM.WAV", "CLICK.WAV"};
    for (int e = 0; e < EffectKinds; ++e) {
        a->loaded[e] = g.gfx->create(&a->effects[e][0], const_cast<char*>(kNames[e]));
        // The other voices share the first one's sound memory.
        for (int v = 1; a->loaded[e] && v < kVoices; ++v)
            a->effects[e][v].copy(a->effects[e][0]);
    }
    findInstalledDisc();
    a->disc = a->cd.init(g.hwnd) && a->cd.play(1, 1);
    if (!a->disc) {
        a->streaming = g.gfx->create(&a->music, const_cast<char*>("MUSIC.WAV"));
        if (a->streaming) {
            a->music.setVol(-600);
            a->music.play(true);
        }
    }
}

void stopAudio(Game& g)
{
    GameAudio* a = g.audio;
    if (!a)
        return;
    if (a->disc)
        a->cd.stop();
    if (a->streaming)
        g.gfx->release(&a->music);
    for (int e = 0; e < EffectKinds; ++e)
        if (a->loaded[e]) {
            for (int v = kVoices - 1; v >= 1; --v)
                a->effects[e][v].release();
            g.gfx->release(&a->effects[e][0]);
        }
    if (a->device)
        SOUND::release();
    delete a;
    g.audio = nullptr;
}

void playEffect(Game& g, Effect effect)
{
    GameAudio* a = g.audio;
    if (!a || !g.soundOn || !a->loaded[effect])
        return;
    SOUNDBUFFER& voice = a->effects[effect][a->nextVoice[effect]];
    a->nextVoice[effect] = (a->nextVoice[effect] + 1) % kVoices;
    voice.stop(); // rewinds
    voice.play(false);
}

void keepMusicPlaying(Game& g)
{
    GameAudio* a = g.audio;
    if (!a || !a->disc || !g.soundOn)
        return;
    // CDaudio keeps no end of play: the device's mode tells it.
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    if (VTLCdCommand(a->cd.device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)) == 0 &&
        status.dwReturn == MCI_MODE_STOP)
        a->cd.play(1, 1);
}

void setSoundOn(Game& g, bool on)
{
    g.soundOn = on;
    GameAudio* a = g.audio;
    if (!a)
        return;
    if (a->disc)
        on ? a->cd.resume() : a->cd.pause();
    else if (a->streaming)
        on ? a->music.play(true) : a->music.stop();
}

const char* musicSource(const Game& g)
{
    const GameAudio* a = g.audio;
    if (!a || !g.soundOn || (!a->disc && !a->streaming))
        return "off";
    return a->disc ? "CD track 1" : "stream";
}
