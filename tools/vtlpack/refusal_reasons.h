// Why the library's loaders refuse a file, in words a game developer can act
// on.  The library's own messages are fixed texts ("Failed to load",
// "SOUNDBUFFER::load() - Create buffer.") that name neither the file nor the
// cause; the library's readers name the first rule a file breaks (a refusal
// code and its numbers) and these functions word it, with what to do about
// it.
//
// They explain; they do not decide: `vtlpack verify` runs the library's
// loaders themselves and asks for a reason only when one refuses.
#ifndef VANTREL_TOOLS_VTLPACK_REFUSAL_REASONS_H
#define VANTREL_TOOLS_VTLPACK_REFUSAL_REASONS_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "anim/rla_format.h"
#include "archive/archive_directory.h"
#include "rle/rle_file_decoder.h"
#include "surface/image_bmp_reader.h"
#include "surface/image_tga_reader.h"

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

// The words for a reader's refusal code, empty for Ok.  An RLE file's
// words depend on the display's depth, which sizes its run buffer; an
// archive's name its length.
std::string explain(const vtl::BmpCheck& check);
std::string explain(const vtl::TgaCheck& check);
std::string explain(const vtl::RleCheck& check, unsigned displayBits);
std::string explain(const vtl::rla::RlaCheck& check, unsigned displayBits);
std::string explain(const vtl::DirectoryCheck& check, uint64_t length);

// What the library does with a file it accepts but that will not look as
// its author meant (a TGA stored top row first, a TGA type with no pixels
// the library reads); empty when there is nothing to say.
std::string acceptedButNote(Loader loader, FileKind kind, const unsigned char* data, size_t size);
} // namespace vtlpack

#endif
