#include "tools/vtlpack/load_check.h"

#include <vantrel/alphafx.h>
#include <vantrel/animation.h>
#include <vantrel/audio.h>
#include <vantrel/bitplanefx.h>
#include <vantrel/dxwindow.h>
#include <vantrel/pixelformat.h>
#include <vantrel/rlefx.h>
#include <vantrel/vtlhnd.h>
#include <vantrel/win32/debug.h>
#include <vantrel/win32/window.h>

#include <cctype>

#include "tools/vtlpack/library_messages.h"
#include "tools/vtlpack/refusal_reasons.h"

namespace {
using vtlpack::FileKind;
using vtlpack::Loader;

struct Depth {
    unsigned bits;
    DWORD red, green, blue;
};
// One format per depth: what a loader accepts depends on the pixel size
// (the RLE buffers are sized from it), not on the channel order.
constexpr Depth kDepths[] = {{8, 0, 0, 0},
                             {16, 0xF800, 0x07E0, 0x001F},
                             {24, 0xFF0000, 0x00FF00, 0x0000FF},
                             {32, 0xFF0000, 0x00FF00, 0x0000FF}};

std::string upperEnding(const std::string& name)
{
    const size_t dot = name.rfind('.');
    std::string ending = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ending)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return ending;
}

bool kindOf(const std::string& name, FileKind& kind)
{
    const std::string e = upperEnding(name);
    if (e == "BMP")
        kind = FileKind::Bmp;
    else if (e == "TGA")
        kind = FileKind::Tga;
    else if (e == "RLE")
        kind = FileKind::Rle;
    else if (e == "RLA")
        kind = FileKind::Rla;
    else if (e == "WAV")
        kind = FileKind::Wav;
    else
        return false;
    return true;
}

std::vector<Loader> loadersFor(FileKind kind)
{
    switch (kind) {
    case FileKind::Bmp:
        return {Loader::Surface, Loader::RleImage, Loader::AlphaMap};
    case FileKind::Tga:
        return {Loader::Surface, Loader::RleImage};
    case FileKind::Rle:
        return {Loader::RleImage};
    case FileKind::Rla:
        return {Loader::FrameSet};
    case FileKind::Wav:
        return {Loader::Sound};
    }
    return {};
}

const char* loaderName(Loader l)
{
    switch (l) {
    case Loader::Surface:
        return "a surface";
    case Loader::RleImage:
        return "an RLE image";
    case Loader::AlphaMap:
        return "an alpha map";
    case Loader::FrameSet:
        return "a frame set";
    case Loader::Sound:
        return "a sound";
    }
    return "";
}

// Where the library's messages go between checks: vtlpack says what it
// found in its own words.
void quiet(const char*, void*) {}

// The sound device, started once, on the headless backends (a checker plays
// nothing and must not open the machine's sound card); like a game's, it
// belongs to a window, which is never shown.  Both live until the end.
bool startSound()
{
    static DXWindow* window = new DXWindow(GetModuleHandleA(nullptr), "VtlpackVerify", "vtlpack verify");
    return window->doReg(DefWindowProcA, 0, 0, 0) && window->createWindow(16, 16) && SOUND::create(window->hwnd());
}

bool soundDevice()
{
    static const bool started = startSound();
    return started;
}

bool tryLoad(VTLHND& handle, Loader loader, const std::string& name)
{
    char* n = const_cast<char*>(name.c_str());
    switch (loader) {
    case Loader::Surface: {
        BITPLANEFX s{};
        const bool ok = handle.create(&s, n);
        if (ok)
            handle.release(&s);
        return ok;
    }
    case Loader::RleImage: {
        RLEFX r{};
        const bool ok = handle.create(&r, n);
        if (ok)
            handle.release(&r);
        return ok;
    }
    case Loader::AlphaMap: {
        ALPHAFX a{};
        const bool ok = handle.create(&a, n);
        if (ok)
            handle.release(&a);
        return ok;
    }
    case Loader::FrameSet: {
        ANIMATIONFX a{};
        const bool ok = handle.create(&a, n);
        if (ok)
            handle.release(&a);
        return ok;
    }
    case Loader::Sound: {
        SOUNDBUFFER b;
        const bool ok = handle.create(&b, n);
        if (ok)
            handle.release(&b);
        return ok;
    }
    }
    return false;
}

std::string depthList(const std::vector<unsigned>& depths)
{
    std::string out;
    for (size_t i = 0; i < depths.size(); ++i) {
        if (i)
            out += i + 1 == depths.size() ? " and " : ", ";
        out += std::to_string(depths[i]);
    }
    return out + " bits";
}
} // namespace

bool vtlpack::loadableEnding(const std::string& name)
{
    FileKind kind;
    return kindOf(name, kind);
}

vtlpack::EntryVerdict vtlpack::checkEntry(VTLHND& handle, const std::string& name, const unsigned char* data,
                                          size_t size)
{
    EntryVerdict verdict;
    FileKind kind;
    if (!kindOf(name, kind))
        return verdict;
    verdict.checked = true;
    for (Loader loader : loadersFor(kind)) {
        LoaderVerdict v;
        v.loader = loaderName(loader);
        std::string said, firstReason;
        const bool depthMatters = kind != FileKind::Wav;
        if (!depthMatters && !soundDevice()) {
            v.refusedAt = {0};
            v.reason = "not checked: the sound device did not start";
            verdict.loaders.push_back(v);
            continue;
        }
        for (const Depth& d : kDepths) {
            VTLPixelFormat format{};
            VTLBuildEffectTables(d.bits, d.red, d.green, d.blue, &format);
            handle.formatCode = format.formatCode;
            handle.bitsPerPixel = format.bitsPerPixel;
            handle.bytesPerPixel = format.bytesPerPixel;
            handle.redMask = format.redMask;
            handle.greenMask = format.greenMask;
            handle.blueMask = format.blueMask;
            LibraryMessages messages(quiet);
            if (!tryLoad(handle, loader, name)) {
                v.refusedAt.push_back(d.bits);
                if (firstReason.empty()) {
                    firstReason = refusalReason(loader, kind, data, size, d.bits);
                    said = messages.text();
                }
            }
            if (!depthMatters) {
                // A sound is the same on every display.
                if (!v.refusedAt.empty())
                    v.refusedAt = {8, 16, 24, 32};
                break;
            }
        }
        if (!v.refusedAt.empty())
            v.reason = !firstReason.empty() ? firstReason
                                            : "the library refused it (" + (said.empty() ? "no message" : said) + ")";
        else
            v.reason = acceptedButNote(loader, kind, data, size);
        verdict.loaders.push_back(v);
    }
    return verdict;
}

bool vtlpack::EntryVerdict::unusable() const
{
    if (!checked)
        return false;
    for (const LoaderVerdict& v : loaders)
        if (v.refusedAt.size() == 1 && v.refusedAt[0] == 0)
            return false; // not checked: nothing known against it
    for (unsigned bits : {8u, 16u, 24u, 32u}) {
        bool any = false;
        for (const LoaderVerdict& v : loaders) {
            bool refused = false;
            for (unsigned r : v.refusedAt)
                refused = refused || r == bits;
            any = any || !refused;
        }
        if (!any)
            return true;
    }
    return false;
}

std::string vtlpack::EntryVerdict::describe() const
{
    if (!checked)
        return "not an image or sound: the library loads .BMP, .TGA, .RLE, .RLA and .WAV entries by name; a game "
               "reads this one with FastFile";
    struct Refusal {
        std::vector<std::string> loaders;
        std::string where, reason;
    };
    std::vector<Refusal> grouped;
    std::vector<std::string> loaded;
    std::string refusals, notes;
    for (const LoaderVerdict& v : loaders) {
        if (v.refusedAt.empty()) {
            loaded.push_back(v.loader);
            if (!v.reason.empty())
                notes += "; as " + v.loader + ": " + v.reason;
            continue;
        }
        const bool everywhere = v.refusedAt.size() == 4 || (v.refusedAt.size() == 1 && v.refusedAt[0] == 0);
        const std::string where = everywhere ? std::string() : " at " + depthList(v.refusedAt);
        // Loaders refused for the same cause at the same depths share a line.
        bool joined = false;
        for (Refusal& r : grouped)
            if (r.where == where && r.reason == v.reason) {
                r.loaders.push_back(v.loader);
                joined = true;
            }
        if (!joined)
            grouped.push_back({{v.loader}, where, v.reason});
    }
    for (const Refusal& r : grouped) {
        refusals += std::string(loaded.empty() && refusals.empty() ? "" : "; ") + "refused as ";
        for (size_t i = 0; i < r.loaders.size(); ++i)
            refusals += (i ? (i + 1 == r.loaders.size() ? " and " : ", ") : "") + r.loaders[i];
        refusals += r.where + ": " + r.reason;
    }
    std::string out;
    if (!loaded.empty()) {
        out = "loads as ";
        for (size_t i = 0; i < loaded.size(); ++i)
            out += (i ? (i + 1 == loaded.size() ? " and " : ", ") : "") + loaded[i];
        if (!(loaders.size() == 1 && loaders[0].loader == "a sound"))
            out += " at 8, 16, 24 and 32 bits";
    }
    return out + refusals + notes;
}
