#include "platform/shared/cd_timeline.h"

namespace vtl {

bool CdTimeline::add(uint64_t frames, uint32_t rate, uint32_t* cdFrames)
{
    // In 64 bits: a track of four billion frames at a low rate is longer
    // than 32 bits of CD frames, and a disc of many such tracks longer still.
    const uint64_t span = frames && rate ? frames * 75 / rate : 0;
    starts.push_back(length);
    if (uint64_t(length) + span > UINT32_MAX) {
        *cdFrames = 0;
        return false;
    }
    *cdFrames = uint32_t(span);
    length += uint32_t(span);
    return true;
}

size_t CdTimeline::trackAt(uint32_t cdFrame) const
{
    size_t t = 0;
    while (t + 1 < starts.size() && cdFrame >= starts[t + 1])
        ++t;
    return t;
}

bool CdTimeline::toCdFrame(DWORD format, DWORD value, uint32_t* cdFrame) const
{
    uint64_t frame;
    switch (format) {
    case MCI_FORMAT_TMSF: {
        const unsigned t = MCI_TMSF_TRACK(value);
        if (t < 1 || t > starts.size())
            return false;
        frame = starts[t - 1] +
                (uint64_t(MCI_TMSF_MINUTE(value)) * 60 + MCI_TMSF_SECOND(value)) * 75 + MCI_TMSF_FRAME(value);
        break;
    }
    case MCI_FORMAT_MSF:
        frame = (uint64_t(MCI_MSF_MINUTE(value)) * 60 + MCI_MSF_SECOND(value)) * 75 + MCI_MSF_FRAME(value);
        break;
    default:
        frame = uint64_t(value) * 75 / 1000;
        break;
    }
    if (frame > length)
        return false;
    *cdFrame = uint32_t(frame);
    return true;
}

DWORD CdTimeline::fromCdFrame(DWORD format, uint32_t cdFrame) const
{
    if (format != MCI_FORMAT_TMSF || starts.empty())
        return cdDuration(format, cdFrame);
    const size_t t = trackAt(cdFrame);
    const DWORD msf = cdDuration(format, cdFrame - starts[t]);
    return MCI_MAKE_TMSF(t + 1, MCI_MSF_MINUTE(msf), MCI_MSF_SECOND(msf), MCI_MSF_FRAME(msf));
}

DWORD cdDuration(DWORD format, uint32_t cdFrames)
{
    if (format == MCI_FORMAT_MILLISECONDS)
        return DWORD(uint64_t(cdFrames) * 1000 / 75);
    const uint32_t minutes = cdFrames / (75 * 60);
    return MCI_MAKE_MSF(minutes > 255 ? 255 : minutes, cdFrames / 75 % 60, cdFrames % 75);
}

} // namespace vtl
