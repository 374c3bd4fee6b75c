// CDaudio on virtual discs whose tracks are FLAC, Ogg Vorbis, MP3 and WAV
// files written here with libsndfile.  Each track is a tone of its own pitch, so
// counting zero crossings in what the mixer plays tells which track, and
// where in it, is heard.
#include <vantrel/audio.h>

#include "support/manual_audio.h"
#include "support/message_capture.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32_t kOut = 44100; // the headless output's rate

// A tone at amplitude 0.5: `hz` until `switchAt` seconds, `laterHz` after.
struct Tone {
    int format;
    int rate;
    int channels;
    double seconds;
    double hz;
    double laterHz = 0;
    double switchAt = 1e9;
};

void writeTone(const std::string& path, const Tone& t)
{
    SF_INFO info{};
    info.samplerate = t.rate;
    info.channels = t.channels;
    info.format = t.format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const size_t frames = size_t(std::lround(t.seconds * t.rate));
    std::vector<float> samples(frames * t.channels);
    double phase = 0;
    for (size_t i = 0; i < frames; ++i) {
        const double hz = double(i) / t.rate < t.switchAt ? t.hz : t.laterHz;
        for (int c = 0; c < t.channels; ++c)
            samples[i * t.channels + c] = float(0.5 * std::sin(phase));
        phase += 2 * M_PI * hz / t.rate;
    }
    ASSERT_EQ(sf_writef_float(file, samples.data(), sf_count_t(frames)), sf_count_t(frames));
    sf_close(file);
}

const int kWav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
const int kWav24 = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
const int kFlac = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
const int kOgg = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
const int kMp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

// libsndfile writes MP3 through LAME and reads it through mpg123 only when it
// was built with both; the library then plays .mp3 tracks too.
bool writesMp3()
{
    SF_INFO info{};
    info.samplerate = 48000;
    info.channels = 1;
    info.format = kMp3;
    return sf_format_check(&info) != 0;
}

// What a stretch of the mix sounds like: its pitch from the left channel's
// zero crossings, its level, and the largest step between neighbouring
// samples (a click where two decoded windows meet shows up there).
struct Heard {
    double hz;
    double rms;
    int largestStep;
};

Heard listen(const std::vector<int16_t>& mix)
{
    const size_t frames = mix.size() / 2;
    int crossings = 0, largestStep = 0;
    double energy = 0;
    for (size_t i = 0; i < frames; ++i) {
        const int s = mix[i * 2];
        energy += double(s) * s;
        if (i > 0) {
            const int before = mix[(i - 1) * 2];
            crossings += (before < 0) != (s < 0);
            largestStep = std::max(largestStep, std::abs(s - before));
        }
    }
    return Heard{crossings * double(kOut) / 2 / double(frames), std::sqrt(energy / double(frames)), largestStep};
}

// A tone at amplitude 0.5 has an RMS of 0.5 / sqrt(2) of full scale.
const double kToneRms = 0.5 / std::sqrt(2.0) * 32768;

class CompressedDisc : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[] = "/tmp/vantrel-cdz-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        folder = dir;
        setenv("VANTREL_CDAUDIO", folder.c_str(), 1);
    }
    void TearDown() override
    {
        if (cd.device)
            VTLCdCommand(cd.device, MCI_CLOSE, 0, 0);
        for (const std::string& name : written)
            std::remove((folder + "/" + name).c_str());
        rmdir(folder.c_str());
        unsetenv("VANTREL_CDAUDIO");
    }

    void add(const std::string& name, const Tone& tone)
    {
        writeTone(folder + "/" + name, tone);
        written.push_back(name);
    }
    void addBytes(const std::string& name, const std::string& bytes)
    {
        std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
        written.push_back(name);
    }

    Heard hear(double seconds) { return listen(audio.pull(uint32_t(seconds * kOut))); }
    void skip(double seconds) { audio.pull(uint32_t(seconds * kOut)); }
    void playFrom(DWORD position)
    {
        MCI_PLAY_PARMS p{};
        p.dwFrom = position;
        ASSERT_EQ(VTLCdCommand(cd.device, MCI_PLAY, MCI_FROM, DWORD_PTR(&p)), 0u);
        cd.playing = 1;
    }
    DWORD status(DWORD item, DWORD track = 0)
    {
        MCI_STATUS_PARMS s{};
        s.dwItem = item;
        s.dwTrack = track;
        EXPECT_EQ(VTLCdCommand(cd.device, MCI_STATUS, MCI_STATUS_ITEM | (track ? MCI_TRACK : 0), DWORD_PTR(&s)),
                  0u);
        return DWORD(s.dwReturn);
    }
    void timeFormat(DWORD format)
    {
        MCI_SET_PARMS set{};
        set.dwTimeFormat = format;
        ASSERT_EQ(VTLCdCommand(cd.device, MCI_SET, MCI_SET_TIME_FORMAT, DWORD_PTR(&set)), 0u);
    }

    // A mixed disc: a WAV the mixer plays as it is, FLAC, Ogg Vorbis at a
    // rate that is resampled (800 Hz for 2 s, then 1600 Hz), and a 24-bit
    // WAV that goes through the decoder.
    void mixedDisc()
    {
        add("track01.wav", Tone{kWav16, 22050, 1, 2.0, 300});
        add("track02.flac", Tone{kFlac, 44100, 2, 3.0, 600});
        add("track03.ogg", Tone{kOgg, 48000, 1, 4.5, 800, 1600, 2.0});
        add("track04.wav", Tone{kWav24, 32000, 2, 1.0, 2000});
    }

    ManualAudio audio;
    std::string folder;
    std::vector<std::string> written;
    CDaudio cd{};
};

void expectTone(const Heard& h, double hz)
{
    EXPECT_NEAR(h.hz, hz, hz * 0.05);
    EXPECT_NEAR(h.rms, kToneRms, kToneRms * 0.1);
}

} // namespace

TEST_F(CompressedDisc, EveryFormatTakesItsPlaceWithItsLength)
{
    mixedDisc();
    MessageCapture messages;
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    EXPECT_TRUE(messages.messages().empty()) << messages.text();
    EXPECT_EQ(cd.numberOfTracks(), 4u);
    EXPECT_EQ(cd.trackLength(1), DWORD(MCI_MAKE_MSF(0, 2, 0)));
    EXPECT_EQ(cd.trackLength(2), DWORD(MCI_MAKE_MSF(0, 3, 0)));
    EXPECT_EQ(cd.trackLength(3), DWORD(MCI_MAKE_MSF(0, 4, 37))); // 4.5 s: 337.5 frames
    EXPECT_EQ(cd.trackLength(4), DWORD(MCI_MAKE_MSF(0, 1, 0)));
    EXPECT_EQ(status(MCI_STATUS_POSITION, 3), DWORD(MCI_MAKE_TMSF(3, 0, 0, 0)));
    EXPECT_EQ(status(MCI_STATUS_POSITION, 4), DWORD(MCI_MAKE_TMSF(4, 0, 0, 0)));
    timeFormat(MCI_FORMAT_MSF);
    EXPECT_EQ(status(MCI_STATUS_POSITION, 3), DWORD(MCI_MAKE_MSF(0, 5, 0)));
    EXPECT_EQ(status(MCI_STATUS_POSITION, 4), DWORD(MCI_MAKE_MSF(0, 9, 37)));
    EXPECT_EQ(status(MCI_STATUS_LENGTH), DWORD(MCI_MAKE_MSF(0, 10, 37)));
}

TEST_F(CompressedDisc, PlaysOnFromTrackToTrackAcrossFormatsWithoutClicks)
{
    mixedDisc();
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    ASSERT_TRUE(cd.play(1, 1));
    expectTone(hear(1.9), 300);
    skip(0.2);
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 0, 7)));
    // Several decoded windows of FLAC at the output's rate: a sine whose
    // steps never exceed its slope (2 pi 600 / 44100 of 16384 is 1400).
    Heard flac = hear(2.7);
    expectTone(flac, 600);
    EXPECT_LT(flac.largestStep, 1600);
    skip(0.3);
    EXPECT_EQ(MCI_TMSF_TRACK(cd.position()), 3);
    // Ogg at 48 kHz, resampled window by window (slope 2 pi 800 / 44100).
    Heard ogg = hear(1.8);
    expectTone(ogg, 800);
    EXPECT_LT(ogg.largestStep, 2100);
    skip(0.4);
    expectTone(hear(2.0), 1600);
    skip(0.3);
    EXPECT_EQ(MCI_TMSF_TRACK(cd.position()), 4);
    expectTone(hear(0.7), 2000);
    skip(0.3);
    EXPECT_EQ(hear(0.1).rms, 0); // the end of the disc
    EXPECT_EQ(status(MCI_STATUS_MODE), DWORD(MCI_MODE_STOP));
}

TEST_F(CompressedDisc, PlaysFromAPositionInsideACompressedTrack)
{
    mixedDisc();
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    playFrom(MCI_MAKE_TMSF(3, 0, 3, 0)); // past the change of pitch
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 3, 0)));
    expectTone(hear(1.0), 1600);
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 4, 0)));
    playFrom(MCI_MAKE_TMSF(3, 0, 1, 0)); // back, before it
    expectTone(hear(0.9), 800);
    skip(0.2);
    expectTone(hear(0.5), 1600);

    // A position in disc time lands in the track it falls in.
    timeFormat(MCI_FORMAT_MSF);
    MCI_PLAY_PARMS p{};
    p.dwFrom = MCI_MAKE_MSF(0, 2, 50); // 0:50 into track 2
    ASSERT_EQ(VTLCdCommand(cd.device, MCI_PLAY, MCI_FROM, DWORD_PTR(&p)), 0u);
    timeFormat(MCI_FORMAT_TMSF);
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 0, 50)));
    expectTone(hear(0.3), 600);

    // Pause and resume keep the place inside the Ogg track.
    playFrom(MCI_MAKE_TMSF(3, 0, 1, 0));
    skip(0.5);
    ASSERT_TRUE(cd.pause());
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(3, 0, 1, 37)));
    EXPECT_EQ(hear(0.1).rms, 0);
    ASSERT_TRUE(cd.resume());
    expectTone(hear(0.3), 800);
}

TEST_F(CompressedDisc, AnUnreadableTrackIsReportedOnceAndSkipped)
{
    add("track01.flac", Tone{kFlac, 44100, 1, 1.0, 600});
    addBytes("track02.ogg", std::string(5000, '\x5a'));
    add("track03.ogg", Tone{kOgg, 44100, 2, 1.0, 1200});
    MessageCapture messages;
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    ASSERT_EQ(messages.messages().size(), 1u) << messages.text();
    const std::string& line = messages.messages()[0];
    EXPECT_NE(line.find("track02.ogg"), std::string::npos) << line;
    EXPECT_NE(line.find("skipped"), std::string::npos) << line;
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");

    // It keeps its number, with no length: track 3 is still track 3.
    EXPECT_EQ(cd.numberOfTracks(), 3u);
    EXPECT_EQ(cd.trackLength(2), 0u);
    EXPECT_EQ(status(MCI_STATUS_POSITION, 3), DWORD(MCI_MAKE_TMSF(3, 0, 0, 0)));
    ASSERT_TRUE(cd.play(1, 1));
    expectTone(hear(0.9), 600);
    skip(0.15);
    EXPECT_EQ(MCI_TMSF_TRACK(cd.position()), 3);
    expectTone(hear(0.8), 1200);
    ASSERT_TRUE(cd.play(3, 0));
    expectTone(hear(0.5), 1200);
    EXPECT_EQ(messages.messages().size(), 1u) << messages.text();
}

// Everything written to standard error (file descriptor 2) while it lives.
class StandardErrorCapture {
public:
    StandardErrorCapture()
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        std::FILE* file = std::tmpfile();
        file_ = file;
        ::dup2(::fileno(file), 2);
    }
    ~StandardErrorCapture() { restore(); }
    std::string text()
    {
        restore();
        std::rewind(file_);
        std::string all;
        for (int c; (c = std::fgetc(file_)) != EOF;)
            all += char(c);
        return all;
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
    }
    int saved_ = -1;
    std::FILE* file_ = nullptr;
};

// An Ogg cut inside its headers and an MP3 of noise are reported and
// skipped, and the decoders write nothing to standard error: libmpg123 would
// print a line for each stretch of noise it resyncs over, and the library's
// own output there is its debug messages alone.  (Under the sanitizers the
// cut Ogg also shows libvorbis's leak on a failed open, suppressed in
// lsan_suppressions.cpp.)
TEST_F(CompressedDisc, MalformedFilesAreSkippedWithoutANoiseOnStandardError)
{
    add("track01.flac", Tone{kFlac, 44100, 1, 1.0, 600});
    add("track02.ogg", Tone{kOgg, 44100, 1, 1.0, 900});
    ASSERT_EQ(truncate((folder + "/track02.ogg").c_str(), 3000), 0);
    std::string last = "track03.ogg";
    if (writesMp3()) {
        std::mt19937 noise(7);
        std::string junk(20000, '\0');
        for (char& c : junk)
            c = char(noise());
        addBytes("track03.mp3", junk);
        last = "track04.ogg";
    }
    add(last, Tone{kOgg, 44100, 1, 1.0, 1200});

    MessageCapture messages;
    StandardErrorCapture standardError;
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    ASSERT_TRUE(cd.play(1, 1));
    expectTone(hear(0.9), 600);
    skip(0.15);
    expectTone(hear(0.8), 1200);
    EXPECT_EQ(standardError.text(), "");
    EXPECT_EQ(cd.numberOfTracks(), writesMp3() ? 4u : 3u);
    ASSERT_EQ(messages.messages().size(), writesMp3() ? 2u : 1u) << messages.text();
    EXPECT_NE(messages.messages()[0].find("track02.ogg"), std::string::npos) << messages.text();
    EXPECT_NE(messages.messages()[0].find("skipped"), std::string::npos) << messages.text();
    if (writesMp3()) {
        EXPECT_NE(messages.messages()[1].find("track03.mp3 cannot be read (no MPEG audio frames): skipped"),
                  std::string::npos)
            << messages.text();
    }
}

TEST_F(CompressedDisc, ATrackCutShortPlaysItsLengthWithSilenceWhereDataIsMissing)
{
    add("track01.flac", Tone{kFlac, 44100, 1, 4.0, 600});
    add("track02.ogg", Tone{kOgg, 44100, 1, 1.0, 1200});
    // The header still says four seconds; the sound stops after about one.
    const std::string path = folder + "/track01.flac";
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const long size = long(in.tellg());
    ASSERT_EQ(truncate(path.c_str(), size / 4), 0);

    MessageCapture messages;
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    EXPECT_TRUE(messages.messages().empty()) << messages.text();
    EXPECT_EQ(cd.trackLength(1), DWORD(MCI_MAKE_MSF(0, 4, 0)));
    ASSERT_TRUE(cd.play(1, 1));
    expectTone(hear(0.5), 600);
    skip(1.0);
    EXPECT_EQ(hear(1.5).rms, 0);
    EXPECT_EQ(MCI_TMSF_TRACK(cd.position()), 1);
    skip(1.1);
    expectTone(hear(0.5), 1200); // the next track in its place
    // Reported by the device's next request, once.
    cd.position();
    cd.position();
    ASSERT_EQ(messages.messages().size(), 1u) << messages.text();
    EXPECT_NE(messages.messages()[0].find("track01.flac"), std::string::npos) << messages.text();
}

// An MP3 encoder puts silence before the sound (its delay) and after it (to
// fill its last frame of 1152 samples); a decoder that reads the encoder's
// gapless tag takes both away, one that does not (or a file without the tag)
// leaves them in.  Together they stay below two MPEG frames, 2304 samples:
// under 4 CD frames at 48 kHz.  The MP3 track's length, and with it the
// place of every track after it, is judged within that.
constexpr int kMp3SlackCdFrames = 4;

int cdFrames(DWORD msf) { return (MCI_MSF_MINUTE(msf) * 60 + MCI_MSF_SECOND(msf)) * 75 + MCI_MSF_FRAME(msf); }

TEST_F(CompressedDisc, AnMp3TrackTakesItsPlaceOnAMixedDiscAndPlaysFromAPosition)
{
    if (!writesMp3())
        GTEST_SKIP() << "this libsndfile cannot write MP3 (it was built without LAME or mpg123), so there is no "
                        "MP3 track to play";
    // MP3 at 48 kHz mono, resampled and spread to both sides: 1000 Hz for
    // 1.5 s, then 2000 Hz.
    add("track01.flac", Tone{kFlac, 44100, 2, 1.0, 600});
    add("track02.mp3", Tone{kMp3, 48000, 1, 3.0, 1000, 2000, 1.5});
    add("track03.ogg", Tone{kOgg, 44100, 1, 1.0, 1200});
    MessageCapture messages;
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    EXPECT_TRUE(messages.messages().empty()) << messages.text();
    ASSERT_EQ(cd.numberOfTracks(), 3u);
    const int mp3 = cdFrames(cd.trackLength(2));
    EXPECT_NEAR(mp3, 3 * 75, kMp3SlackCdFrames);
    timeFormat(MCI_FORMAT_MSF);
    EXPECT_EQ(cdFrames(status(MCI_STATUS_POSITION, 3)), 75 + mp3);
    EXPECT_EQ(cdFrames(status(MCI_STATUS_LENGTH)), 75 + mp3 + 75);
    timeFormat(MCI_FORMAT_TMSF);

    // From a position past the change of pitch: the position is the one
    // asked for, and it moves with what is mixed.
    // asked for, and it moves with what is mixed.  The sound starts at once:
    // a decoder seeking into an MP3 gives silence until it has the frames
    // before its place.
    playFrom(MCI_MAKE_TMSF(2, 0, 2, 0));
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 2, 0)));
    expectTone(hear(0.02), 2000);
    expectTone(hear(0.48), 2000);
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 2, 37)));
    playFrom(MCI_MAKE_TMSF(2, 0, 0, 20)); // back, before it
    expectTone(hear(1.0), 1000);

    // Played on from the first track: FLAC, into the MP3, into the Ogg, all
    // three removed from the folder by now (each track holds its file open).
    for (const char* name : {"track01.flac", "track02.mp3", "track03.ogg"})
        ASSERT_EQ(std::remove((folder + "/" + name).c_str()), 0);
    ASSERT_TRUE(cd.play(1, 1));
    expectTone(hear(0.9), 600);
    skip(0.2);
    EXPECT_EQ(MCI_TMSF_TRACK(cd.position()), 2);
    expectTone(hear(1.2), 1000);
    skip(0.3);
    expectTone(hear(0.9), 2000);
    skip(0.6);
    EXPECT_EQ(MCI_TMSF_TRACK(cd.position()), 3);
    expectTone(hear(0.6), 1200);
    skip(0.4);
    EXPECT_EQ(hear(0.1).rms, 0);
    EXPECT_EQ(status(MCI_STATUS_MODE), DWORD(MCI_MODE_STOP));
    EXPECT_TRUE(messages.messages().empty()) << messages.text();
}

// An hour at 48 kHz is 172.8 million frames, 270000 CD frames: positions in
// frames, in 32.32 mixing positions and in milliseconds all have to carry
// it.  The track is a 24-bit mono WAV (read through the decoder) whose hour
// of silence is a hole in a sparse file, but for a 1000 Hz tone in its last
// two seconds.
void writeHourLongWave(const std::string& path)
{
    const uint32_t rate = 48000, frames = 3600 * rate, dataBytes = frames * 3;
    auto le = [](std::string& out, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += char((v >> (8 * i)) & 0xFF);
    };
    std::string header = "RIFF";
    le(header, 36 + dataBytes, 4);
    header += "WAVEfmt ";
    le(header, 16, 4);
    le(header, 1, 2); // PCM
    le(header, 1, 2); // mono
    le(header, rate, 4);
    le(header, rate * 3, 4);
    le(header, 3, 2);
    le(header, 24, 2);
    header += "data";
    le(header, dataBytes, 4);
    std::string tone;
    const uint32_t toneFrames = 2 * rate;
    for (uint32_t i = 0; i < toneFrames; ++i)
        le(tone, uint32_t(int32_t(std::lround(0.5 * 8388607 * std::sin(2 * M_PI * 1000 * i / rate)))), 3);
    std::fstream out(path, std::ios::binary | std::ios::out | std::ios::trunc);
    out << header;
    out.seekp(std::streamoff(header.size()) + std::streamoff(frames - toneFrames) * 3);
    out << tone;
    ASSERT_TRUE(out.good());
}

TEST_F(CompressedDisc, AnHourLongTrackKeepsItsPositionsToItsLastSecond)
{
    writeHourLongWave(folder + "/track01.wav");
    written.push_back("track01.wav");
    add("track02.ogg", Tone{kOgg, 44100, 1, 1.0, 1200});
    MessageCapture messages;
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    EXPECT_TRUE(messages.messages().empty()) << messages.text();
    EXPECT_EQ(cd.trackLength(1), DWORD(MCI_MAKE_MSF(60, 0, 0)));
    timeFormat(MCI_FORMAT_MILLISECONDS);
    EXPECT_EQ(status(MCI_STATUS_POSITION, 2), 3600000u);
    EXPECT_EQ(status(MCI_STATUS_LENGTH), 3601000u);
    timeFormat(MCI_FORMAT_TMSF);

    playFrom(MCI_MAKE_TMSF(1, 59, 58, 0));
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(1, 59, 58, 0)));
    expectTone(hear(1.0), 1000);
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(1, 59, 59, 0)));
    expectTone(hear(0.9), 1000);
    skip(0.2);
    EXPECT_EQ(cd.position(), DWORD(MCI_MAKE_TMSF(2, 0, 0, 7)));
    expectTone(hear(0.5), 1200);

    // The same place in milliseconds, which the device keeps in whole CD
    // frames: 3598.5 s is frame 269887, and half a second later 269924.
    timeFormat(MCI_FORMAT_MILLISECONDS);
    MCI_PLAY_PARMS p{};
    p.dwFrom = 3598500;
    ASSERT_EQ(VTLCdCommand(cd.device, MCI_PLAY, MCI_FROM, DWORD_PTR(&p)), 0u);
    EXPECT_EQ(status(MCI_STATUS_POSITION), 269887u * 1000 / 75);
    skip(0.5);
    EXPECT_EQ(status(MCI_STATUS_POSITION), 269924u * 1000 / 75);
    timeFormat(MCI_FORMAT_TMSF);
    expectTone(hear(0.5), 1000);
}

// The game's requests and the mixer meet at the decoder's window: plays from
// positions, seeks, pauses and status requests from the game thread while a
// second thread mixes as the sound output's would (the sanitizer build with
// threads checks the sharing).  Every position the device gives is on the
// disc, and the last play is heard where it was asked for.
TEST_F(CompressedDisc, RequestsFromTheGameWhileTheMixerPlaysOn)
{
    mixedDisc();
    ASSERT_TRUE(cd.init(reinterpret_cast<HWND>(1)));
    timeFormat(MCI_FORMAT_MSF);
    const DWORD length = status(MCI_STATUS_LENGTH);
    std::atomic<bool> done{false};
    std::thread mixer([&] {
        while (!done)
            audio.pull(256);
    });
    for (int i = 0; i < 300; ++i) {
        const DWORD at = MCI_MAKE_MSF(0, i % 10, (i * 7) % 75);
        MCI_PLAY_PARMS p{};
        p.dwFrom = at;
        VTLCdCommand(cd.device, MCI_PLAY, MCI_FROM, DWORD_PTR(&p));
        if (i % 5 == 1) {
            MCI_SEEK_PARMS seek{};
            seek.dwTo = MCI_MAKE_MSF(0, (i + 3) % 10, 0);
            VTLCdCommand(cd.device, MCI_SEEK, MCI_TO, DWORD_PTR(&seek));
        }
        if (i % 7 == 2) {
            VTLCdCommand(cd.device, MCI_PAUSE, 0, 0);
            VTLCdCommand(cd.device, MCI_RESUME, 0, 0);
        }
        EXPECT_LE(cdFrames(status(MCI_STATUS_POSITION)), cdFrames(length));
        status(MCI_STATUS_MODE);
        status(MCI_STATUS_CURRENT_TRACK);
    }
    done = true;
    mixer.join();
    timeFormat(MCI_FORMAT_TMSF);
    playFrom(MCI_MAKE_TMSF(3, 0, 3, 0));
    expectTone(hear(0.5), 1600);
}
