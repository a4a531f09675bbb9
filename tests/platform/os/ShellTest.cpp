#include "platform/os/Shell.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override { Platform::ClearShellOpenRequests(); }
    void TearDown() override
    {
        Platform::SetShellOpenEnabled(true);
        Platform::ClearShellOpenRequests();
    }
};

// Under the offscreen driver nothing is started, yet every request is told
// on stderr and kept, in order.
TEST_F(ShellTest, RequestsAreEchoedAndRecordedWithoutAScreen)
{
    ASSERT_STREQ(std::getenv("SDL_VIDEODRIVER"), "offscreen");
    ::testing::internal::CaptureStderr();
    Platform::ShellOpen("https://stats.example.org/a");
    Platform::ShellOpen("https://stats.example.org/b");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(said, HasSubstr("https://stats.example.org/a"));
    EXPECT_THAT(said, HasSubstr("https://stats.example.org/b"));
    EXPECT_THAT(Platform::GetShellOpenRequests(),
                ElementsAre("https://stats.example.org/a", "https://stats.example.org/b"));
}

// Turned off, opening never starts a program even with a screen; a desktop
// without xdg-open would be no error either way.
TEST_F(ShellTest, TurnedOffItOnlyRecords)
{
    Platform::SetShellOpenEnabled(false);
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = driver != nullptr ? driver : "";
    setenv("SDL_VIDEODRIVER", "x11", 1);
    ::testing::internal::CaptureStderr();
    Platform::ShellOpen("https://stats.example.org/c");
    ::testing::internal::GetCapturedStderr();
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    EXPECT_THAT(Platform::GetShellOpenRequests(), ElementsAre("https://stats.example.org/c"));
}

} // namespace
