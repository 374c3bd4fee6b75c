// A game written the way Windows games of its day were: every library object
// a global, each holding what it can hold (an archive with images decoded
// from it, a sound playing from it, a stream, a CD track playing from a WAV
// disc, a socket, a font, a window and a button), and `main` simply returning.
// The objects' destructors then run from the exit handlers, after whatever
// the platform built during `main` may already have been torn down; the
// program must still end with status 0 and, under the sanitizers, with
// nothing read after it was freed and no leak reported.
//
//   globals_at_exit [--end | --tidy-late]
//     --end: call gfxEnd before returning
//     --tidy-late: release everything from a global's destructor that runs
//                  after all the others
#include <vantrel.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void putLe(Bytes& out, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// An 8 x 8 24-bit picture.
Bytes bitmap()
{
    Bytes out{'B', 'M'};
    const unsigned pixels = 8 * 8 * 3;
    putLe(out, 54 + pixels, 4);
    putLe(out, 0, 4);
    putLe(out, 54, 4);
    putLe(out, 40, 4);
    putLe(out, 8, 4);
    putLe(out, 8, 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        putLe(out, 0, 4);
    for (unsigned i = 0; i < pixels; ++i)
        out.push_back(static_cast<unsigned char>(i * 37));
    return out;
}

// `frames` frames of 16-bit stereo at 22050 Hz, a quiet saw.
Bytes wave(unsigned frames)
{
    Bytes out{'R', 'I', 'F', 'F'};
    putLe(out, 36 + frames * 4, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, 2, 2);
    putLe(out, 22050, 4);
    putLe(out, 22050 * 4, 4);
    putLe(out, 4, 2);
    putLe(out, 16, 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLe(out, frames * 4, 4);
    for (unsigned i = 0; i < frames * 2; ++i)
        putLe(out, (i * 64) & 0x0FFF, 2);
    return out;
}

// The archive: a count, 17-byte directory records (offset, 13-byte name)
// ending in one without a name, then the entries' bytes.
Bytes archive(const std::vector<std::pair<const char*, Bytes>>& entries)
{
    const size_t count = entries.size() + 1;
    Bytes out;
    putLe(out, unsigned(count), 4);
    size_t offset = 4 + 17 * count;
    for (size_t i = 0; i < count; ++i) {
        putLe(out, unsigned(offset), 4);
        char name[13] = {};
        if (i < entries.size()) {
            std::strncpy(name, entries[i].first, 12);
            offset += entries[i].second.size();
        }
        out.insert(out.end(), name, name + 13);
    }
    for (const auto& e : entries)
        out.insert(out.end(), e.second.begin(), e.second.end());
    return out;
}

void writeFile(const std::string& path, const Bytes& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(3);
    }
}

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int failed(const char* what)
{
    std::fprintf(stderr, "globals_at_exit: %s failed\n", what);
    return 2;
}

} // namespace

// Every class of the library, as globals.  A sound comes before the handle
// and the window, so that it is destroyed after them.
struct TidyLate {
    ~TidyLate();
    bool armed = false;
} gTidyLate;
SOUNDBUFFER gBeep;
DXWindow gWindow(GetModuleHandleA(nullptr), "VantrelExitOrder", "exit order");
VTLHND gGfx;
BITPLANEFX gPicture, gFrame;
RLEFX gRle, gHover;
COLORFX gColor;
MONOFX gMono;
ALPHAFX gAlpha;
LUTFX gLut;
ANIMATIONFX gFrames;
Sprite gSprite;
Tile* gTile;
FastFile gEntry;
SOUNDBUFFER gBeepCopy;
SOUNDSTREAM gStream;
CDaudio gCd;
UDP gHost, gNeverOpened;
HFONT gFont;
HWND gButton;

// A game that tidies up in the destructor of its own global, which runs after
// every library object above is gone: each call must still find the
// platform's state it needs.  (The handle, the window and the sound buffers
// have destructors of their own and are not touched again.)
TidyLate::~TidyLate()
{
    if (!armed)
        return;
    gHost.quit();
    gNeverOpened.quit();
    gHost.destroy();
    gCd.stop();
    mciSendCommand(gCd.device, MCI_CLOSE, 0, 0);
    gStream.stop();
    gStream.release();
    SOUND::release();
    DeleteObject(gFont);
    DestroyButton(gButton, GetModuleHandleA(nullptr));
    destroyTile(gTile);
    gEntry.close();
    gLut.release();
}

int main(int argc, char** argv)
{
    const bool end = argc > 1 && std::strcmp(argv[1], "--end") == 0;
    gTidyLate.armed = argc > 1 && std::strcmp(argv[1], "--tidy-late") == 0;

    char folder[] = "/tmp/vantrel-exit-XXXXXX";
    if (!mkdtemp(folder))
        return failed("mkdtemp");
    const std::string base = folder;
    const std::string archivePath = base + "/sounds.vtl";
    writeFile(archivePath, archive({{"PIC.BMP", bitmap()}, {"BEEP.WAV", wave(22050)}, {"SONG.WAV", wave(88200)}}));
    ::mkdir((base + "/cd").c_str(), 0700);
    writeFile(base + "/cd/track01.wav", wave(44100));
    writeFile(base + "/cd/track02.wav", wave(44100));
    setenv("VANTREL_CDAUDIO", (base + "/cd").c_str(), 1);

    if (!gWindow.doReg(procedure, 0, 0, 0) || !gWindow.createWindow(320, 240))
        return failed("the window");
    gGfx.gfxSetup(gWindow.hwnd(), 320, 240, 16);
    gGfx.Override();
    if (gGfx.gfxBegin() != 1)
        return failed("gfxBegin");
    if (!gGfx.FastFileInit(archivePath.c_str()))
        return failed("FastFileInit");

    if (!gGfx.create(&gPicture, "PIC.BMP") || !gGfx.create(&gFrame, 320, 240, true) ||
        !gGfx.create(&gRle, "PIC.BMP") || !gGfx.create(&gHover, "PIC.BMP") || !gGfx.create(&gAlpha, 8, 8))
        return failed("the images");
    gColor.owner = gMono.owner = &gGfx;
    gColor.format = gMono.format = gGfx.formatCode;
    gColor.bitsPerPixel = gMono.bitsPerPixel = gGfx.bitsPerPixel;
    gColor.bytesPerPixel = gMono.bytesPerPixel = gGfx.bytesPerPixel;
    if (!gColor.create(8, 8, 64) || !gMono.create(8, 8, 64) || !gLut.create(8, 8))
        return failed("the colour, mono and lookup images");
    if (!gGfx.create(&gFrames, 2) || !gFrames.blt(&gRle, 0, 0, 0, 0) || !gFrames.bltBmp("PIC.BMP", 0, 0, 0, 0))
        return failed("the frame set");
    gSprite.bind(&gFrames);
    gTile = createTile();
    if (gTile)
        gTile->bind(&gFrames);
    RECT place = {10, 10, 17, 17};
    gButton = VTLCreateRLEButton(&gGfx, GetModuleHandleA(nullptr), 7, "", &place, &gRle, &gHover, &gRle, &gFrame);
    if (!gTile || !gButton)
        return failed("the tile and the button");
    if (!gEntry.open(&gGfx, "PIC.BMP") || !gEntry.lock(0, 0))
        return failed("the archive entry");

    if (!SOUND::create(gWindow.hwnd()) || !gGfx.create(&gBeep, "BEEP.WAV") || !gBeep.play(true) ||
        !gBeepCopy.copy(gBeep) || !gBeepCopy.play(true))
        return failed("the sound");
    if (!gGfx.create(&gStream, "SONG.WAV") || !gStream.play(true))
        return failed("the stream");
    if (!gCd.init(gWindow.hwnd()) || !gCd.play(1, 1))
        return failed("the CD");
    if (!gHost.init(gWindow.hwnd()) || !gHost.host(0))
        return failed("the socket");
    gFont = CreateFontA(18, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "DejaVu Sans");
    if (!gFont || !gGfx.gfxString("exit", gFont, RGB(255, 255, 255), 4, 4, 0))
        return failed("the font");
    Sleep(50); // let the mixer and the stream's worker run

    std::remove((base + "/cd/track01.wav").c_str());
    std::remove((base + "/cd/track02.wav").c_str());
    ::rmdir((base + "/cd").c_str());
    std::remove(archivePath.c_str());
    ::rmdir(folder);

    if (end)
        gGfx.gfxEnd();
    return 0;
}
