#include <vantrel/fastfile.h>
#include <vantrel/vtlhnd.h>

#include <gtest/gtest.h>

#include <numeric>

#include "support/message_capture.h"
#include "support/test_archive.h"

namespace {
Bytes counting(size_t n)
{
    Bytes b(n);
    std::iota(b.begin(), b.end(), static_cast<unsigned char>(0));
    return b;
}

// An archive of three entries, the middle one 100 bytes long, opened in a
// handle; the cursor is open on DATA.BIN.
class FastFileCursor : public ::testing::Test {
protected:
    void SetUp() override
    {
        archive.add("FIRST.TXT", std::string("abc")).add("DATA.BIN", counting(100)).add("LAST.TXT", std::string("xyz"));
        ASSERT_TRUE(archive.openIn(handle));
        ASSERT_TRUE(file.open(&handle, const_cast<char*>("DATA.BIN")));
    }
    TestArchive archive;
    VTLHND handle;
    FastFile file{};
};
} // namespace

TEST_F(FastFileCursor, LockChecksOffsetPlusSizeAgainstTheEntry)
{
    MessageCapture capture;
    const unsigned char* whole = static_cast<unsigned char*>(file.lock(0, 100));
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(whole[0], 0);
    EXPECT_EQ(whole[99], 99);
    EXPECT_EQ(file.lock(1, 100), nullptr);
    EXPECT_EQ(file.lock(0, -1), nullptr);
    EXPECT_EQ(static_cast<unsigned char*>(file.lock(100, 0)), whole + 100);
    EXPECT_EQ(static_cast<unsigned char*>(file.lock(40, 10)), whole + 40);
    EXPECT_EQ(handle.lockCount, 3u);
    EXPECT_EQ(capture.text(), "FastFileLock: read past end of file\r\n\r\n"
                              "FastFileLock: invalid size\r\n\r\n");

    // unlock checks against the entry's end offset in the archive.
    EXPECT_TRUE(file.unlock(40, 10));
    EXPECT_EQ(handle.lockCount, 2u);
    capture.clear();
    EXPECT_FALSE(file.unlock(0, -5));
    EXPECT_EQ(capture.text(), "FastFileUnlock: invalid size\r\n\r\n");
}

TEST_F(FastFileCursor, SeekAcceptsPositionsInsideTheEntry)
{
    EXPECT_TRUE(file.seek(99, 0));
    EXPECT_EQ(file.tell(), 99);
    EXPECT_FALSE(file.seek(100, 0));
    EXPECT_FALSE(file.seek(-1, 0));
    EXPECT_EQ(file.tell(), 99) << "a refused seek leaves the position";

    EXPECT_TRUE(file.seek(0, 2));
    EXPECT_EQ(file.tell(), 100) << "offset 0 from the end is the end";
    EXPECT_TRUE(file.seek(99, 2));
    EXPECT_EQ(file.tell(), 1);
    EXPECT_FALSE(file.seek(100, 2));

    EXPECT_TRUE(file.seek(-1, 1));
    EXPECT_EQ(file.tell(), 0);
    EXPECT_FALSE(file.seek(-1, 1)) << "before the entry";
    EXPECT_TRUE(file.seek(99, 1));
    EXPECT_FALSE(file.seek(1, 1)) << "the entry's end is not reachable from the current position";
    EXPECT_EQ(file.tell(), 99);
    EXPECT_FALSE(file.seek(0, 3));
}

TEST_F(FastFileCursor, ReadIsAllOrNothing)
{
    MessageCapture capture;
    unsigned char buffer[16] = {};
    ASSERT_TRUE(file.seek(95, 0));
    EXPECT_FALSE(file.read(buffer, 10));
    EXPECT_EQ(file.tell(), 95);
    EXPECT_EQ(buffer[0], 0) << "nothing copied";
    EXPECT_TRUE(file.read(buffer, 5));
    EXPECT_EQ(buffer[0], 95);
    EXPECT_EQ(buffer[4], 99);
    EXPECT_EQ(file.tell(), 100);
    EXPECT_TRUE(file.read(buffer, 0)) << "an empty read at the end is fine";
    EXPECT_FALSE(file.read(buffer, 1));
    EXPECT_FALSE(file.read(buffer, -1));
    EXPECT_EQ(capture.text(), "FastFileRead: read past end of file\r\n\r\n"
                              "FastFileRead: read past end of file\r\n\r\n"
                              "FastFileRead: invalid size\r\n\r\n");
}

TEST_F(FastFileCursor, ClosedCursorRefusesEverythingButKeepsItsSize)
{
    MessageCapture capture;
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.close());
    unsigned char byte;
    EXPECT_FALSE(file.read(&byte, 1));
    EXPECT_FALSE(file.seek(0, 0));
    EXPECT_EQ(file.tell(), -1);
    EXPECT_EQ(file.lock(0, 0), nullptr);
    EXPECT_FALSE(file.unlock(0, 0));
    EXPECT_EQ(file.fSize(), 100u);
    EXPECT_EQ(capture.text(), "FastFileClose: invalid handle\r\n\r\n"
                              "FastFileRead: invalid handle\r\n\r\n"
                              "FastFileLock: invalid handle\r\n\r\n"
                              "FastFileUnlock: invalid handle\r\n\r\n");
}

TEST_F(FastFileCursor, CopyIsAnIndependentCursorOnTheSameEntry)
{
    ASSERT_TRUE(file.seek(10, 0));
    FastFile copy{};
    copy = file;
    ASSERT_TRUE(copy.seek(20, 0));
    EXPECT_EQ(file.tell(), 10);
    EXPECT_EQ(copy.tell(), 20);
    EXPECT_EQ(copy.entry, file.entry);
}

TEST_F(FastFileCursor, OpenFindsNamesIgnoringCaseAndOnlyRealEntries)
{
    MessageCapture capture;
    FastFile other{};
    ASSERT_TRUE(other.open(&handle, const_cast<char*>("first.txt")));
    EXPECT_EQ(other.fSize(), 3u);
    EXPECT_EQ(*static_cast<char*>(other.lock(0, 0)), 'a');
    ASSERT_TRUE(other.open(&handle, const_cast<char*>("Last.Txt")));
    EXPECT_EQ(other.fSize(), 3u);
    EXPECT_EQ(static_cast<char*>(other.lock(0, 3))[2], 'z');
    EXPECT_TRUE(capture.text().empty());

    EXPECT_FALSE(other.open(&handle, const_cast<char*>("")));
    EXPECT_FALSE(other.open(&handle, nullptr));
    EXPECT_FALSE(other.open(&handle, const_cast<char*>("MISSING.BMP")));
    EXPECT_FALSE(other.open(&handle, const_cast<char*>("DATA.BIN.LONGER")));
    EXPECT_EQ(capture.text(), "FastFileOpen: invalid name\r\n\r\n"
                              "FastFileOpen: invalid name\r\n\r\n"
                              "FastFileOpen: File \"MISSING.BMP\" not found.\r\n"
                              "FastFileOpen: File \"DATA.BIN.LONGER\" not found.\r\n");

    VTLHND empty;
    capture.clear();
    EXPECT_FALSE(other.open(&empty, const_cast<char*>("DATA.BIN")));
    EXPECT_EQ(other.owner, &empty);
    EXPECT_EQ(capture.text(), "FastFileOpen: not initialized\r\n\r\n");
}

TEST(HasExtension, ComparesTheLastFourCharactersExactly)
{
    EXPECT_TRUE(HasExtension("TITLE.BMP", "BMP"));
    EXPECT_FALSE(HasExtension("title.bmp", "BMP"));
    EXPECT_FALSE(HasExtension("TITLE.BMPX", "BMP"));
    EXPECT_FALSE(HasExtension("TITLEXBMP", "BMP"));
    EXPECT_TRUE(HasExtension(".TGA", "TGA"));
    EXPECT_FALSE(HasExtension("TGA", "TGA"));
    EXPECT_FALSE(HasExtension("", "TGA"));
    EXPECT_FALSE(HasExtension(nullptr, "TGA"));
    EXPECT_TRUE(HasExtension("A.B.RLE", "RLE"));
}
