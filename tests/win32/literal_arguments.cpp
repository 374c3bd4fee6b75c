// Every public parameter the library only reads, given a string literal.
// Built with -Werror -pedantic-errors: a literal passed as char* is an
// error there, so this file not compiling is the failure.
#include <vantrel.h>
#include <vantrel/win32/files.h>
#include <vantrel/win32/mmsystem.h>
#include <vantrel/win32/profile.h>
#include <vantrel/win32/strings.h>

#include <gtest/gtest.h>

namespace {

// Never called: only compiled.
[[maybe_unused]] void passLiterals(VTLHND& handle, BITPLANEFX& surface, RLEFX& image, ALPHAFX& map,
                                   ANIMATIONFX& animation, SOUNDBUFFER& sound, SOUNDSTREAM& stream, FastFile& file,
                                   UDP& udp, RECT area, RLEFX* face)
{
    handle.FastFileInit("GAME.VTL");
    handle.FastFileData("LEVEL1.DAT");
    handle.FastFileSize("LEVEL1.DAT");
    handle.create(&surface, "BACK.BMP");
    handle.create(&image, "HERO.RLE");
    handle.create(&map, "SHADE.BMP");
    handle.create(&animation, "HERO.RLA");
    handle.create(&sound, "BOOM.WAV");
    handle.create(&stream, "MUSIC.WAV");
    handle.gfxString("Score", nullptr, RGB(255, 255, 0), 10, 10, 0);
    surface.create("unused");
    surface.saveTga("SHOT.TGA", 0, 0, 1, 1);
    map.loadBmp("SHADE.BMP");
    animation.bltBmp("FRAME.BMP", 0, 0, 0, 0);
    animation.bltTga("FRAME.TGA", 0, 0, 0, 0);
    animation.loadRla("HERO.RLA");
    sound.load("boom.wav");
    sound.loadWav("BOOM.WAV");
    sound.memread("\0\0\0\0", 4);
    stream.loadWav("MUSIC.WAV");
    file.open(&handle, "LEVEL1.DAT");
    udp.join(0x7F000001, 5000, "player", "ready");
    udp.resolve("localhost");
    VTLCreateRLEButton(&handle, nullptr, 1, "Start", &area, face, face, face, nullptr);
    DXWindow window(nullptr, "Class", "Title");
    InstallJoystick(nullptr, area, 0, 0, "JOYSTICK.CAL");
    SaveJoystickCalibration("JOYSTICK.CAL");
    Msg("text %d", 1);
    mmioOpen("boom.wav", nullptr, MMIO_READ);
    CreateFileA("Data\\Level1.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DeleteFileA("save.tmp");
    GetPrivateProfileIntA("Video", "Depth", 16, ".\\GAME.INI");
    WritePrivateProfileStringA("Video", "Depth", "16", ".\\GAME.INI");
    char text[32];
    wsprintfA(text, "%lu", DWORD(1));
    lstrcmpiA("a", "A");
}

} // namespace

TEST(LiteralArguments, EveryReadOnlyStringParameterTakesALiteral) { SUCCEED(); }
