// vtlpack's command line as a build script sees it: exit codes, standard
// output and the "vtlpack: " lines on standard error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {
struct Outcome {
    int code;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class VtlpackCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        work = fs::path(VTLPACK_WORK_DIR) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(work);
        fs::create_directories(work / "in");
    }
    void file(const std::string& name, const std::string& content)
    {
        std::ofstream(work / "in" / name, std::ios::binary) << content;
    }
    Outcome vtlpack(const std::string& arguments)
    {
        const std::string command = "cd '" + work.string() + "' && '" VTLPACK_TOOL "' " + arguments +
                                    " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(work / "stdout.txt"),
                slurp(work / "stderr.txt")};
    }
    fs::path work;
};
} // namespace

TEST_F(VtlpackCommand, PacksListsVerifiesAndExtracts)
{
    file("B.WAV", "wave");
    file("A.BMP", "bitmap!");
    file(".hidden", "not packed");
    Outcome r = vtlpack("create game.vtl in");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "game.vtl: 2 entries, 66 bytes\n");
    EXPECT_EQ(r.err, "");

    r = vtlpack("list game.vtl");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "A.BMP 7\nB.WAV 4\n");

    r = vtlpack("verify game.vtl");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "game.vtl: OK, 2 entries\n");

    r = vtlpack("extract game.vtl out");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(slurp(work / "out" / "A.BMP"), "bitmap!");
    EXPECT_EQ(slurp(work / "out" / "B.WAV"), "wave");

    // Files named one by one keep the order given.
    r = vtlpack("create two.vtl in/B.WAV in/A.BMP");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(vtlpack("list two.vtl").out, "B.WAV 4\nA.BMP 7\n");
}

TEST_F(VtlpackCommand, RefusesNamesTheLibraryCouldNotLoad)
{
    file("title.bmp", "x");
    file("TOOLONGNAME.TXT", "x");
    file("GOOD.TGA", "x");
    file("Good.TGA", "x");
    file("A.B.C", "x");
    const Outcome r = vtlpack("create game.vtl in");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("vtlpack: in/title.bmp: invalid entry name \"title.bmp\": the ending must be "
                         "upper case for the library to load it\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("\"TOOLONGNAME.TXT\": longer than 12 characters"), std::string::npos);
    EXPECT_NE(r.err.find("\"A.B.C\": not an 8.3 name"), std::string::npos);
    EXPECT_NE(r.err.find("is already used (names ignore case)"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(work / "game.vtl")) << "no archive is left behind";
}

TEST_F(VtlpackCommand, ReportsUnusableArchivesAndCommandLines)
{
    file("DATA.BIN", "0123456789");
    ASSERT_EQ(vtlpack("create game.vtl in").code, 0);
    const std::string whole = slurp(work / "game.vtl");
    std::ofstream(work / "cut.vtl", std::ios::binary) << whole.substr(0, whole.size() - 1);

    Outcome r = vtlpack("verify cut.vtl");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "vtlpack: cut.vtl: FastFileInit: invalid archive\n");
    r = vtlpack("list missing.vtl");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("vtlpack: missing.vtl: "), std::string::npos);
    r = vtlpack("create empty.vtl");
    EXPECT_EQ(r.code, 2);
    r = vtlpack("create x.vtl in/NOPE.BIN");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "vtlpack: in/NOPE.BIN: no such file or folder\n");
    r = vtlpack("frobnicate");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(vtlpack("--help").code, 0);
}
