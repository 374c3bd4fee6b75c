// The in-memory RIFF WAVE reader: sound buffers and streams loaded from the
// archive and the tracks of the virtual CD use it.
#ifndef VANTREL_SEAM_RIFF_WAVE_H
#define VANTREL_SEAM_RIFF_WAVE_H

#include <vantrel/win32/mmsystem.h>

namespace vtl {

// Finds the format chunk and the data chunk of a RIFF WAVE image of
// `available` bytes.  Each output that is given is cleared first; the reader
// succeeds as soon as every output asked for is found.  Chunks may come in
// any order; the format tag is not checked.  It fails on a missing "RIFF" or
// "WAVE", a RIFF size of 4 or less, a format chunk shorter than 14 bytes, a
// chunk header past the end, or a chunk asked for that is not there.  The
// walk ends at 8 + the RIFF size or at `available`, whichever is first; a
// data chunk claiming more bytes than remain is cut to what is there.
bool readRiffWave(const unsigned char* bytes, DWORD available, WAVEFORMATEX** format, unsigned char** data,
                  DWORD* dataSize);

} // namespace vtl

#endif
