#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "support/message_capture.h"
#include "support/test_archive.h"

namespace {
char* cstr(const std::string& s) { return const_cast<char*>(s.c_str()); }

void putLe32(Bytes& b, size_t at, unsigned v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
} // namespace

TEST(FastFileInit, MapsAFileAndReadsItsEntries)
{
    TestArchive archive;
    archive.add("TITLE.BMP", std::string("pixels")).add("SOUND.WAV", std::string("RIFF"));
    const std::string path = archive.writeFile();
    VTLHND handle;
    MessageCapture capture;
    ASSERT_TRUE(handle.FastFileInit(cstr(path)));
    EXPECT_TRUE(capture.text().empty());
    EXPECT_NE(handle.fileHandle, nullptr);
    EXPECT_NE(handle.mappingHandle, nullptr);
    EXPECT_EQ(handle.entryCount, 3u);
    EXPECT_EQ(handle.directory, static_cast<unsigned char*>(handle.view) + 4);
    EXPECT_EQ(handle.archiveEnd, 4u + 3 * 17 + 6 + 4);

    EXPECT_EQ(handle.FastFileSize(cstr("title.bmp")), 6u);
    const unsigned char* data = handle.FastFileData(cstr("SOUND.WAV"));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 4), "RIFF");
    EXPECT_EQ(handle.lockCount, 1u) << "FastFileData keeps its lock";

    // With a lock outstanding, FastFileFini leaves the archive open.
    handle.FastFileFini();
    EXPECT_NE(handle.directory, nullptr);
    EXPECT_EQ(data[0], 'R');
}

TEST(FastFileInit, SecondArchiveReplacesTheFirstEvenWhileLocked)
{
    TestArchive first, second;
    first.add("ONE.BIN", std::string("1"));
    second.add("TWO.BIN", std::string("22"));
    VTLHND handle;
    const std::string firstPath = first.writeFile();
    ASSERT_TRUE(handle.FastFileInit(cstr(firstPath)));
    ASSERT_NE(handle.FastFileData(cstr("ONE.BIN")), nullptr);
    EXPECT_EQ(handle.lockCount, 1u);

    MessageCapture capture;
    ASSERT_TRUE(second.openIn(handle));
    EXPECT_EQ(capture.text(), "FastFileInit: opened resource: " + second.embeddedName() + "\r\n");
    EXPECT_EQ(handle.lockCount, 0u);
    EXPECT_EQ(handle.fileHandle, nullptr) << "an embedded archive has no file";
    EXPECT_EQ(handle.mappingHandle, nullptr);
    EXPECT_EQ(handle.FastFileSize(cstr("TWO.BIN")), 2u);

    capture.clear();
    EXPECT_EQ(handle.FastFileData(cstr("ONE.BIN")), nullptr);
    EXPECT_EQ(handle.FastFileSize(cstr("ONE.BIN")), 0u);
    EXPECT_EQ(capture.text(), "FastFileOpen: File \"ONE.BIN\" not found.\r\n"
                              "Cannot Find File ONE.BIN\r\n"
                              "FastFileOpen: File \"ONE.BIN\" not found.\r\n"
                              "Cannot Find File ONE.BIN\r\n");
    EXPECT_EQ(handle.FastFileData(nullptr), nullptr);

    // Without locks FastFileFini closes it; an embedded archive is only
    // forgotten, never unmapped.
    handle.FastFileFini();
    EXPECT_EQ(handle.directory, nullptr);
    EXPECT_EQ(handle.view, nullptr);
    EXPECT_EQ(handle.entryCount, 0u);
}

TEST(FastFileInit, EmbeddedNamesIgnoreCaseAndComeBeforeFiles)
{
    TestArchive archive;
    archive.add("A.BIN", std::string("a"));
    VTLHND handle;
    ASSERT_TRUE(archive.openIn(handle));
    handle.FastFileFini();
    std::string upper = archive.embeddedName();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_TRUE(handle.FastFileInit(cstr(upper)));
    EXPECT_EQ(handle.FastFileSize(cstr("a.bin")), 1u);
}

TEST(FastFileInit, MissingOrEmptyFileIsRefused)
{
    VTLHND handle;
    MessageCapture capture;
    EXPECT_FALSE(handle.FastFileInit(cstr("/nonexistent/GAME.VTL")));
    EXPECT_EQ(capture.text(), "FastFileInit: CreateFile(\r\n/nonexistent/GAME.VTL\r\n)\r\n\r\n");
    EXPECT_EQ(handle.fileHandle, nullptr);
    EXPECT_EQ(handle.directory, nullptr);

    const std::string empty = writeTemporaryFile({});
    capture.clear();
    EXPECT_FALSE(handle.FastFileInit(cstr(empty)));
    EXPECT_EQ(capture.text(), "FastFileInit: CreateFileMapping Failed\r\n\r\n");
    EXPECT_EQ(handle.fileHandle, nullptr) << "everything opened is closed again";
    EXPECT_EQ(handle.mappingHandle, nullptr);
    std::remove(empty.c_str());
}

TEST(FastFileInit, DirectoriesThatDoNotFitTheBytesAreRefused)
{
    TestArchive good;
    good.add("A.BIN", std::string("aaaa")).add("B.BIN", std::string("bb"));
    const Bytes valid = good.bytes(); // directory at 4, records at 4, 21, 38; data at 55
    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"shorter than the count", Bytes{1, 0}});
    cases.push_back({"no end entry", Bytes{0, 0, 0, 0}});
    Bytes b = valid;
    putLe32(b, 0, 0xFFFFFFFFu);
    cases.push_back({"count far past the end", b});
    b = valid;
    putLe32(b, 0, 4);
    cases.push_back({"count one past the directory", b});
    b = valid;
    putLe32(b, 4 + 17, 54);
    cases.push_back({"offsets decreasing", b});
    b = valid;
    putLe32(b, 4, 10);
    cases.push_back({"data inside the directory", b});
    b = valid;
    putLe32(b, 4 + 34, static_cast<unsigned>(valid.size() + 1));
    cases.push_back({"end entry past the bytes", b});
    b = valid;
    b.pop_back();
    cases.push_back({"truncated data", b});

    VTLHND handle;
    for (const Case& c : cases) {
        const std::string path = writeTemporaryFile(c.bytes);
        MessageCapture capture;
        EXPECT_FALSE(handle.FastFileInit(cstr(path))) << c.what;
        EXPECT_EQ(capture.text(), "FastFileInit: invalid archive\r\n\r\n") << c.what;
        EXPECT_EQ(handle.directory, nullptr) << c.what;
        EXPECT_EQ(handle.fileHandle, nullptr) << c.what;
        std::remove(path.c_str());
    }

    // The valid image itself, and one with empty entries, are accepted.
    TestArchive empties;
    empties.add("E.BIN", Bytes{}).add("F.BIN", Bytes{});
    for (const Bytes& ok : {valid, empties.bytes()}) {
        const std::string path = writeTemporaryFile(ok);
        EXPECT_TRUE(handle.FastFileInit(cstr(path)));
        std::remove(path.c_str());
    }
    EXPECT_EQ(handle.FastFileSize(cstr("F.BIN")), 0u);
}

TEST(FastFileInit, UnterminatedOrEndEntryNamesMatchNothing)
{
    TestArchive archive;
    archive.add("ABCDEFGH.BMP", std::string("x"));
    Bytes b = archive.bytes();
    b[4 + 4 + 12] = 'Z'; // the 13th name byte: no terminator left
    std::memcpy(&b[4 + 17 + 4], "END", 4); // a named end entry
    const std::string path = writeTemporaryFile(b);
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(cstr(path)));
    MessageCapture capture;
    EXPECT_EQ(handle.FastFileSize(cstr("ABCDEFGH.BMP")), 0u);
    EXPECT_EQ(handle.FastFileSize(cstr("END")), 0u);
    EXPECT_EQ(capture.messages().size(), 4u);
    std::remove(path.c_str());
}
