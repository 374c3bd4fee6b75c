// vtlpack's command line as a build script sees it: exit codes, standard
// output and the "vtlpack: " lines on standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
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
        // Bounded, so that a command that blocks fails its test instead of
        // hanging the suite.
        const std::string command = "cd '" + work.string() + "' && timeout 60 '" VTLPACK_TOOL "' " + arguments +
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
    file("B.DAT", "wave");
    file("A.TXT", "bitmap!");
    file(".hidden", "not packed");
    Outcome r = vtlpack("create game.vtl in");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "game.vtl: 2 entries, 66 bytes\n");
    EXPECT_EQ(r.err, "");

    r = vtlpack("list game.vtl");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "A.TXT 7\nB.DAT 4\n");

    r = vtlpack("verify game.vtl");
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("game.vtl: OK, 2 entries\n"), std::string::npos) << r.out;

    r = vtlpack("extract game.vtl out");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(slurp(work / "out" / "A.TXT"), "bitmap!");
    EXPECT_EQ(slurp(work / "out" / "B.DAT"), "wave");

    // Files named one by one keep the order given.
    r = vtlpack("create two.vtl in/B.DAT in/A.TXT");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(vtlpack("list two.vtl").out, "B.DAT 4\nA.TXT 7\n");
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
    EXPECT_EQ(r.err, "vtlpack: cut.vtl: the entries end at 48, past the end of the file (47 bytes): the file is "
                     "cut short (FastFileInit: invalid archive)\n");
    r = vtlpack("create empty.vtl");
    EXPECT_EQ(r.code, 2);
    r = vtlpack("create x.vtl in/NOPE.BIN");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "vtlpack: in/NOPE.BIN: No such file or directory\n");
    r = vtlpack("frobnicate");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(vtlpack("--help").code, 0);
}

TEST_F(VtlpackCommand, EveryCommandNamesTheArchiveAndWhyItCannotBeRead)
{
    file("DATA.BIN", "0123456789");
    ASSERT_EQ(vtlpack("create game.vtl in").code, 0);
    const std::string whole = slurp(work / "game.vtl");
    fs::create_directories(work / "folder.vtl");
    std::ofstream(work / "empty.vtl");
    std::ofstream(work / "three.vtl") << "abc";
    // A count of a million entries in a file of a few bytes.
    std::ofstream(work / "count.vtl", std::ios::binary) << std::string("\x40\x42\x0f\x00", 4) << whole.substr(4);
    // A picture given as an archive.
    std::ofstream(work / "picture.vtl", std::ios::binary) << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    const struct {
        const char* archive;
        const char* reason;
    } cases[] = {
        {"missing.vtl", "No such file or directory"},
        {"folder.vtl", "is a folder, not a file"},
        {"empty.vtl", "empty file, not an archive"},
        {"three.vtl", "too short for an archive (3 bytes"},
        {"count.vtl", "the directory of 1000000 entries needs 17000004 bytes, the file holds 48"},
        // Named for what it is, not read as a directory of 1196314761 entries.
        {"picture.vtl", "picture.vtl: not an archive: it is a PNG picture"},
    };
    for (const auto& c : cases)
        for (const char* command : {"list", "verify", "extract"}) {
            const Outcome r = vtlpack(std::string(command) + " " + c.archive);
            const std::string what = std::string(command) + " " + c.archive + ": " + r.err;
            EXPECT_EQ(r.code, 1) << what;
            EXPECT_EQ(r.err.rfind(std::string("vtlpack: ") + c.archive + ": ", 0), 0u) << what;
            EXPECT_NE(r.err.find(c.reason), std::string::npos) << what;
            EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << what;
        }
    Outcome r = vtlpack("create x.vtl in/DATA.BIN folder.vtl/");
    EXPECT_EQ(r.code, 0) << "an empty folder adds nothing: " << r.err;
    fs::create_directories(work / "in" / "SUB");
    r = vtlpack("create x.vtl in");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("in/SUB: not a regular file (folders are packed one level deep)"), std::string::npos) << r.err;
}

TEST_F(VtlpackCommand, ANamedPipeIsRefusedAtOnceInsteadOfWaitedOn)
{
    // Opening a pipe for reading waits for a writer that never comes.
    ASSERT_EQ(::mkfifo((work / "pipe.vtl").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((work / "PIPE.BMP").c_str(), 0600), 0);
    file("DATA.BIN", "0123456789");
    for (const char* arguments : {"list pipe.vtl", "verify pipe.vtl", "extract pipe.vtl out", "verify PIPE.BMP",
                                  "create x.vtl pipe.vtl", "create x.vtl in/DATA.BIN PIPE.BMP"}) {
        const Outcome r = vtlpack(arguments);
        EXPECT_EQ(r.code, 1) << arguments << ": " << r.err;
        EXPECT_NE(r.err.find(": is a named pipe, not a regular file\n"), std::string::npos) << arguments << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << arguments << ": " << r.err;
    }
    // One met while packing a folder is named for what it is.
    ASSERT_EQ(::mkfifo((work / "in" / "FIFO.DAT").c_str(), 0600), 0);
    const Outcome r = vtlpack("create x.vtl in");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "vtlpack: in/FIFO.DAT: is a named pipe, not a regular file\n");
    EXPECT_FALSE(fs::exists(work / "x.vtl"));

    // Nor is one waiting where an entry is to be extracted.
    fs::remove(work / "in" / "FIFO.DAT");
    ASSERT_EQ(vtlpack("create game.vtl in").code, 0);
    fs::create_directories(work / "out");
    ASSERT_EQ(::mkfifo((work / "out" / "DATA.BIN").c_str(), 0600), 0);
    const Outcome x = vtlpack("extract game.vtl out");
    EXPECT_EQ(x.code, 1);
    EXPECT_EQ(x.err, "vtlpack: out/DATA.BIN: is a named pipe, not a regular file\n");
}

TEST_F(VtlpackCommand, EntryNamesAreListedWithTheirControlCharactersEscaped)
{
    // A hand-made archive whose one entry is named ESC "[2J" (clear screen),
    // then a backslash and a byte above ASCII.
    std::string archive("\x02\0\0\0", 4);
    const std::string name = "\x1b[2J\\\xe9";
    archive += std::string("\x26\0\0\0", 4) + name + std::string(13 - name.size(), '\0');
    archive += std::string("\x28\0\0\0", 4) + std::string(13, '\0') + "hi";
    std::ofstream(work / "odd.vtl", std::ios::binary) << archive;
    Outcome r = vtlpack("list odd.vtl");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "\\x1b[2J\\\\\\xe9 2\n");
    r = vtlpack("verify odd.vtl");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("\"\\x1b[2J"), std::string::npos) << r.err;
}
