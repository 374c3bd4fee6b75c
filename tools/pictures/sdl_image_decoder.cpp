// SDL2_image runs in a child process: its decoders are well kept, but the
// one Debian 12 ships (2.6.3) still crashes on some damaged files (a GIF
// whose image data lies frees memory it never allocated).  A crash there
// must end as one line naming the file, like every other refusal, not take
// the tool down; so the child decodes and sends the pixels back through a
// pipe, and a child that dies is a refusal.
#include "picture_decoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
struct Reply {
    int32_t ok;
    int32_t width;
    int32_t height;
    uint32_t errorLength;
};

// Moves all `size` bytes through `io` (read or write) across short
// transfers and signals; false when the other end is gone.
template <typename Byte, typename Io>
bool transferAll(Io io, int fd, Byte* at, size_t size)
{
    while (size > 0) {
        const ssize_t n = io(fd, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool writeAll(int fd, const void* data, size_t size)
{
    return transferAll(::write, fd, static_cast<const char*>(data), size);
}

bool readAll(int fd, void* data, size_t size)
{
    return transferAll(::read, fd, static_cast<char*>(data), size);
}

// In the child: decode, and send the reply, the error and the pixels.
[[noreturn]] void decodeInChild(const std::vector<uint8_t>& file, const std::string& format, int out)
{
    // libpng and libjpeg print their complaints about a damaged file on
    // standard error; the tools say what went wrong in one line of their own.
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null >= 0)
        ::dup2(null, STDERR_FILENO);
    Reply reply{0, 0, 0, 0};
    std::string error;
    SDL_Surface* rgba = nullptr;
    SDL_RWops* source = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    // Named by type, so that the decoder the bytes ask for reads them: asked
    // to guess, SDL2_image would try TGA last on anything.
    SDL_Surface* decoded = source ? IMG_LoadTyped_RW(source, 1, format.c_str()) : nullptr;
    if (!decoded) {
        error = "not a readable " + format + " file: " + SDL_GetError();
    } else {
        // Palettes with a transparent index (PNG tRNS, GIF) arrive as a
        // colour key, which the conversion turns into alpha.
        rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
        if (!rgba)
            error = "cannot convert the decoded " + format + " picture: " + SDL_GetError();
    }
    if (rgba) {
        reply.ok = 1;
        reply.width = rgba->w;
        reply.height = rgba->h;
    }
    reply.errorLength = static_cast<uint32_t>(error.size());
    bool sent = writeAll(out, &reply, sizeof reply) && writeAll(out, error.data(), error.size());
    for (int y = 0; sent && rgba && y < rgba->h; ++y)
        sent = writeAll(out, static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch,
                        static_cast<size_t>(rgba->w) * 4);
    ::_exit(sent ? 0 : 1);
}
} // namespace

const char* const kPictureFormatsRead = "BMP, TGA, PNG, GIF, PCX, JPEG, and the other formats of SDL2_image";

bool decodeWithLibrary(const std::vector<uint8_t>& file, const std::string& format, Picture& picture,
                       std::string& error)
{
    if (file.size() > 0x7FFFFFFF) {
        error = "too large a file to decode";
        return false;
    }
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0) {
        error = std::string("cannot start the decoder: ") + std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::string("cannot start the decoder: ") + std::strerror(errno);
        ::close(channel[0]);
        ::close(channel[1]);
        return false;
    }
    if (child == 0) {
        ::close(channel[0]);
        decodeInChild(file, format, channel[1]);
    }
    ::close(channel[1]);
    Reply reply{};
    bool replied = readAll(channel[0], &reply, sizeof reply) && reply.errorLength < 4096;
    if (replied) {
        error.resize(reply.errorLength);
        replied = readAll(channel[0], &error[0], error.size());
    }
    bool sizeRefused = false, received = false;
    if (replied && reply.ok) {
        sizeRefused = reply.width <= 0 || reply.height <= 0 || reply.width > 0xFFFF || reply.height > 0xFFFF ||
                      uint64_t(reply.width) * uint64_t(reply.height) > (uint64_t(1) << 26);
        if (sizeRefused) {
            error = "size " + std::to_string(reply.width) + " x " + std::to_string(reply.height) +
                    " out of range (1 to 65535 each way, at most 67108864 pixels)";
        } else {
            picture.resize(reply.width, reply.height);
            received = readAll(channel[0], picture.rgba.data(), picture.rgba.size());
        }
    }
    ::close(channel[0]); // a child still writing stops here
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (sizeRefused || (replied && !reply.ok))
        return false;
    if (received && WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    error = "not a readable " + format + " file: its decoder (SDL2_image) failed on it" +
            (WIFSIGNALED(status) ? " with signal " + std::to_string(WTERMSIG(status)) : std::string()) +
            " (the file is damaged)";
    return false;
}
