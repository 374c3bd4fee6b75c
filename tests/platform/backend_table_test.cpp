// The backend table and its chooser: the order in which backends are offered
// a device, what the per-device variables ask for, and the table this build
// has.
#include "platform/backends/backend_table.h"

#include "platform/backends/headless/scripted_game_port.h"
#include "platform/ddraw/display_backend.h"
#include "platform/user/video_backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using vtl::BackendDescriptor;
using vtl::BackendRequest;
using vtl::BackendTable;

bool yes() { return true; }
bool no() { return false; }

BackendDescriptor fake(const char* name, bool (*available)() = yes)
{
    return BackendDescriptor{name, "", available, nullptr, nullptr, nullptr, nullptr};
}

// A table of three backends; `opens` says whose device opens.  Records the
// order in which they were offered.
struct Walk {
    BackendDescriptor first = fake("first");
    BackendDescriptor second = fake("second");
    BackendDescriptor last = fake("last");
    const BackendDescriptor* entries[3] = {&first, &second, &last};
    BackendTable table{entries, 3};
    std::set<std::string> opens;
    std::vector<std::string> offered;

    const char* run(const BackendRequest& request)
    {
        offered.clear();
        const BackendDescriptor* chosen = vtl::walkBackends(table, request, [&](const BackendDescriptor& b) {
            offered.push_back(b.name);
            return opens.count(b.name) > 0;
        });
        return chosen ? chosen->name : nullptr;
    }
};

using Names = std::vector<std::string>;

TEST(BackendChooser, APreferredBackendIsOfferedFirstThenTheTableInOrder)
{
    Walk walk;
    walk.opens = {"second"};
    EXPECT_STREQ(walk.run(vtl::preferredBackend("second")), "second");
    EXPECT_EQ(walk.offered, Names({"second"}));

    // It cannot open: the walk goes on from the top, without offering it
    // twice.
    walk.opens = {"last"};
    EXPECT_STREQ(walk.run(vtl::preferredBackend("second")), "last");
    EXPECT_EQ(walk.offered, Names({"second", "first", "last"}));

    // Unset: the first that opens.
    walk.opens = {"second", "last"};
    EXPECT_STREQ(walk.run(vtl::preferredBackend(nullptr)), "second");
    EXPECT_EQ(walk.offered, Names({"first", "second"}));
}

TEST(BackendChooser, ARequiredOutputThatCannotOpenLeavesNone)
{
    Walk walk;
    walk.opens = {"first", "last"};
    EXPECT_EQ(walk.run(vtl::audioRequest("second")), nullptr);
    EXPECT_EQ(walk.offered, Names({"second"}));
    EXPECT_STREQ(walk.run(vtl::audioRequest("last")), "last");
    EXPECT_EQ(walk.offered, Names({"last"}));
    // Unset: as for the other devices.
    EXPECT_STREQ(walk.run(vtl::audioRequest(nullptr)), "first");
}

TEST(BackendChooser, ANameTheTableDoesNotHaveAsksForNothing)
{
    Walk walk;
    walk.opens = {"second"};
    for (const char* value : {"bogus", "", "second:x", "SECOND"}) {
        SCOPED_TRACE(value);
        EXPECT_STREQ(walk.run(vtl::preferredBackend(value)), "second");
        EXPECT_EQ(walk.offered, Names({"first", "second"}));
        // Not even for audio, where a known name would be required.
        EXPECT_STREQ(walk.run(vtl::audioRequest(value)), "second");
    }
}

TEST(BackendChooser, AnUnavailableBackendIsNeverOffered)
{
    Walk walk;
    walk.first.available = no;
    walk.opens = {"first", "second", "last"};
    EXPECT_STREQ(walk.run(vtl::preferredBackend("first")), "second");
    EXPECT_EQ(walk.offered, Names({"second"}));
    // Asked for as the one output: nothing, as when it cannot open.
    EXPECT_EQ(walk.run(vtl::audioRequest("first")), nullptr);
    EXPECT_TRUE(walk.offered.empty());
}

TEST(BackendChooser, AWavFileIsTheHeadlessOutputRecordingToIt)
{
    const BackendRequest wav = vtl::audioRequest("wav:/tmp/out put.wav");
    EXPECT_EQ(wav.name, "headless");
    EXPECT_EQ(wav.option, "/tmp/out put.wav");
    EXPECT_TRUE(wav.required);
    const BackendRequest plain = vtl::audioRequest("headless");
    EXPECT_EQ(plain.name, "headless");
    EXPECT_EQ(plain.option, "");
}

// ---- The table of this build ------------------------------------------------

TEST(BackendTable, EndsWithTheHeadlessBackendWhichOpensEveryDevice)
{
    const BackendTable& table = vtl::backendTable();
    ASSERT_GE(table.count, 1u);
    const BackendDescriptor& last = table.last();
    EXPECT_STREQ(last.name, "headless");
    ASSERT_TRUE(last.available());
    ASSERT_TRUE(last.openVideo && last.openDisplay && last.openAudio && last.openGamePort);
    auto video = last.openVideo();
    ASSERT_NE(video, nullptr);
    // The display is found by the name the video backend gives.
    EXPECT_STREQ(video->name(), last.name);
    EXPECT_NE(last.openDisplay(), nullptr);
    EXPECT_NE(last.openGamePort(), nullptr);
}

TEST(BackendTable, NamesAreUniqueAndEveryBackendOfTheProjectIsKnown)
{
    const BackendTable& table = vtl::backendTable();
    std::set<std::string> names;
    for (size_t i = 0; i < table.count; ++i) {
        const BackendDescriptor& b = *table.entries[i];
        EXPECT_TRUE(names.insert(b.name).second) << b.name;
        EXPECT_EQ(std::string(b.name).find(':'), std::string::npos) << b.name;
        // A backend left out of the build has no devices and never runs.
        if (!b.openVideo && !b.openDisplay && !b.openAudio && !b.openGamePort) {
            EXPECT_FALSE(b.available()) << b.name;
        }
    }
    // Known even when not built, so that asking for it is never "unknown".
    EXPECT_EQ(names.count("sdl"), 1u);
    EXPECT_EQ(table.find("nothing"), nullptr);
}

// Sets a variable for one scope, then puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        const char* before = std::getenv(name);
        had_ = before != nullptr;
        if (had_)
            before_ = before;
        setenv(name, value, 1);
    }
    ~ScopedVariable()
    {
        if (had_)
            setenv(name_, before_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    std::string before_;
};

// The variables as the devices read them.  Headless is asked for by name,
// so these hold on machines with a screen too.
TEST(BackendTable, EachDeviceComesFromTheBackendItsVariableNames)
{
    {
        ScopedVariable joystick("VANTREL_JOYSTICK", "headless");
        auto port = vtl::chooseGamePort();
        EXPECT_NE(dynamic_cast<vtl::ScriptedGamePort*>(port.get()), nullptr);
    }
    {
        ScopedVariable video("VANTREL_VIDEO", "headless");
        auto chosen = vtl::chooseVideo();
        ASSERT_NE(chosen, nullptr);
        EXPECT_STREQ(chosen->name(), "headless");
    }
    // A display for a video backend the table does not have: the fallback's.
    EXPECT_NE(vtl::chooseDisplay("nothing"), nullptr);
    EXPECT_NE(vtl::chooseDisplay(nullptr), nullptr);
}

} // namespace
