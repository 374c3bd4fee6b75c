// vtlsprite: pictures into the library's run-length files.
//
//   vtlsprite rle [--key RRGGBB|topleft|alpha|none] PICTURE OUT.RLE
//   vtlsprite rla [--key ...] OUT.RLA FRAME...
//       FRAME is ACTION:DIRECTION:PICTURE or --list FILE (lines
//       "ACTION DIRECTION PICTURE"); frames go into the file in the order given.
//   vtlsprite info FILE...
//
// Pictures are any the tools read (../pictures: BMP, TGA, PNG, GIF, PCX,
// JPEG...), chosen by their bytes, not their names.  By default a
// picture with alpha keeps it (0 transparent, 255 opaque, between: level
// pixels) and one without takes its top-left pixel's colour as transparent.
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
    "       vtlsprite rla [--key RRGGBB|topleft|alpha|none] OUT.RLA FRAME...\n"
    "             FRAME: ACTION:DIRECTION:PICTURE, or --list FILE of lines \"ACTION DIRECTION PICTURE\"\n"
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

bool encodePicture(const std::string& path, const Transparency& rule, std::vector<uint8_t>& rle, std::string& error)
{
    Picture picture;
    if (!readPicture(path, picture, error))
        return false;
    for (const std::string& warning : picture.warnings)
        std::cerr << "vtlsprite: " << path << ": warning: " << warning << "\n";
    if (!picture.libraryNote.empty())
        std::cerr << "vtlsprite: " << path << ": warning: " << picture.libraryNote << "\n";
    rle = encodeRle(picture, rule);
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
    std::string error;
    if (!takeKey(args, rule, error))
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
        RlaFrame frame;
        frame.action = static_cast<uint16_t>(request.action);
        frame.direction = static_cast<uint16_t>(request.direction);
        if (!encodePicture(request.picture, rule, frame.rle, error))
            return fail(error);
        frames.push_back(std::move(frame));
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
