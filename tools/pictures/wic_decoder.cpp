// Pictures decoded by the Windows Imaging Component: the decoders Windows
// itself opens pictures with (BMP, PNG, GIF, JPEG, TIFF, ICO, and whatever
// codecs are installed), so the Windows tools need no library of their own.
// It decodes in this process: unlike SDL2_image it is not known to crash on
// damaged files, and the sizes the headers promise were checked before.
#include "picture_decoder.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <utility>

namespace {
// Holds one COM reference and releases it when it goes.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef()
    {
        if (p)
            p->Release();
    }
    Interface** put() { return &p; }
    Interface* operator->() const { return p; }
    Interface* get() const { return p; }

private:
    Interface* p = nullptr;
};

std::string failed(const std::string& format, const char* step, HRESULT result)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return "not a readable " + format + " file: the Windows Imaging Component could not " + step + " it (error " +
           code + ")";
}

// COM stays initialised for the whole run: the tools decode on their one
// thread from start to end.
bool comReady()
{
    static const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE;
}
} // namespace

const char* const kPictureFormatsRead =
    "BMP, TGA, PNG, GIF, JPEG, TIFF, and the other formats of the Windows Imaging Component";

bool decodeWithLibrary(const std::vector<uint8_t>& file, const std::string& format, Picture& picture,
                       std::string& error)
{
    if (file.size() > 0x7FFFFFFF) {
        error = "too large a file to decode";
        return false;
    }
    if (!comReady()) {
        error = "cannot start the Windows Imaging Component (COM)";
        return false;
    }
    ComRef<IWICImagingFactory> factory;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()));
    if (FAILED(result)) {
        error = "cannot start the Windows Imaging Component: " + failed(format, "open", result);
        return false;
    }
    ComRef<IWICStream> stream;
    result = factory->CreateStream(stream.put());
    if (SUCCEEDED(result))
        result = stream->InitializeFromMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size()));
    ComRef<IWICBitmapDecoder> decoder;
    if (SUCCEEDED(result))
        result = factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                  decoder.put());
    ComRef<IWICBitmapFrameDecode> frame;
    if (SUCCEEDED(result))
        result = decoder->GetFrame(0, frame.put());
    if (FAILED(result)) {
        error = failed(format, "open", result);
        return false;
    }
    // Every source format becomes blue, green, red, alpha; palettes with a
    // transparent index (PNG tRNS, GIF) come out with that alpha.
    ComRef<IWICBitmapSource> bgra;
    result = WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.get(), bgra.put());
    UINT width = 0, height = 0;
    if (SUCCEEDED(result))
        result = bgra->GetSize(&width, &height);
    if (FAILED(result)) {
        error = failed(format, "convert", result);
        return false;
    }
    if (width == 0 || height == 0 || width > 0xFFFF || height > 0xFFFF ||
        uint64_t(width) * uint64_t(height) > (uint64_t(1) << 26)) {
        error = "size " + std::to_string(width) + " x " + std::to_string(height) +
                " out of range (1 to 65535 each way, at most 67108864 pixels)";
        return false;
    }
    picture.resize(static_cast<int>(width), static_cast<int>(height));
    result = bgra->CopyPixels(nullptr, width * 4, static_cast<UINT>(picture.rgba.size()), picture.rgba.data());
    if (FAILED(result)) {
        error = failed(format, "decode", result);
        return false;
    }
    for (size_t i = 0; i < picture.rgba.size(); i += 4)
        std::swap(picture.rgba[i], picture.rgba[i + 2]);
    return true;
}
