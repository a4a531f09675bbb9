#include "framework/GameLoaderBase.h"

#include "tests/framework/NullGame.h"

#include "engine/core/Error.h"
#include "platform/os/MessageBox.h"
#include "tests/support/ScopedVariable.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

using ::testing::HasSubstr;

using Testing::Failure;
using Testing::NullGame;
using Testing::Say;

enum class DeleteFault { kNone, kThrowsOnce };

class TestLoader : public GameFramework::GameLoaderBase {
public:
    TestLoader(Failure failure, DeleteFault deleteFault)
        : GameLoaderBase("-windowed"), failure_(failure), deleteFault_(deleteFault)
    {
        Run();
    }

    int deleteCalls = 0;

protected:
    std::unique_ptr<GameFramework::GameBase> CreateGame() override
    {
        Say("creating");
        return std::make_unique<NullGame>(failure_);
    }

    // A game that asks to quit at once: the loop runs no frame.
    void RunLoop() override
    {
        if (failure_ != Failure::kNone)
            GameLoaderBase::RunLoop();
    }

    // Deleting fails after the game is gone; the handler calls it again.
    void DeleteGame() override
    {
        ++deleteCalls;
        GameLoaderBase::DeleteGame();
        if (deleteFault_ == DeleteFault::kThrowsOnce && deleteCalls == 1)
            throw Halvard::FileError("Can't write file high_scores.hsf");
    }

private:
    Failure failure_;
    DeleteFault deleteFault_;
};

struct LoaderCase {
    const char* name;
    Failure failure;
    DeleteFault deleteFault;
    const char* boxText;
    int deleteCalls;
};

// The game's user folder lies in a folder of the test's.
struct ScopedDataHome {
    Testing::TempFolder folder;
    Testing::ScopedVariable variable{"XDG_DATA_HOME", folder.Path().c_str()};
};

class GameLoaderBaseTest : public ::testing::TestWithParam<LoaderCase> {
protected:
    void SetUp() override { Platform::SetMessageBoxesShown(false); }
    void TearDown() override { Platform::SetMessageBoxesShown(true); }

    ScopedDataHome dataHome_;
};

// Whatever escapes, the game is deleted exactly once and before the box,
// which carries the error's own text or the fixed one, and Run returns.
TEST_P(GameLoaderBaseTest, TheGameIsDeletedOnceBeforeTheFatalErrorBox)
{
    const LoaderCase& c = GetParam();
    ::testing::internal::CaptureStderr();
    const TestLoader loader(c.failure, c.deleteFault);
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_TRUE(loader.HasFailed());
    EXPECT_EQ(loader.GetGame(), nullptr);
    EXPECT_EQ(loader.deleteCalls, c.deleteCalls);
    EXPECT_EQ(loader.GetCommandLine(), "-windowed");
    const std::string box = std::string("Fatal Error: ") + c.boxText;
    const size_t deleted = said.find("game deleted");
    ASSERT_NE(deleted, std::string::npos) << said;
    EXPECT_EQ(said.find("game deleted", deleted + 1), std::string::npos) << "deleted twice: " << said;
    EXPECT_THAT(said, HasSubstr(box));
    EXPECT_LT(deleted, said.find(box)) << said;
}

TEST(GameLoaderBase, AGameThatQuitsIsDeletedWithoutABox)
{
    const ScopedDataHome dataHome;
    Platform::SetMessageBoxesShown(false);
    ::testing::internal::CaptureStderr();
    const TestLoader loader(Failure::kNone, DeleteFault::kNone);
    const std::string said = ::testing::internal::GetCapturedStderr();
    Platform::SetMessageBoxesShown(true);
    EXPECT_FALSE(loader.HasFailed());
    EXPECT_EQ(loader.deleteCalls, 1);
    EXPECT_THAT(said, HasSubstr("game deleted"));
    EXPECT_THAT(said, ::testing::Not(HasSubstr("Fatal Error")));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, GameLoaderBaseTest,
    ::testing::Values(
        LoaderCase{"FileErrorInConstruction", Failure::kFileErrorInConstruction, DeleteFault::kNone,
                   "Can't open file data\\ui\\fonts\\fonts_basic.xml", 1},
        LoaderCase{"ErrorInAFrame", Failure::kErrorInFrame, DeleteFault::kNone, "Texture manager is full", 1},
        LoaderCase{"StdExceptionInAFrame", Failure::kStdExceptionInFrame, DeleteFault::kNone,
                   "Unhandled exception!", 1},
        LoaderCase{"IntInAFrame", Failure::kIntInFrame, DeleteFault::kNone, "Unhandled exception!", 1},
        LoaderCase{"DeleteThrowsAfterTheLoop", Failure::kNone, DeleteFault::kThrowsOnce,
                   "Can't write file high_scores.hsf", 2}),
    [](const ::testing::TestParamInfo<LoaderCase>& info) { return std::string(info.param.name); });

} // namespace
