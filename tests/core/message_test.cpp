#include <vantrel/core.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "support/message_capture.h"

namespace {

// What `write` puts on standard error, byte for byte.  GoogleTest's own
// capture reads back in text mode, which on Windows turns "\r\n" into "\n".
template <class Write>
std::string standardErrorOf(Write write)
{
    std::random_device seed;
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("vantrel-stderr-" + std::to_string(seed()));
    FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file)
        return "(no file for standard error)";
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(fileno(file), 2);
    write();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::fclose(file);
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(path);
    return text;
}

} // namespace

TEST(Msg, FormatsAndEndsEachMessageWithCrLf)
{
    MessageCapture capture;
    Msg("Flip FAILED, rc=%08lx", static_cast<LONG>(0x887601C2));
    Msg("Cannot Find File %s", "HERO.RLA");
    Msg("FastFileOpen: invalid name\r\n");
    ASSERT_EQ(capture.messages().size(), 3u);
    EXPECT_EQ(capture.messages()[0], "Flip FAILED, rc=887601c2\r\n");
    EXPECT_EQ(capture.messages()[1], "Cannot Find File HERO.RLA\r\n");
    EXPECT_EQ(capture.messages()[2], "FastFileOpen: invalid name\r\n\r\n");
}

TEST(Msg, LongModifierReadsThirtyTwoBits)
{
    // A game written for 32-bit longs passes DWORDs with %lu; so does the
    // library.  Both widths must print the same number.
    MessageCapture capture;
    Msg("%lu %lu %ld", static_cast<DWORD>(4000000000u), 7ul, static_cast<LONG>(-5));
    ASSERT_EQ(capture.messages().size(), 1u);
    EXPECT_EQ(capture.messages()[0], "4000000000 7 -5\r\n");
}

TEST(Msg, WideTextComesInTheAnsiCodePage)
{
    // "%ls" and "%lc" are wide text; only before a number does `l` mean
    // 32 bits.  wvsprintfA turns wide text into the ANSI code page, as
    // every narrow call does: Windows-1252 in the emulation, and on
    // Windows the system's, which this text needs to be Western.
#ifdef _WIN32
    if (GetACP() != 1252)
        GTEST_SKIP() << "the expected bytes are Windows-1252's; this system's ANSI code page is " << GetACP();
#endif
    MessageCapture capture;
    Msg("%ls scores %lu, key %lc", L"Bj\u00f8rn", static_cast<DWORD>(300), static_cast<wint_t>(L'Q'));
    Msg("[%-5ls|%.2ls|%lc|%5ld]", L"ab", L"xyz", static_cast<wint_t>(L'\u00e9'), static_cast<LONG>(-7));
    Msg("%ls", L"\u20ac5");
    ASSERT_EQ(capture.messages().size(), 3u);
    EXPECT_EQ(capture.messages()[0], "Bj\xf8rn scores 300, key Q\r\n");
    EXPECT_EQ(capture.messages()[1], "[ab   |xy|\xe9|   -7]\r\n");
    EXPECT_EQ(capture.messages()[2], "\x80" "5\r\n");
}

TEST(Msg, LongMessagesAreCutToTheBuffer)
{
    MessageCapture capture;
    const std::string longText(600, 'x');
    Msg("%s", longText.c_str());
    ASSERT_EQ(capture.messages().size(), 1u);
    const std::string& m = capture.messages()[0];
    EXPECT_EQ(m.size(), 255u) << "255 characters and the terminator fill the 256-byte buffer";
    EXPECT_EQ(m.substr(m.size() - 2), "\r\n");
    EXPECT_EQ(m.find_first_not_of('x'), 253u);
}

TEST(Msg, ReceiverCanBeReplacedAndRestored)
{
    std::string seen;
    auto receiver = [](const char* text, void* user) { *static_cast<std::string*>(user) += text; };
    EXPECT_EQ(VTLSetDebugReceiver(receiver, &seen), nullptr);
    Msg("one");
    Msg("two");
    EXPECT_EQ(VTLSetDebugReceiver(nullptr, nullptr), static_cast<VTLDebugReceiver>(receiver));
    EXPECT_EQ(seen, "one\r\ntwo\r\n");
    EXPECT_EQ(standardErrorOf([] { Msg("three"); }), "three\r\n");
}

TEST(Msg, DefaultReceiverWritesStandardErrorUnchanged)
{
    EXPECT_EQ(standardErrorOf([] { Msg("VTL %d", 42); }), "VTL 42\r\n");
}
