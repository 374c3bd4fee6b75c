// The display's colour packing.
#include <vantrel/vtlhnd.h>

unsigned long VTLHND::packColor(unsigned char red, unsigned char green, unsigned char blue)
{
    return VTLPackColor(bitsPerPixel, formatCode, red, green, blue);
}

void VTLHND::unpackColor(unsigned long pixel, unsigned char* red, unsigned char* green, unsigned char* blue)
{
    VTLUnpackColor(bitsPerPixel, formatCode, pixel, red, green, blue);
}
