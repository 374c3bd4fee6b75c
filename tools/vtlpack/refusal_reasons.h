// Why the library's loaders refuse a file, in words a game developer can act
// on.  The library's own messages are fixed texts ("Failed to load",
// "SOUNDBUFFER::load() - Create buffer.") that name neither the file nor the
// cause; these functions read the file against the rules each loader
// applies and name the first rule it breaks, with what to do about it.
//
// They explain; they do not decide: `vtlpack verify` runs the library's
// loaders themselves and asks for a reason only when one refuses.
#ifndef VANTREL_TOOLS_VTLPACK_REFUSAL_REASONS_H
#define VANTREL_TOOLS_VTLPACK_REFUSAL_REASONS_H

#include <cstddef>
#include <string>

namespace vtlpack {
enum class Loader {
    Surface,  // BITPLANEFX from a BMP or TGA
    RleImage, // RLEFX (and ANIMATIONFX::bltBmp/bltTga) from a BMP, TGA or RLE
    AlphaMap, // ALPHAFX from a BMP
    FrameSet, // ANIMATIONFX from an RLA
    Sound,    // SOUNDBUFFER from a WAV
};

enum class FileKind { Bmp, Tga, Rle, Rla, Wav };

// The first rule of `loader` that the file breaks on a display of
// `displayBits` bits per pixel (which matters for RLE and RLA files only);
// empty when it breaks none.
std::string refusalReason(Loader loader, FileKind kind, const unsigned char* data, size_t size,
                          unsigned displayBits);

// What the library does with a file it accepts but that will not look as
// its author meant (a TGA stored top row first, a TGA type with no pixels
// the library reads); empty when there is nothing to say.
std::string acceptedButNote(Loader loader, FileKind kind, const unsigned char* data, size_t size);
} // namespace vtlpack

#endif
