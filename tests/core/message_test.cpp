#include <vantrel/core.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "support/message_capture.h"

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

TEST(Msg, WideTextKeepsItsLongModifier)
{
    // "%ls" and "%lc" are wide text; only before a number does `l` mean
    // 32 bits.  In the "C" locale a program starts in, text beyond ASCII
    // arrives in UTF-8 rather than failing the message.
    MessageCapture capture;
    Msg("%ls scores %lu, key %lc", L"Bj\u00f8rn", static_cast<DWORD>(300), static_cast<wint_t>(L'Q'));
    Msg("[%-5ls|%.2ls|%lc|%5ld]", L"ab", L"xyz", static_cast<wint_t>(L'\u00e9'), static_cast<LONG>(-7));
    ASSERT_EQ(capture.messages().size(), 2u);
    EXPECT_EQ(capture.messages()[0], "Bj\xc3\xb8rn scores 300, key Q\r\n");
    EXPECT_EQ(capture.messages()[1], "[ab   |xy|\xc3\xa9|   -7]\r\n");
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
    OutputDebugStringA("two");
    EXPECT_EQ(VTLSetDebugReceiver(nullptr, nullptr), static_cast<VTLDebugReceiver>(receiver));
    EXPECT_EQ(seen, "one\r\ntwo");
}

TEST(Msg, DefaultReceiverWritesStandardErrorUnchanged)
{
    testing::internal::CaptureStderr();
    Msg("VTL %d", 42);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "VTL 42\r\n");
}
