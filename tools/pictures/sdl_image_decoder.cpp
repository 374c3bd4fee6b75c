#include "sdl_image_decoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {
struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;
// libpng and libjpeg print their complaints about a damaged file on
// standard error before SDL2_image gives up; the tools say what went wrong
// in one line of their own, so the decoders' lines are kept out of it.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            ::dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};
} // namespace

bool decodeWithSdlImage(const std::vector<uint8_t>& file, const std::string& format, Picture& picture,
                        std::string& error)
{
    SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    if (!source || file.size() > 0x7FFFFFFF) {
        error = "too large a file to decode";
        return false;
    }
    // Named by type, so that the decoder the bytes ask for reads them: asked
    // to guess, SDL2_image would try TGA last on anything.
    Surface decoded;
    {
        QuietStandardError quiet;
        decoded.reset(IMG_LoadTyped_RW(source, 1, format.c_str()));
    }
    if (!decoded) {
        error = "not a readable " + format + " file: " + SDL_GetError();
        return false;
    }
    // Palettes with a transparent index (PNG tRNS, GIF) arrive as a colour
    // key, which the conversion turns into alpha.
    Surface rgba(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGBA32, 0));
    if (!rgba) {
        error = std::string("cannot convert the decoded ") + format + " picture: " + SDL_GetError();
        return false;
    }
    if (rgba->w <= 0 || rgba->h <= 0 || rgba->w > 0xFFFF || rgba->h > 0xFFFF ||
        uint64_t(rgba->w) * uint64_t(rgba->h) > (uint64_t(1) << 26)) {
        error = "size " + std::to_string(rgba->w) + " x " + std::to_string(rgba->h) +
                " out of range (1 to 65535 each way, at most 67108864 pixels)";
        return false;
    }
    picture.resize(rgba->w, rgba->h);
    const size_t row = static_cast<size_t>(rgba->w) * 4;
    for (int y = 0; y < rgba->h; ++y)
        std::memcpy(picture.pixel(0, y), static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                    row);
    return true;
}
