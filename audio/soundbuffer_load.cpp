// SOUNDBUFFER::load: a PCM WAV file from disk, read with the mmio functions.
#include <vantrel/audio.h>
#include <vantrel/core.h>

bool SOUNDBUFFER::load(const char* fileName)
{
    if (!release()) {
        Msg("SOUNDBUFFER::load() - Release failed.");
        return false;
    }
    if (!fileName) {
        Msg("SOUNDBUFFER::load() - Null filename.");
        return false;
    }
    HMMIO file = mmioOpen(const_cast<LPSTR>(fileName), nullptr, MMIO_ALLOCBUF);
    if (!file) {
        Msg("SOUNDBUFFER::load() - mmioOpen.");
        return false;
    }
    MMCKINFO riff{}, chunk{};
    WAVEFORMATEX format{};
    const char* failure = nullptr;
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != 0)
        failure = "SOUNDBUFFER::load() - Descend to wave.";
    // The format chunk is expected first: the next chunk is taken as it is.
    else if (mmioDescend(file, &chunk, &riff, 0) != 0)
        failure = "SOUNDBUFFER::load() - Descend to fmt.";
    else if (mmioRead(file, reinterpret_cast<HPSTR>(&format), sizeof format) < LONG(sizeof format))
        failure = "SOUNDBUFFER::load() - Read wave format.";
    else if (format.wFormatTag != WAVE_FORMAT_PCM)
        failure = "SOUNDBUFFER::load() - Wrong wave format.";
    else if (mmioAscend(file, &chunk, 0) != 0)
        failure = "DXSB::loadWave() - Ascend from fmt.";
    else {
        chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
        if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != 0)
            failure = "SOUNDBUFFER::load() - Descend to data.";
    }
    if (failure) {
        Msg("%s", failure);
        mmioClose(file, 0);
        return false;
    }
    // A 16-byte format chunk lends its follower's first bytes to cbSize,
    // which PCM ignores.
    buffer = SOUND::make(chunk.cksize, &format);
    if (!buffer) {
        Msg("SOUNDBUFFER::load() - Create buffer.");
    } else if (!write(file, chunk.cksize)) {
        Msg("SOUNDBUFFER::load() - Write the data.");
        release();
    }
    mmioClose(file, 0);
    return buffer != nullptr;
}
