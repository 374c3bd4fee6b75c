// LoadImage's files (LR_LOADFROMFILE): .bmp files.  Icon and cursor files
// are not read.
#include "platform/gdi/bitmap_files.h"
#include "platform/gdi/dib_image.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/path_resolver.h"
#include "platform/kernel/trace.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

HANDLE vtl::imageFromFile(LPCSTR name, UINT type, int width, int height, UINT flags)
{
    if (type != IMAGE_BITMAP) {
        VTL_UNSUPPORTED("LoadImage of icon and cursor files", "returns null");
        setError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!name || width < 0 || height < 0) {
        setError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::string path = resolveGamePath(name);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        setNotFoundError(path);
        return nullptr;
    }
    const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    BITMAPFILEHEADER header;
    if (file.size() < sizeof header) {
        setError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::memcpy(&header, file.data(), sizeof header);
    if (header.bfType != 0x4D42) { // "BM"
        setError(ERROR_INVALID_DATA);
        return nullptr;
    }
    // The rows' offset counts from the file's start; one that points inside
    // the headers is ignored, the rows then following the colour table.
    size_t bitsOffset = header.bfOffBits > sizeof header ? header.bfOffBits - sizeof header : 0;
    HBITMAP bitmap = bitmapFromDib(file.data() + sizeof header, file.size() - sizeof header, bitsOffset, width,
                                   height, flags);
    return static_cast<HANDLE>(bitmap);
}
