#include "platform/os/MessageBox.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace {

TEST(MessageBoxTest, EveryBoxIsEchoedToStandardError)
{
    Platform::SetMessageBoxesShown(false);
    testing::internal::CaptureStderr();
    Platform::ShowMessageBox("Fatal Error", "Failed to create window", Platform::MessageBoxIcon::kError);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fatal Error: Failed to create window\n");
    Platform::SetMessageBoxesShown(true);
}

// A box sets each line whole: long lines are broken at spaces, each piece
// within the width, counted in characters, not bytes, a word longer than
// that cut where the line ends; the lines given stay, and nothing of the
// text is lost.
TEST(MessageBoxTest, LongLinesAreBrokenAtSpacesForTheBox)
{
    struct Case {
        std::string text;
        std::size_t width;
        std::string wrapped;
    };
    const std::vector<Case> cases = {
        {"Failed to create window", 80, "Failed to create window"},
        {"one two three four", 9, "one two\nthree\nfour"},
        {"one two three four", 7, "one two\nthree\nfour"},
        {"a /very/long/path/without/spaces/Tamrisk.lock here", 10,
         "a\n/very/long\n/path/with\nout/spaces\n/Tamrisk.l\nock here"},
        {"p " + std::string(100, 'x') + " advice", 80,
         "p\n" + std::string(80, 'x') + "\n" + std::string(20, 'x') + " advice"},
        {"\xd0\xbf\xd0\xbf\xd0\xbf\xd0\xbf\xd0\xbf\xd0\xbf", 4, "\xd0\xbf\xd0\xbf\xd0\xbf\xd0\xbf\n\xd0\xbf\xd0\xbf"},
        {"first line\nsecond line is long", 10, "first line\nsecond\nline is\nlong"},
        {"\xd0\xbf\xd1\x83\xd1\x82\xd1\x8c \xd0\xba \xd0\xbf\xd0\xb0\xd0\xbf\xd0\xba\xd0\xb5", 6,
         "\xd0\xbf\xd1\x83\xd1\x82\xd1\x8c \xd0\xba\n\xd0\xbf\xd0\xb0\xd0\xbf\xd0\xba\xd0\xb5"},
        {"", 10, ""},
    };
    for (const Case& wrapCase : cases)
        EXPECT_EQ(Platform::WrapMessageText(wrapCase.text, wrapCase.width), wrapCase.wrapped) << wrapCase.text;
    // A box taller than the screen would hide its last lines.
    EXPECT_EQ(Platform::WrapMessageText("a b c d e f", 1, 4), "a\n...\ne\nf");
}

} // namespace
