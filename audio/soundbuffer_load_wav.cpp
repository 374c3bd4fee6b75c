// SOUNDBUFFER::loadWav: a WAV entry of the owner's resource archive.
#include <vantrel/audio.h>
#include <vantrel/core.h>
#include <vantrel/fastfile.h>

#include <vantrel/seam/riff_wave.h>

bool SOUNDBUFFER::loadWav(const char* fileName)
{
    if (!release()) {
        Msg("SOUNDBUFFER::load() - Release failed.");
        return false;
    }
    FastFile file{};
    if (!file.open(owner, const_cast<char*>(fileName)))
        return false;
    auto* bytes = static_cast<unsigned char*>(file.lock(0, 0));
    if (!bytes) {
        Msg("SOUNDBUFFER::loadWav - file not found %s", fileName);
        file.close();
        return false;
    }
    WAVEFORMATEX* format;
    unsigned char* data;
    DWORD size;
    if (!vtl::readRiffWave(bytes, file.fSize(), &format, &data, &size)) {
        file.unlock(0, 0);
        file.close();
        return false;
    }
    buffer = SOUND::make(size, format);
    if (!buffer) {
        Msg("SOUNDBUFFER::load() - Create buffer.");
        file.unlock(0, 0);
        file.close();
        return false;
    }
    if (!memread(reinterpret_cast<char*>(data), size)) {
        Msg("SOUNDBUFFER::load() - Write the data.");
        release();
        file.unlock(0, 0);
        file.close();
        return false;
    }
    // The sound now lives in the buffer: the entry need not stay locked.
    file.unlock(0, 0);
    file.close();
    return true;
}
