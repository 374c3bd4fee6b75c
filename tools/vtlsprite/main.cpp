// vtlsprite: pictures into the library's run-length files.
//
//   vtlsprite rle [--key RRGGBB|topleft|alpha|none] PICTURE OUT.RLE
//   vtlsprite rla [--key ...] [--strip COUNT] OUT.RLA FRAME...
//       FRAME is ACTION:DIRECTION:PICTURE or --list FILE (lines
//       "ACTION DIRECTION PICTURE"); frames go into the file in the order given.
//       With --strip, each picture is an animation strip: COUNT frames of
//       equal width side by side, taken left to right.
//   vtlsprite info FILE...
//
// Pictures are any the tools read (../pictures: BMP, TGA, PNG, GIF, PCX,
// JPEG...), chosen by their bytes, not their names.  By default a
// picture with alpha keeps it (0 transparent, 255 opaque, between: level
// pixels) and one without takes its top-left pixel's colour as transparent.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "file_info.h"
#include "frame_list.h"
#include "picture.h"
#include "rla_writer.h"
#include "rle_encoder.h"

namespace {
constexpr const char* kUsage =
    "usage: vtlsprite rle [--key RRGGBB|topleft|alpha|none] PICTURE OUT.RLE\n"
    "       vtlsprite rla [--key RRGGBB|topleft|alpha|none] [--strip COUNT] OUT.RLA FRAME...\n"
    "             FRAME: ACTION:DIRECTION:PICTURE, or --list FILE of lines \"ACTION DIRECTION PICTURE\"\n"
    "             --strip: each picture holds COUNT frames of equal width, left to right\n"
    "       vtlsprite info FILE...\n";

int fail(const std::string& message)
{
    std::cerr << "vtlsprite: " << message << "\n";
    return 1;
}

bool parseKey(const std::string& text, Transparency& rule)
{
    if (text == "alpha")
        rule.mode = Transparency::Alpha;
    else if (text == "topleft")
        rule.mode = Transparency::TopLeft;
    else if (text == "none")
        rule.mode = Transparency::None;
    else if (text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos) {
        rule.mode = Transparency::Key;
        rule.key = static_cast<uint32_t>(std::stoul(text, nullptr, 16));
    } else
        return false;
    return true;
}

// Takes a leading --key option off the arguments.
bool takeKey(std::vector<std::string>& args, Transparency& rule, std::string& error)
{
    if (args.empty() || args[0] != "--key")
        return true;
    if (args.size() < 2 || !parseKey(args[1], rule)) {
        error = "--key takes RRGGBB, topleft, alpha or none";
        return false;
    }
    args.erase(args.begin(), args.begin() + 2);
    return true;
}

bool takeStrip(std::vector<std::string>& args, unsigned& count, std::string& error)
{
    if (args.empty() || args[0] != "--strip")
        return true;
    const std::string text = args.size() < 2 ? std::string() : args[1];
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(text) == 0) {
        error = "--strip takes a frame count from 1 to 65535";
        return false;
    }
    count = static_cast<unsigned>(std::stoul(text));
    args.erase(args.begin(), args.begin() + 2);
    return true;
}

bool readAndWarn(const std::string& path, Picture& picture, std::string& error)
{
    if (!readPicture(path, picture, error))
        return false;
    for (const std::string& warning : picture.warnings)
        std::cerr << "vtlsprite: " << path << ": warning: " << warning << "\n";
    if (!picture.libraryNote.empty())
        std::cerr << "vtlsprite: " << path << ": warning: " << picture.libraryNote << "\n";
    return true;
}

bool encodePicture(const std::string& path, const Transparency& rule, std::vector<uint8_t>& rle, std::string& error)
{
    Picture picture;
    if (!readAndWarn(path, picture, error))
        return false;
    rle = encodeRle(picture, rule);
    return true;
}

// The `count` frames of an animation strip, left to right.
bool encodeStrip(const std::string& path, unsigned count, const Transparency& rule,
                 std::vector<std::vector<uint8_t>>& frames, std::string& error)
{
    Picture strip;
    if (!readAndWarn(path, strip, error))
        return false;
    if (strip.width % static_cast<int>(count) != 0) {
        error = path + ": a strip " + std::to_string(strip.width) + " pixels wide does not divide into " +
                std::to_string(count) + " frames of equal width";
        return false;
    }
    const int width = strip.width / static_cast<int>(count);
    for (unsigned i = 0; i < count; ++i) {
        Picture frame;
        frame.resize(width, strip.height);
        frame.hasAlpha = strip.hasAlpha;
        for (int y = 0; y < strip.height; ++y)
            std::copy_n(strip.pixel(static_cast<int>(i) * width, y), size_t(width) * 4, frame.pixel(0, y));
        frames.push_back(encodeRle(frame, rule));
    }
    return true;
}

int commandRle(std::vector<std::string> args)
{
    Transparency rule;
    std::string error;
    if (!takeKey(args, rule, error))
        return fail(error);
    if (args.size() != 2)
        return fail(std::string("rle takes a picture and an output file\n") + kUsage);
    std::vector<uint8_t> rle;
    if (!encodePicture(args[0], rule, rle, error) || !writeFile(args[1], rle, error))
        return fail(error);
    return 0;
}

int commandRla(std::vector<std::string> args)
{
    Transparency rule;
    unsigned stripFrames = 0;
    std::string error;
    // The options in either order.
    for (int i = 0; i < 2; ++i)
        if (!takeKey(args, rule, error) || !takeStrip(args, stripFrames, error))
            return fail(error);
    if (args.size() < 2)
        return fail(std::string("rla takes an output file and at least one frame\n") + kUsage);
    std::vector<FrameRequest> requests;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--list") {
            if (i + 1 == args.size())
                return fail("--list takes a file");
            if (!readFrameList(args[++i], requests, error))
                return fail(error);
            continue;
        }
        FrameRequest request;
        if (!parseFrameArgument(args[i], request, error))
            return fail(error);
        requests.push_back(request);
    }
    std::vector<RlaFrame> frames;
    for (const FrameRequest& request : requests) {
        std::vector<std::vector<uint8_t>> images(stripFrames ? 0 : 1);
        if (stripFrames ? !encodeStrip(request.picture, stripFrames, rule, images, error)
                        : !encodePicture(request.picture, rule, images[0], error))
            return fail(error);
        for (std::vector<uint8_t>& image : images) {
            RlaFrame frame;
            frame.action = static_cast<uint16_t>(request.action);
            frame.direction = static_cast<uint16_t>(request.direction);
            frame.rle = std::move(image);
            frames.push_back(std::move(frame));
        }
    }
    std::vector<uint8_t> rla;
    if (!writeRla(frames, rla, error) || !writeFile(args[0], rla, error))
        return fail(error);
    return 0;
}

int commandInfo(const std::vector<std::string>& args)
{
    if (args.empty())
        return fail(std::string("info takes at least one file\n") + kUsage);
    int status = 0;
    for (const std::string& path : args) {
        std::string error;
        if (!describeFile(path, std::cout, error))
            status = fail(error);
    }
    return status;
}

int run(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "rle")
        return commandRle(args);
    if (command == "rla")
        return commandRla(args);
    if (command == "info")
        return commandInfo(args);
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    // The readers report what they refuse; this is the last guard, so that
    // no input ends in an abort.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory");
    } catch (const std::exception& e) {
        return fail(std::string("unexpected failure: ") + e.what());
    }
}
