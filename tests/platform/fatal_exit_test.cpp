// FatalAppExit on the headless backend (VANTREL_VIDEO=headless), whose boxes
// answer at once: the text reaches the porter through Msg and the process
// ends with Windows' exit code.
#include <vantrel/win32/system.h>

#include <gtest/gtest.h>

TEST(FatalAppExitDeathTest, SaysWhyAndEndsTheProcessWithCodeOne)
{
    EXPECT_EXIT(FatalAppExitA(0, "The CD is not in the drive."), ::testing::ExitedWithCode(1),
                "The CD is not in the drive\\.");
}
