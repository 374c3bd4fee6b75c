// The archive vtlpack packed from data/ at build time, read back through the
// library as a game would: linked into this program and from the file.
#include <vantrel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every file in data/ must come back byte for byte.
void expectEveryDataFile(VTLHND& handle)
{
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(VTLPACK_DATA_DIR))
        files.push_back(e.path());
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(handle.entryCount, files.size() + 1);
    for (const fs::path& path : files) {
        const std::string expected = readFile(path);
        std::string name = path.filename().string();
        ASSERT_EQ(handle.FastFileSize(name.data()), expected.size()) << name;
        const unsigned char* bytes = handle.FastFileData(name.data());
        ASSERT_NE(bytes, nullptr) << name;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), expected.size()), expected) << name;
    }
}
} // namespace

TEST(VtlpackArchive, LinkedIntoTheProgramOpensByName)
{
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(const_cast<char*>("GAMEDATA")));
    EXPECT_EQ(handle.fileHandle, nullptr) << "no file is opened for an embedded archive";
    expectEveryDataFile(handle);
}

TEST(VtlpackArchive, TheFileOpensThroughTheMapping)
{
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(const_cast<char*>(VTLPACK_ARCHIVE)));
    EXPECT_NE(handle.mappingHandle, nullptr);
    expectEveryDataFile(handle);
}

TEST(VtlpackArchive, EntriesAreInNameOrderWithTheEndEntryLast)
{
    VTLHND handle;
    ASSERT_TRUE(handle.FastFileInit(const_cast<char*>("gamedata")));
    const unsigned char* record = static_cast<const unsigned char*>(handle.directory);
    std::vector<std::string> names;
    for (DWORD i = 0; i < handle.entryCount; ++i, record += 17)
        names.emplace_back(reinterpret_cast<const char*>(record + 4));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end() - 1));
    EXPECT_EQ(names.back(), "");
    DWORD end = 0;
    std::memcpy(&end, record - 17, 4);
    EXPECT_EQ(handle.archiveEnd, end);
    EXPECT_EQ(fs::file_size(VTLPACK_ARCHIVE), end);
}
