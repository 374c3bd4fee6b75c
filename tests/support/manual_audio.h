// Runs the sound output on the test's own clock: while one of these exists,
// a new sound output is headless and mixes only when pull() is called, so
// tests see exactly what was mixed and when.
#ifndef VANTREL_TESTS_MANUAL_AUDIO_H
#define VANTREL_TESTS_MANUAL_AUDIO_H

#include <cstdint>
#include <memory>
#include <vector>

namespace vtl {
class AudioEngine;
}

class ManualAudio {
public:
    ManualAudio();
    ~ManualAudio();
    // Mixes `frames` stereo frames at the output rate (44100).
    std::vector<int16_t> pull(uint32_t frames);
    // Frames the output mixes per call in real time.
    uint32_t period() const;

private:
    std::shared_ptr<vtl::AudioEngine> engine_;
};

#endif
