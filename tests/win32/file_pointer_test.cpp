// SetFilePointer where a move cannot be made: the position a game reads
// or writes at afterwards is the one it had.
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FilePointer : public testing::Test {
protected:
    void SetUp() override
    {
        d.write("f.dat", "0123456789");
        // Shared for reading: the test reads the bytes back by name.
        f = CreateFileA(d.windows("f.dat").c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(f, INVALID_HANDLE_VALUE);
        ASSERT_EQ(SetFilePointer(f, 6, nullptr, FILE_BEGIN), 6u);
    }
    void TearDown() override { CloseHandle(f); }
    // The position as SetFilePointer(0, &high, FILE_CURRENT) tells it.
    uint64_t position()
    {
        LONG high = 0;
        const DWORD low = SetFilePointer(f, 0, &high, FILE_CURRENT);
        return (static_cast<uint64_t>(static_cast<DWORD>(high)) << 32) | low;
    }
    ScratchFolder d;
    HANDLE f = INVALID_HANDLE_VALUE;
};

} // namespace

TEST_F(FilePointer, AMoveBeforeTheStartFromAnyOriginLeavesThePositionAndTheBytes)
{
    for (DWORD origin : {FILE_BEGIN, FILE_CURRENT, FILE_END}) {
        SetLastError(0);
        EXPECT_EQ(SetFilePointer(f, -20, nullptr, origin), INVALID_SET_FILE_POINTER);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
        EXPECT_EQ(position(), 6u) << "origin " << origin;
    }
    LONG high = -2; // with a low word of all ones: 4 GiB + 1 back
    EXPECT_EQ(SetFilePointer(f, -1, &high, FILE_END), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
    DWORD put = 0;
    ASSERT_TRUE(WriteFile(f, "ab", 2, &put, nullptr));
    EXPECT_EQ(d.read("f.dat"), "012345ab89");
}

TEST_F(FilePointer, AMoveThroughTheHighWordGoesThereOrFailsWithoutMoving)
{
    LONG high = 1; // 4 GiB + 3: within any file system a game runs on
    EXPECT_EQ(SetFilePointer(f, 3, &high, FILE_BEGIN), 3u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(high, 1);
    EXPECT_EQ(position(), 0x100000003ull);

    // 2^62: past what most file systems hold.  Whatever the answer, it is
    // where the handle is.
    ASSERT_EQ(SetFilePointer(f, 6, nullptr, FILE_BEGIN), 6u);
    high = 0x40000000;
    const DWORD low = SetFilePointer(f, 0, &high, FILE_BEGIN);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(position(), 6u);
    } else {
        EXPECT_EQ(low, 0u);
        EXPECT_EQ(high, 0x40000000);
        EXPECT_EQ(position(), 0x4000000000000000ull);
    }
}
