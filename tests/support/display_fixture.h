// A game window on the headless backend, the desktop format of one test, and
// the display device's test hooks cleared around each test.
#ifndef VANTREL_TESTS_DISPLAY_FIXTURE_H
#define VANTREL_TESTS_DISPLAY_FIXTURE_H

#include <vantrel/win32/types.h>

#include <gtest/gtest.h>

#include <string>

class DisplayTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets VANTREL_DESKTOP for the display objects made from now on.
    void useDesktop(const char* format);
    // A visible overlapped top-level window with the given client size.
    HWND makeWindow(int width = 320, int height = 240);

    HWND window = nullptr;

private:
    std::string savedDesktop_;
    bool hadDesktop_ = false;
};

#endif
