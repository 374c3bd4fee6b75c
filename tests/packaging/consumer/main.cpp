// A minimal game-side program: the whole API from one include.
#include <vantrel.h>

#include <cstdio>

int main()
{
    VTLPixelFormat f{};
    if (!VTLBuildEffectTables(16, 0xF800, 0x7E0, 0x1F, &f) || f.formatCode != PF_RGB565)
        return 1;
    BITPLANEFX surface{};
    surface.bitsPerPixel = 16;
    surface.bytesPerPixel = 2;
    if (!surface.create(10, 5, false) || surface.pitch != 24)
        return 2;
    surface.release();

#ifdef CONSUMER_EMBEDS_ARCHIVE
    // The archive packed by vtlpack is linked into the program by
    // vantrel_embed_archive: the text file as it is, and the picture made
    // into a 3 x 2 RLE image by vtlsprite.
    VTLHND handle;
    if (!handle.FastFileInit(const_cast<char*>("GAMEDATA")) ||
        handle.FastFileSize(const_cast<char*>("README.TXT")) != 14)
        return 3;
    const auto* rle = static_cast<const unsigned char*>(handle.FastFileData(const_cast<char*>("DOT.RLE")));
    if (!rle || rle[0] != 3 || rle[2] != 2)
        return 4;
#endif
    std::printf("consumer ok\n");
    return 0;
}
