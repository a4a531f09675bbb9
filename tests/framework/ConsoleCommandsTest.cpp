#include "framework/ConsoleCommands.h"

#include "engine/core/Config.h"
#include "engine/core/Image.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using GameFramework::ConsoleCommands;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class ConsoleCommandsTest : public ::testing::Test {
protected:
    ConsoleCommandsTest() : commands_(&engine_.Get()) { commands_.Register(&showStatistics_); }

    Halvard::Config& Config() { return *engine_->GetConfig(); }
    Halvard::TextureManager& Textures() { return *engine_->GetShaderManager()->GetTextureManager(); }

    // The log lines written while the commands ran once.
    std::vector<std::string> Run()
    {
        const size_t before = Testing::LogProbe(*engine_->GetMessageManager()).Texts().size();
        commands_.Execute();
        const std::vector<std::string> texts = Testing::LogProbe(*engine_->GetMessageManager()).Texts();
        std::vector<std::string> lines;
        for (size_t i = before; i < texts.size(); ++i)
            lines.push_back(texts[i].substr(0, texts[i].find_last_not_of('\n') + 1));
        return lines;
    }

    Halvard::Texture2D* MakeTexture(const std::string& name, Halvard::u32 width, Halvard::u32 height)
    {
        auto diffuse = std::make_unique<Halvard::Image>();
        diffuse->Create(engine_->GetMessageManager(), width, height, 32);
        std::unique_ptr<Halvard::Image> opacity;
        return Textures().CreateTexture(false, false, name, "", diffuse, opacity);
    }

    Testing::TestEngine engine_;
    Halvard::u8 showStatistics_ = 0;
    ConsoleCommands commands_;
};

TEST_F(ConsoleCommandsTest, NothingIsWrittenWhileNoCommandIsPending)
{
    EXPECT_THAT(Run(), IsEmpty());
}

TEST_F(ConsoleCommandsTest, ACommandInvokedTwiceInOneFrameWritesItsLinesOnce)
{
    Config().SetCommandHandled(ConsoleCommands::kManagersOccupation, false);
    Config().SetCommandHandled(ConsoleCommands::kManagersOccupation, false);
    const std::vector<std::string> lines = Run();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_THAT(lines[0], StartsWith("Shader users count: "));
    EXPECT_THAT(lines[1], StartsWith("Shaders count: "));
    EXPECT_THAT(lines[2], StartsWith("Textures count: "));
    EXPECT_THAT(lines[3], StartsWith("Models count: "));
    EXPECT_THAT(lines[4], StartsWith("Sounds count: "));
    EXPECT_TRUE(Config().IsCommandHandled(ConsoleCommands::kManagersOccupation));
    EXPECT_THAT(Run(), IsEmpty());
}

TEST_F(ConsoleCommandsTest, ThreeMegabytesOfTexturesAreLoggedWithTwoDecimals)
{
    MakeTexture("two_megabytes", 1024, 512);
    MakeTexture("one_megabyte", 512, 512);
    ASSERT_EQ(Textures().GetUsedVideoMemorySize(), 3145728u);
    Config().SetCommandHandled(ConsoleCommands::kUsedVideoMemory, false);
    EXPECT_THAT(Run(), ElementsAre("Video Memory Used: 3.00 Mb"));
}

TEST_F(ConsoleCommandsTest, LoadedTexturesAreListedByIndexAndNoTextureWritesNoLine)
{
    const size_t already = Textures().GetTextureCount();
    Config().SetCommandHandled(ConsoleCommands::kLoadedTextures, false);
    if (already == 0) {
        EXPECT_THAT(Run(), IsEmpty());
        Config().SetCommandHandled(ConsoleCommands::kLoadedTextures, false);
    }
    MakeTexture("alpha", 8, 8);
    MakeTexture("beta", 8, 8);
    std::vector<Halvard::Texture2D*> loaded;
    Textures().GetLoadedTextures(loaded);
    std::vector<std::string> expected;
    for (size_t i = 0; i < loaded.size(); ++i)
        expected.push_back("Texture " + std::to_string(i) + ": " + loaded[i]->GetKey());
    EXPECT_EQ(Run(), expected);
    EXPECT_EQ(loaded.size(), already + 2);
}

TEST_F(ConsoleCommandsTest, ShowStatisticsIsASavedFlagBoundToTheField)
{
    EXPECT_EQ(Config().GetValue(ConsoleCommands::kShowStatistics), "0");
    Config().SetValue(ConsoleCommands::kShowStatistics, "1");
    EXPECT_EQ(showStatistics_, 1);
    // Only commands answer; the value itself writes nothing.
    EXPECT_THAT(Run(), IsEmpty());
}

TEST_F(ConsoleCommandsTest, TheVideoModeCommandIsLeftPendingForTheFrame)
{
    Config().SetCommandHandled(ConsoleCommands::kUpdateVideoMode, false);
    EXPECT_THAT(Run(), IsEmpty());
    EXPECT_FALSE(Config().IsCommandHandled(ConsoleCommands::kUpdateVideoMode));
}

} // namespace
