// RLEFX::loadRle: the kept RLE file decoded as loadData decodes one, with a
// run buffer of exactly the size rule (no spare bytes) and kind 3 recorded
// once it exists.  The bytes read are bounded by fileSize and by the archive
// entry fileData lies in; a file whose runs disagree with its header is
// refused whole (rle/rle_file_decoder.h).
#include <vantrel/rlefx.h>

#include "rle/rle_file_decoder.h"
#include "rle/rle_file_source.h"

bool RLEFX::loadRle()
{
    if (runs)
        release();
    return vtl::decodeRleImage(*this, fileData, vtl::sourceBytes(*this), 0, true);
}
