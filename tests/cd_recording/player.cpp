// Writes a disc of one Ogg Vorbis track (440 Hz at amplitude 0.5 for two
// seconds, 48 kHz stereo) into FOLDER/cdaudio, plays it with CDaudio for
// three seconds on the output VANTREL_AUDIO names, and stops.
//
//   cd_recording_player FOLDER
#include <vantrel/audio.h>

#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

int fail(const char* what)
{
    std::fprintf(stderr, "cd_recording_player: %s\n", what);
    return 1;
}

bool writeTrack(const std::string& path)
{
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 2;
    info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> samples(2 * 48000 * 2);
    for (size_t i = 0; i < samples.size() / 2; ++i)
        samples[i * 2] = samples[i * 2 + 1] = float(0.5 * std::sin(2 * M_PI * 440 * double(i) / 48000));
    const bool written = sf_writef_float(file, samples.data(), 2 * 48000) == 2 * 48000;
    return sf_close(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return fail("usage: cd_recording_player FOLDER");
    const std::string disc = std::string(argv[1]) + "/cdaudio";
    mkdir(disc.c_str(), 0777);
    if (!writeTrack(disc + "/track01.ogg"))
        return fail(sf_strerror(nullptr));
    setenv("VANTREL_CDAUDIO", disc.c_str(), 1);

    CDaudio cd{};
    if (!cd.init(reinterpret_cast<HWND>(1)))
        return fail("CDaudio::init");
    if (cd.trackLength(1) != MCI_MAKE_MSF(0, 2, 0))
        return fail("the track is not two seconds long");
    if (!cd.play(1, 1))
        return fail("CDaudio::play");
    std::this_thread::sleep_for(std::chrono::seconds(3));
    cd.stop();
    mciSendCommand(cd.device, MCI_CLOSE, 0, 0);
    return 0;
}
