// FindFirstFileA masks as Windows NT matches them: the DOS meanings of a
// star or question mark beside a dot, and masks ending in dots or blanks.
#include <vantrel/win32/files.h>
#include <vantrel/win32/window.h>

#include "scratch_folder.h"
#include "support/wine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

// The names the mask finds in `folder`, "." and ".." left out; empty with
// the error code in `error` when the search fails.
std::vector<std::string> find(const ScratchFolder& d, const std::string& mask, DWORD* error = nullptr)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(d.windows(mask).c_str(), &found);
    std::vector<std::string> names;
    if (search == INVALID_HANDLE_VALUE) {
        if (error)
            *error = GetLastError();
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Wine 8 matches masks the Unix way: a star or question mark has no DOS
// meaning beside a dot or at the end, and a run of stars matches a name
// the rest of the mask does not.  Windows' answers, recorded in Wine's own
// FindFirstFile wildcard tests, are the ones checked here.
constexpr const char* kWineMatchesMasksItsOwnWay =
    "Wine 8's FindFirstFileA gives a star or question mark beside a dot no DOS meaning";

class FindMasks : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"data/README", "data/one.txt", "data/two.tar.gz", "data/x.y.z", "data/ab"})
            d.write(name, "");
    }
    ScratchFolder d;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(FindMasks, AStarBeforeATrailingDotFindsNamesWithoutADot)
{
    if (runningUnderWine())
        GTEST_SKIP() << kWineMatchesMasksItsOwnWay;
    EXPECT_EQ(find(d, "data/*."), (Names{"ab", "README"}));
    EXPECT_EQ(find(d, "data/a*."), (Names{"ab"}));
}

TEST_F(FindMasks, DotsBetweenStarsMatchAnyNumberOfDotsIncludingNone)
{
    EXPECT_EQ(find(d, "data/*.*.*"), (Names{"ab", "one.txt", "README", "two.tar.gz", "x.y.z"}));
    EXPECT_EQ(find(d, "data/*.*.gz"), (Names{"two.tar.gz"}));
    // A star before a dot stops at the name's last dot.
    EXPECT_EQ(find(d, "data/*.z"), (Names{"x.y.z"}));
    EXPECT_EQ(find(d, "data/*.y"), Names{});
}

TEST_F(FindMasks, QuestionMarksAlsoMatchNothingAtADotOrTheEnd)
{
    if (runningUnderWine())
        GTEST_SKIP() << kWineMatchesMasksItsOwnWay;
    EXPECT_EQ(find(d, "data/ab?"), (Names{"ab"}));
    EXPECT_EQ(find(d, "data/???.???"), (Names{"ab", "one.txt"}));
    EXPECT_EQ(find(d, "data/?.?.?"), (Names{"x.y.z"}));
}

TEST_F(FindMasks, TrailingDotsAndBlanksOfAMaskAreDropped)
{
    EXPECT_EQ(find(d, "data/ONE.TXT."), (Names{"one.txt"}));
    EXPECT_EQ(find(d, "data/one.txt  "), (Names{"one.txt"}));
    EXPECT_EQ(find(d, "data/*.txt . "), (Names{"one.txt"}));
    DWORD error = 0;
    EXPECT_EQ(find(d, "data/*.sav.", &error), Names{});
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(FindMaskTime, ManyStarsCostNoMoreThanOnePassOverEachName)
{
    if (runningUnderWine())
        GTEST_SKIP() << "Wine 8's FindFirstFileA lets \"********b\" match a name of a's alone";
    ScratchFolder d;
    d.write(std::string(60, 'a'), "");
    const auto start = std::chrono::steady_clock::now();
    DWORD error = 0;
    EXPECT_EQ(find(d, "********b", &error), Names{});
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(find(d, "********a"), Names{std::string(60, 'a')});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}
