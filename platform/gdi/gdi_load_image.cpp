// LoadImage for .bmp files.  Icons, cursors and the images of a module's
// resources are not read here.
#include "platform/gdi/dib_image.h"
#include "platform/kernel/last_error.h"
#include "platform/kernel/path_resolver.h"
#include "platform/kernel/trace.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

using namespace vtl;

HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags)
{
    VTL_TRACE(gdi, "LoadImageA", instance, vtl::trace::Atom{name}, type, width, height, flags);
    if (!(flags & LR_LOADFROMFILE)) {
        VTL_UNSUPPORTED("LoadImage of a resource", "returns null (ERROR_RESOURCE_NAME_NOT_FOUND)");
        setError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return vtlTraceCall_.result(nullptr);
    }
    if (type != IMAGE_BITMAP) {
        VTL_UNSUPPORTED("LoadImage of icon and cursor files", "returns null");
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    if (!name || width < 0 || height < 0) {
        setError(ERROR_INVALID_PARAMETER);
        return vtlTraceCall_.result(nullptr);
    }
    const std::string path = resolveGamePath(name);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        setNotFoundError(path);
        return vtlTraceCall_.result(nullptr);
    }
    const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    BITMAPFILEHEADER header;
    if (file.size() < sizeof header) {
        setError(ERROR_INVALID_DATA);
        return vtlTraceCall_.result(nullptr);
    }
    std::memcpy(&header, file.data(), sizeof header);
    if (header.bfType != 0x4D42) { // "BM"
        setError(ERROR_INVALID_DATA);
        return vtlTraceCall_.result(nullptr);
    }
    // The rows' offset counts from the file's start; one that points inside
    // the headers is ignored, the rows then following the colour table.
    size_t bitsOffset = header.bfOffBits > sizeof header ? header.bfOffBits - sizeof header : 0;
    HBITMAP bitmap = bitmapFromDib(file.data() + sizeof header, file.size() - sizeof header, bitsOffset, width,
                                   height, flags);
    return vtlTraceCall_.result(static_cast<HANDLE>(bitmap));
}
