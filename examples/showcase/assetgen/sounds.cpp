// The sounds, synthesised at 22050 Hz: four short effects (SHOT, HIT, BOOM,
// CLICK), MUSIC.WAV, sixteen seconds of a looping tune in four voices that
// the game streams, and the one track of the demo's virtual CD (cdaudio/),
// a six-second tune the game plays instead of the stream when it finds the
// disc.
//
// Mastering: each sound is scaled to a fixed peak, chosen so that the most
// the game can ever play at once stays below -1 dBFS (0.891) without a
// limiter.  The game has three voices per effect; shots and booms can fill
// all three, a hit comes at most once in its own length (the hero blinks
// for longer than it lasts), a click only while the game is paused, and the
// music is streamed at -6 dB:
//   3 x 0.08 (shots) + 0.12 (hit) + 3 x 0.105 (booms) + 0.05 (click)
//   + 0.5 x 0.30 (music) = 0.875
// The CD track plays at full level in the music's place: peak 0.13, which
// leaves room for Vorbis to overshoot its input by a few hundredths.
#include "art.h"
#include "disc_track.h"
#include "files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {
constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979;

struct Noise {
    uint32_t state = 12345;
    float next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>((state >> 8) & 0xFFFF) / 32768.0f - 1.0f;
    }
};

std::vector<float> shot()
{
    std::vector<float> s(kRate * 18 / 100);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        phase += (1400 - t * 6000) / kRate;
        s[i] = static_cast<float>((std::fmod(phase, 1.0) < 0.5 ? 0.5 : -0.5) * std::exp(-t * 18));
    }
    return s;
}

std::vector<float> hit()
{
    std::vector<float> s(kRate / 5);
    Noise n;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        s[i] = static_cast<float>((n.next() * 0.5 + std::sin(2 * kPi * 110 * t) * 0.6) * std::exp(-t * 20));
    }
    return s;
}

std::vector<float> boom()
{
    std::vector<float> s(kRate * 7 / 10);
    Noise n;
    float low = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        low += (n.next() - low) * 0.08f; // a one-pole low-pass makes the rumble
        s[i] = static_cast<float>((low * 2.5 + std::sin(2 * kPi * (60 - t * 30) * t) * 0.5) * std::exp(-t * 5));
    }
    return s;
}

std::vector<float> click()
{
    std::vector<float> s(kRate / 30);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        s[i] = static_cast<float>(std::sin(2 * kPi * 1800 * t) * std::exp(-t * 120) * 0.6);
    }
    return s;
}

// Scales `s` so that its largest sample is `peak` (of full scale 1).
std::vector<float> master(std::vector<float> s, float peak)
{
    float largest = 0;
    for (float v : s)
        largest = std::max(largest, std::fabs(v));
    if (largest > 0)
        for (float& v : s)
            v *= peak / largest;
    return s;
}

double note(int semitone) { return 220.0 * std::pow(2.0, semitone / 12.0); }

// Eight bars of 4/4 at 120 beats a minute, played twice.
std::vector<float> music()
{
    const int bars = 8, beatsPerBar = 4;
    const double beat = 0.5;
    const int chords[bars] = {0, -4, 3, -2, 0, -4, -2, -5}; // roots, semitones from A
    const int melody[bars * 4] = {12, 15, 19, 15, 12, 15, 16, 15, 15, 19, 22, 19, 14, 17, 21, 17,
                                  12, 15, 19, 24, 12, 11, 12, 15, 14, 17, 19, 17, 14, 12, 10, 7};
    const size_t length = static_cast<size_t>(2 * bars * beatsPerBar * beat * kRate);
    std::vector<float> s(length);
    Noise n;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const int b = static_cast<int>(t / beat) % (bars * beatsPerBar);
        const double inBeat = std::fmod(t, beat) / beat;
        const int root = chords[b / beatsPerBar];
        // Bass: the root on each beat, a square wave that decays.
        const double bassPhase = std::fmod(t * note(root - 24), 1.0);
        double v = (bassPhase < 0.5 ? 0.18 : -0.18) * std::exp(-inBeat * 2.5);
        // Arpeggio: root, third, fifth in sixteenths.
        const int arp[4] = {0, 3, 7, 12};
        const int sixteenth = static_cast<int>(inBeat * 4);
        v += std::sin(2 * kPi * note(root + arp[sixteenth]) * t) * 0.1 * std::exp(-std::fmod(inBeat * 4, 1.0) * 3);
        // Melody: a triangle wave with a little vibrato.
        const double f = note(melody[b]) * (1 + 0.004 * std::sin(2 * kPi * 5 * t));
        const double tri = 2 * std::fabs(2 * std::fmod(t * f, 1.0) - 1) - 1;
        v += tri * 0.16 * (inBeat < 0.85 ? 1 : (1 - inBeat) / 0.15);
        // Hi-hat on the off-beats.
        if (inBeat > 0.5 && inBeat < 0.56)
            v += n.next() * 0.06;
        s[i] = static_cast<float>(v);
    }
    return s;
}
// Twelve beats at 120 a minute: a bass on each beat under a plucked melody
// going up and down the A minor chord.
std::vector<float> cdTune()
{
    const double beat = 0.5;
    const int roots[3] = {0, -4, -5};
    const int melody[12] = {12, 15, 19, 24, 8, 12, 15, 20, 7, 11, 14, 19};
    const size_t length = static_cast<size_t>(12 * beat * kRate);
    std::vector<float> s(length);
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const int b = static_cast<int>(t / beat);
        const double inBeat = std::fmod(t, beat) / beat;
        const int root = roots[b / 4];
        double v = std::sin(2 * kPi * note(root - 12) * t) * 0.35 * std::exp(-inBeat * 2);
        v += std::sin(2 * kPi * note(melody[b]) * t) * 0.3 * std::exp(-inBeat * 4);
        // The last beat fades out, so the track ends on silence.
        if (b == 11)
            v *= 1 - inBeat;
        s[i] = static_cast<float>(v);
    }
    return s;
}

bool makeDisc(const std::string& folder, bool wavTrack)
{
    const std::string disc = folder + "/cdaudio";
    std::error_code made;
    std::filesystem::create_directory(disc, made);
    if (made) {
        std::fprintf(stderr, "showcase-assetgen: %s: %s\n", disc.c_str(), made.message().c_str());
        return false;
    }
    const std::vector<float> tune = master(cdTune(), 0.13f);
    return wavTrack ? writeWav(disc + "/track01.wav", tune, kRate) : writeDiscTrack(disc, tune, kRate);
}
} // namespace

bool makeSounds(const std::string& folder, bool wavTrack)
{
    const std::string f = folder + "/";
    return writeWav(f + "SHOT.WAV", master(shot(), 0.08f), kRate) &&
           writeWav(f + "HIT.WAV", master(hit(), 0.12f), kRate) &&
           writeWav(f + "BOOM.WAV", master(boom(), 0.105f), kRate) &&
           writeWav(f + "CLICK.WAV", master(click(), 0.05f), kRate) &&
           writeWav(f + "MUSIC.WAV", master(music(), 0.30f), kRate) && makeDisc(folder, wavTrack);
}
