#include "platform/os/MessageBox.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxTest, EveryBoxIsEchoedToStandardError)
{
    Platform::SetMessageBoxesShown(false);
    testing::internal::CaptureStderr();
    Platform::ShowMessageBox("Fatal Error", "Failed to create window", Platform::MessageBoxIcon::kError);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fatal Error: Failed to create window\n");
    Platform::SetMessageBoxesShown(true);
}

} // namespace
