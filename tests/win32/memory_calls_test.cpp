// Global, local, heap and virtual memory, and the pointer probes, as a
// Windows program uses them, misuse included.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

TEST(MemoryCalls, MoveableBlocksCountTheirLocks)
{
    HGLOBAL block = GlobalAlloc(GHND, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), 100u);
    auto* data = static_cast<unsigned char*>(GlobalLock(block));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data[99], 0);
    EXPECT_EQ(GlobalLock(block), data);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 2u);
    EXPECT_EQ(GlobalHandle(data), block);
    EXPECT_TRUE(GlobalUnlock(block));
    SetLastError(12345);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    SetLastError(0);
    EXPECT_FALSE(GlobalUnlock(block));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    EXPECT_EQ(GlobalFree(block), nullptr);
}

TEST(MemoryCalls, FixedBlocksAreTheirAddressAndGrowWhenAllowedToMove)
{
    HLOCAL block = LocalAlloc(LPTR, 16);
    ASSERT_NE(block, nullptr);
    std::memcpy(block, "fixed", 6);
    HLOCAL grown = LocalReAlloc(block, 4096, LMEM_MOVEABLE | LMEM_ZEROINIT);
    ASSERT_NE(grown, nullptr);
    EXPECT_STREQ(static_cast<char*>(grown), "fixed");
    EXPECT_EQ(static_cast<char*>(grown)[4095], 0);
    EXPECT_EQ(LocalSize(grown), 4096u);
    EXPECT_EQ(LocalFree(grown), nullptr);
}

TEST(MemoryCalls, ReAllocMovesALockedOrFixedBlockOnlyWhenAllowed)
{
    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 16);
    EXPECT_TRUE(GlobalUnlock(fixed)); // nothing to unlock: still "locked"
    SetLastError(0);
    EXPECT_EQ(GlobalReAlloc(fixed, 1 << 20, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(GlobalReAlloc(fixed, 8, 0), fixed); // shrinking stays in place

    // GlobalReAlloc may turn a fixed block moveable: a new handle, the
    // same data.
    HGLOBAL moveable = GlobalReAlloc(fixed, 8, GMEM_MOVEABLE | GMEM_MODIFY);
    ASSERT_NE(moveable, nullptr);
    EXPECT_NE(moveable, fixed);
    EXPECT_EQ(GlobalLock(moveable), static_cast<void*>(fixed));
    SetLastError(0);
    EXPECT_EQ(GlobalReAlloc(moveable, 1 << 20, 0), nullptr); // locked
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(GlobalReAlloc(moveable, 1 << 20, GMEM_MOVEABLE), moveable);
    EXPECT_EQ(GlobalSize(moveable), static_cast<SIZE_T>(1 << 20));
    EXPECT_EQ(GlobalFree(moveable), nullptr);
}

TEST(MemoryCalls, AnEmptyMoveableBlockIsDiscarded)
{
    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    SetLastError(0);
    EXPECT_EQ(GlobalLock(empty), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISCARDED));
    EXPECT_EQ(GlobalFlags(empty), static_cast<UINT>(GMEM_DISCARDED));
    EXPECT_EQ(GlobalSize(empty), 0u);
    EXPECT_EQ(GlobalFree(empty), nullptr);
    SetLastError(12345);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), 12345u);
}

TEST(MemoryCalls, HeapsKeepTheirBlocksAndTheirLimit)
{
    HANDLE heap = HeapCreate(0, 0, 0);
    ASSERT_NE(heap, nullptr);
    auto* block = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 64));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[63], 0);
    EXPECT_EQ(HeapSize(heap, 0, block), 64u);
    block = static_cast<unsigned char*>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, block, 128));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[127], 0);
    EXPECT_TRUE(HeapFree(heap, 0, block));
    EXPECT_TRUE(HeapFree(heap, 0, nullptr));
    EXPECT_TRUE(HeapDestroy(heap));

    HANDLE small = HeapCreate(0, 0, 65536);
    ASSERT_NE(small, nullptr);
    SetLastError(0);
    EXPECT_EQ(HeapAlloc(small, 0, 1 << 20), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_TRUE(HeapDestroy(small));

    void* fromProcessHeap = HeapAlloc(GetProcessHeap(), 0, 10);
    ASSERT_NE(fromProcessHeap, nullptr);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, fromProcessHeap));
}

TEST(MemoryCalls, PagesAreReservedCommittedProtectedAndReleasedWhole)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const SIZE_T page = system.dwPageSize;
    auto* region = static_cast<char*>(VirtualAlloc(nullptr, 16 * page, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(region) % system.dwAllocationGranularity, 0u);
    EXPECT_TRUE(IsBadReadPtr(region, 1));

    MEMORY_BASIC_INFORMATION info;
    ASSERT_EQ(VirtualQuery(region, &info, sizeof info), sizeof info);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_RESERVE));
    EXPECT_EQ(info.AllocationBase, region);

    char* second = region + page;
    ASSERT_EQ(VirtualAlloc(second + 10, page - 10, MEM_COMMIT, PAGE_READWRITE), second);
    EXPECT_EQ(second[page - 1], 0);
    second[0] = 7;
    EXPECT_FALSE(IsBadReadPtr(second, page));
    EXPECT_FALSE(IsBadWritePtr(second, page));
    ASSERT_EQ(VirtualQuery(second, &info, sizeof info), sizeof info);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
    EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_READWRITE));
    EXPECT_EQ(info.RegionSize, page);

    DWORD old = 0;
    ASSERT_TRUE(VirtualProtect(second, page, PAGE_READONLY, &old));
    EXPECT_EQ(old, static_cast<DWORD>(PAGE_READWRITE));
    EXPECT_TRUE(IsBadWritePtr(second, 1));
    EXPECT_FALSE(IsBadReadPtr(second, 1));
    SetLastError(0);
    EXPECT_FALSE(VirtualProtect(region, page, PAGE_READWRITE, &old)); // not committed
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));

    SetLastError(0);
    EXPECT_FALSE(VirtualFree(region, 16 * page, MEM_RELEASE)); // release takes size 0
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(VirtualFree(second, page, MEM_DECOMMIT));
    ASSERT_TRUE(VirtualFree(region, 0, MEM_RELEASE));
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "WebAssembly's released pages go back to the heap, which may hand them out again: "
                    "they are the program's memory, not free addresses";
#endif
    ASSERT_EQ(VirtualQuery(region, &info, sizeof info), sizeof info);
    EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE));
}

TEST(MemoryCalls, PointerProbesAreHonestAboutNullAndEmptyRanges)
{
    int local = 0;
    EXPECT_TRUE(IsBadReadPtr(nullptr, 1));
    EXPECT_FALSE(IsBadReadPtr(nullptr, 0));
    EXPECT_FALSE(IsBadReadPtr(&local, sizeof local));
    EXPECT_FALSE(IsBadWritePtr(&local, sizeof local));
}

TEST(MemoryCalls, MisusedHandlesFailAsOnWindows)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
    ASSERT_EQ(GlobalFree(block), nullptr);
    SetLastError(0);
    EXPECT_EQ(GlobalFree(block), block);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(0);
    EXPECT_EQ(GlobalLock(block), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
