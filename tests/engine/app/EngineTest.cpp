#include "engine/core/Config.h"
#include "engine/app/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/TimerManager.h"

#include "platform/os/Paths.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TempFolder.h"
#include "tools/PackWriter.h"

#include <gtest/gtest.h>

using namespace Halvard;
using Testing::TempFolder;

namespace {

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : scoped(clock)
    {
        Platform::SetProgramFolder(folder.Path().string());
        settings.configFolder = folder.Internal();
        settings.defaultFullScreen = 0;
    }
    ~EngineTest() override { Platform::SetProgramFolder(""); }

    u32 CountExitLines(const MessageManager& log) const
    {
        return static_cast<u32>(Testing::LogProbe(log).Count("\nExiting...\n\n"));
    }

    TempFolder folder;
    Testing::FakeClock clock;
    Testing::ScopedClock scoped;
    EngineSettings settings;
};

} // namespace

TEST_F(EngineTest, EmptyNameFallsBackToHalvardEverywhere)
{
    {
        Engine engine(settings);
        EXPECT_EQ(engine.GetVersionString(), "Halvard 0.67");
        EXPECT_EQ(engine.GetSettings().versionNumber, 67u);
    }
    EXPECT_NE(folder.ReadFile("Halvard.html").find("<TITLE>Halvard Log</TITLE>"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(folder.Native("Halvard.ini")));
}

TEST_F(EngineTest, VersionIsMajorDotTwoDigitMinorAndKeptWithAName)
{
    settings.applicationName = "Game";
    settings.versionNumber = 100;
    EXPECT_EQ(Engine(settings).GetVersionString(), "Game 1.00");
    settings.versionNumber = 5;
    EXPECT_EQ(Engine(settings).GetVersionString(), "Game 0.05");
}

TEST_F(EngineTest, FramesMeasureTimeAndClearTheFramesEntries)
{
    Engine engine(settings);
    clock.Advance(0.02);
    engine.BeginFrame();
    EXPECT_NEAR(engine.GetTimerManager()->GetFrameTime(), 0.02f, 0.0011f);
    EXPECT_EQ(engine.GetMessageManager()->GetLogEntryCount(), 0u);
    engine.EndFrame(0);
    EXPECT_TRUE(clock.Sleeps().empty());
    engine.EndFrame(15);
    ASSERT_EQ(clock.Sleeps().size(), 1u);
    EXPECT_EQ(clock.Sleeps()[0], 15u);
}

TEST_F(EngineTest, ExitIsLoggedInEveryFrameWhileItStandsInvoked)
{
    Engine engine(settings);
    EXPECT_FALSE(engine.IsExitRequested());
    engine.RequestExit();
    EXPECT_TRUE(engine.IsExitRequested());
    engine.EndFrame(0);
    engine.EndFrame(0);
    EXPECT_EQ(CountExitLines(*engine.GetMessageManager()), 2u);
    engine.GetConfig()->SetCommandHandled("exit", true);
    engine.EndFrame(0);
    EXPECT_EQ(CountExitLines(*engine.GetMessageManager()), 2u);
}

TEST_F(EngineTest, ChangedFlagsLastUntilTheFramesEnd)
{
    Engine engine(settings);
    float tracked = 0.0f;
    engine.GetConfig()->AddVariable("ui_tracked", Config::kFloat, {.tracked = true}, &tracked, "1.0");
    engine.BeginFrame();
    EXPECT_TRUE(engine.GetConfig()->IsChanged("ui_tracked"));
    engine.EndFrame(0);
    EXPECT_FALSE(engine.GetConfig()->IsChanged("ui_tracked"));
    engine.GetConfig()->RemoveVariable("ui_tracked");
}

TEST_F(EngineTest, IniFileIsSavedOnlyWhenAsked)
{
    settings.saveConfigOnExit = 0;
    { Engine engine(settings); }
    EXPECT_FALSE(std::filesystem::exists(folder.Native("Halvard.ini")));
    settings.saveConfigOnExit = 1;
    {
        Engine engine(settings);
        engine.GetConfig()->ExecuteLine("v_mode 640x480x16");
    }
    EXPECT_NE(folder.ReadFile("Halvard.ini").find("v_mode 640x480x16\r\n"), std::string::npos);
}

// The ini file is opened through the file manager, which therefore exists,
// with the packs of the install folder's data folder mounted, before the
// configuration is read.
TEST_F(EngineTest, TheDataFolderPacksAreMountedBeforeTheIniFileIsRead)
{
    const std::string ini = "v_mode 640x480x32\r\n";
    const std::vector<u8> pack = Tools::BuildPack({{"halvard.ini", Testing::BytesOf(ini)}});
    folder.WriteFile("Install\\Data\\defaults.pak", std::string(pack.begin(), pack.end()));
    settings.installFolder = folder.Internal() + "\\Install";
    settings.configFolder.clear();
    settings.saveConfigOnExit = 0;
    Engine engine(settings);
    EXPECT_EQ(engine.GetFileManager()->GetBaseFolder(), settings.installFolder);
    EXPECT_EQ(engine.GetFileManager()->GetPackCount(), 1u);
    EXPECT_EQ(engine.GetConfig()->videoMode, "640x480x32");
}

TEST_F(EngineTest, LogClosesWithItsFooterAfterEverythingElse)
{
    { Engine engine(settings); }
    const std::string html = folder.ReadFile("Halvard.html");
    const std::string footer = "</FONT></BODY></HTML>";
    ASSERT_GE(html.size(), footer.size());
    EXPECT_EQ(html.substr(html.size() - footer.size()), footer);
}

TEST_F(EngineTest, RandomSequenceIsSeededFromTheTimeSinceBoot)
{
    clock.SetMillisecondsSinceBoot(4242);
    Engine engine(settings);
    const i32 drawn = Random();
    SetRandomSeed(4242);
    EXPECT_EQ(Random(), drawn);
}
