// InstallJoystick and the calibration file.
#include "joystick_fixture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

void putLE32(std::vector<uint8_t>& b, size_t at, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}

// A file for a stick centred at 500 with extremes 100 and 900 and thresholds
// 400 and 600 in each slot named by `mask`.
std::vector<uint8_t> savedFile(uint8_t mask, uint8_t mode)
{
    std::vector<uint8_t> b(84, 0);
    b[0] = mask;
    b[1] = mode;
    const int32_t record[10] = {400, 600, 400, 600, 500, 500, 100, 900, 100, 900};
    for (int stick = 0; stick < 2; ++stick)
        for (int i = 0; i < 10; ++i)
            putLE32(b, 4 + stick * 40 + i * 4, record[i] + stick);
    return b;
}

class CalibrationFileTest : public JoystickTest {
protected:
    void SetUp() override
    {
        JoystickTest::SetUp();
        char pattern[] = "/tmp/vantrel-joystick-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        file = dir + "/JOYSTICK.CAL";
        port.plug(0, 500, 500);
        port.plug(1, 501, 501);
    }
    void TearDown() override
    {
        for (const std::string& name : entries())
            std::remove((dir + "/" + name).c_str());
        ::rmdir(dir.c_str());
        JoystickTest::TearDown();
    }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        if (DIR* d = ::opendir(dir.c_str())) {
            while (dirent* e = ::readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                    names.push_back(e->d_name);
            ::closedir(d);
        }
        return names;
    }
    BYTE install(BYTE mode, BYTE exclude = 0, const char* name = nullptr)
    {
        return InstallJoystick(nullptr, RECT{0, 0, 640, 480}, mode, exclude, name ? name : file.c_str());
    }

    std::string dir;
    std::string file;
};

TEST_F(CalibrationFileTest, WithoutAFileNameNoStickIsUsable)
{
    EXPECT_EQ(InstallJoystick(nullptr, RECT{}, 0, 0, nullptr), 0);
    EXPECT_EQ(vtl::joystickState().present[0], 0);
    EXPECT_EQ(vtl::joystickState().present[1], 0);
    EXPECT_EQ(install(0, 0, ""), 0);
    EXPECT_TRUE(entries().empty());
}

TEST_F(CalibrationFileTest, AMissingFileMeansBothSticksNeedCalibrating)
{
    EXPECT_EQ(install(0), 0);
    EXPECT_FALSE(exists(file)) << "nothing usable, nothing saved";
}

TEST_F(CalibrationFileTest, AFileOfTheWrongLengthIsDeleted)
{
    for (size_t length : {size_t{83}, size_t{85}, size_t{0}}) {
        std::vector<uint8_t> bytes = savedFile(3, 0);
        bytes.resize(length);
        writeFile(file, bytes);
        EXPECT_EQ(install(0), 0) << length;
        EXPECT_FALSE(exists(file)) << length;
    }
}

TEST_F(CalibrationFileTest, AFileSavedForTheOtherFamilyOfModesIsRejected)
{
    writeFile(file, savedFile(3, 1));
    EXPECT_EQ(install(2), 2) << "stick 1 needs calibrating; stick 2 is not judged in mode 2";
    EXPECT_EQ(vtl::joystickState().present[0], 0);
    writeFile(file, savedFile(3, 1));
    EXPECT_EQ(install(0), 3) << "modes 0 and 1 share their calibrations";

    writeFile(file, savedFile(3, 3));
    EXPECT_EQ(install(2), 3);
    const std::vector<uint8_t> saved = savedFile(3, 3);
    writeFile(file, saved);
    EXPECT_EQ(install(1), 0);
    EXPECT_EQ(readFile(file), saved) << "with nothing usable the file is left alone";
}

TEST_F(CalibrationFileTest, AFullySavedFileIsTrustedAndSavedAgainInTheCurrentMode)
{
    writeFile(file, savedFile(3, 0));
    port.plug(0, 900, 900); // off-centre, but a full file is not checked
    EXPECT_EQ(install(1), 3);
    const vtl::JoystickCalibration& c = vtl::joystickState().calibration[1];
    EXPECT_EQ(c.left, 401);
    EXPECT_EQ(c.maxY, 901);
    std::vector<uint8_t> expected = savedFile(3, 1);
    EXPECT_EQ(readFile(file), expected);
}

TEST_F(CalibrationFileTest, AStickSavedAloneIsCheckedForDrift)
{
    // Stick 2 was never calibrated: it needs calibrating.
    writeFile(file, savedFile(1, 0));
    EXPECT_EQ(install(0), 1);
    EXPECT_EQ(vtl::joystickState().present[1], 0);
    EXPECT_EQ(readFile(file)[0], 1);

    // Stick 1 off-centre in two successive reads: it needs calibrating too.
    port.plug(0, 900, 500);
    EXPECT_EQ(install(0), 0);
    EXPECT_EQ(vtl::joystickState().present[0], 0);

    // Off-centre once only (a hand on it): still trusted.
    vtl::GamePortSample pushed = port.held();
    port.plug(0, 500, 500);
    port.queue(pushed);
    EXPECT_EQ(install(0), 1);
}

TEST_F(CalibrationFileTest, OneStickModesJudgeOnlyStickOne)
{
    writeFile(file, savedFile(1, 2));
    EXPECT_EQ(install(3), 3);
    EXPECT_EQ(vtl::joystickState().present[1], 1);
    EXPECT_EQ(readFile(file)[0], 3);
    writeFile(file, savedFile(1, 2));
    port.plug(0, 100, 500);
    EXPECT_EQ(install(2), 2) << "stick 1 drifted; stick 2 keeps its bit";
}

TEST_F(CalibrationFileTest, ExcludedSticksAreNotUsed)
{
    writeFile(file, savedFile(3, 0));
    EXPECT_EQ(install(0, 2), 1);
    EXPECT_EQ(vtl::joystickState().present[1], 0);
    EXPECT_EQ(readFile(file)[0], 1);
    EXPECT_EQ(install(0, 3), 0);
}

TEST_F(CalibrationFileTest, ACalibrationMadeByThePlayerRoundTrips)
{
    EXPECT_EQ(install(0), 0);
    port.plug(0, 570, 560);
    CalibCenter(0);
    for (const uint32_t p : {24u, 1124u}) {
        port.plug(0, p, p);
        CalibAdjust(0);
    }
    const vtl::JoystickCalibration made = vtl::joystickState().calibration[0];
    ASSERT_TRUE(SaveJoystickCalibration(file.c_str()));

    const std::vector<uint8_t> bytes = readFile(file);
    ASSERT_EQ(bytes.size(), 84u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[3], 0);
    // Centre x at bytes 20-23, little-endian.
    EXPECT_EQ(bytes[20] | bytes[21] << 8 | bytes[22] << 16 | bytes[23] << 24, 570);

    vtl::joystickState() = vtl::JoystickState();
    port.plug(0, 570, 560);
    EXPECT_EQ(install(1), 1);
    const vtl::JoystickCalibration& loaded = vtl::joystickState().calibration[0];
    EXPECT_EQ(std::memcmp(&loaded, &made, sizeof made), 0);
}

// Moves stick 1 through a calibration: centre at (cx, cy), then both ends of
// the travel on each axis.
void calibrateStickOne(vtl::ScriptedGamePort& port, uint32_t cx, uint32_t cy)
{
    port.plug(0, cx, cy);
    CalibCenter(0);
    // The first position off the centre lands in the maximum; the sweep
    // comes back to correct it.
    for (const uint32_t p : {24u, 1124u, 24u}) {
        port.plug(0, p, p);
        CalibAdjust(0);
    }
    port.plug(0, cx, cy);
}

std::array<int32_t, 4> thresholds(const vtl::JoystickCalibration& c) { return {c.left, c.right, c.up, c.down}; }

TEST_F(CalibrationFileTest, ARecalibrationKeepsTheThresholdsOfTheFile)
{
    writeFile(file, savedFile(3, 0)); // thresholds 400, 600, 400, 600
    ASSERT_EQ(install(0), 3);
    calibrateStickOne(port, 520, 530);

    const vtl::JoystickCalibration& c = vtl::joystickState().calibration[0];
    EXPECT_EQ(c.centreX, 520);
    EXPECT_EQ(c.minX, 24);
    EXPECT_EQ(c.maxY, 1124);
    EXPECT_EQ(c.left, 400);
    EXPECT_EQ(c.right, 600);
    EXPECT_EQ(c.up, 400);
    EXPECT_EQ(c.down, 600);
    // 606 is right by the file's threshold; the library's own would put
    // right at 671.
    port.plug(0, 606, 530);
    EXPECT_EQ(poll(), DWORD{VTL_JOY_RIGHT});

    // Saved and loaded again, they are still the file's.
    ASSERT_TRUE(SaveJoystickCalibration(file.c_str()));
    vtl::joystickState() = vtl::JoystickState();
    port.plug(0, 520, 530);
    ASSERT_EQ(install(0), 3);
    EXPECT_EQ(vtl::joystickState().calibration[0].right, 600);
    EXPECT_EQ(vtl::joystickState().calibration[0].centreX, 520);
}

TEST_F(CalibrationFileTest, AFirstCalibrationComputesTheThresholdsAndTheFileThenKeepsThem)
{
    ASSERT_EQ(install(0), 0); // no file: nothing calibrated, no thresholds
    calibrateStickOne(port, 574, 580);
    const vtl::JoystickCalibration& c = vtl::joystickState().calibration[0];
    // A quarter of the way to each extreme.
    EXPECT_EQ(c.left, 574 - 550 / 4);
    EXPECT_EQ(c.right, 574 + 550 / 4);
    EXPECT_EQ(c.up, 580 - 556 / 4);
    EXPECT_EQ(c.down, 580 + 544 / 4);

    // The player calibrates again in the same run: the library's own
    // thresholds follow the new centre.
    calibrateStickOne(port, 600, 580);
    EXPECT_EQ(c.left, 600 - 576 / 4);
    EXPECT_EQ(c.right, 600 + 524 / 4);

    // Once they have been through the file, a new calibration keeps them.
    const std::array<int32_t, 4> saved = thresholds(c);
    ASSERT_TRUE(SaveJoystickCalibration(file.c_str()));
    vtl::joystickState() = vtl::JoystickState();
    port.plug(0, 600, 580);
    ASSERT_EQ(install(0), 1);
    calibrateStickOne(port, 500, 500);
    EXPECT_EQ(vtl::joystickState().calibration[0].centreX, 500);
    EXPECT_EQ(thresholds(vtl::joystickState().calibration[0]), saved);

    // A file whose record holds no thresholds leaves the stick without any:
    // the next calibration places them.
    std::vector<uint8_t> bare = savedFile(3, 0);
    std::fill(bare.begin() + 4, bare.begin() + 20, 0);
    writeFile(file, bare);
    ASSERT_EQ(install(0), 3);
    calibrateStickOne(port, 500, 500);
    EXPECT_EQ(vtl::joystickState().calibration[0].left, 500 - 476 / 4);
}

TEST_F(CalibrationFileTest, SavingReplacesTheFileInOneStep)
{
    const std::vector<uint8_t> old = savedFile(3, 0);
    writeFile(file, old);
    // A second name for the old file sees whether it was rewritten in place:
    // a crash half-way through an in-place rewrite would leave it broken.
    const std::string oldName = dir + "/old";
    ASSERT_EQ(::link(file.c_str(), oldName.c_str()), 0);

    EXPECT_EQ(install(1), 3);
    EXPECT_EQ(readFile(oldName), old);
    EXPECT_EQ(readFile(file), savedFile(3, 1));
    EXPECT_EQ(entries().size(), 2u) << "no temporary file is left behind";
}

TEST_F(CalibrationFileTest, AFailedSaveLeavesNoTemporaryFile)
{
    CalibCenter(0);
    const std::string folder = dir + "/taken";
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    EXPECT_FALSE(SaveJoystickCalibration(folder.c_str()));
    EXPECT_EQ(entries(), std::vector<std::string>{"taken"});
    ::rmdir(folder.c_str());

    EXPECT_FALSE(SaveJoystickCalibration((dir + "/missing/JOY.CAL").c_str()));
    vtl::joystickState().present[0] = 0;
    EXPECT_FALSE(SaveJoystickCalibration(file.c_str())) << "no stick present";
    EXPECT_FALSE(exists(file));
}

} // namespace
