#include "tests/data/GameFixture.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/render/RenderSystem.h"
#include "framework/GameLoaderBase.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/sound/SoundVolumes.h"
#include "game/ProgramEntry.h"
#include "game/persistence/ProfileManager.h"
#include "platform/os/Shell.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/SdlEvents.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// What the engine was made with and what it made of that, as a first frame
// sees it.
struct EngineSeen {
    Halvard::EngineSettings settings;
    std::string videoMode;
    bool stencilPresent = false;
};

// The game as the program makes it, asking to quit during its third frame
// as the exit window's result would, and noting the window's title.
class QuittingGame : public Testing::TestGame {
public:
    void Update() override
    {
        if (++frames == 1)
            engine = {GetEngine()->GetSettings(), GetEngine()->GetConfig()->videoMode,
                      GetEngine()->GetRenderSystem()->IsStencilPresent()};
        if (frames == 3)
            GetEngine()->RequestExit();
        Game::Update();
        SDL_Window* window = SDL_GetWindowFromID(Testing::WindowIdOf(*GetEngine()->GetWindow()));
        title = SDL_GetWindowTitle(window);
    }

    int frames = 0;
    std::string title;
    EngineSeen engine;
};

// The loader's whole run over that game.
class QuittingLoader : public GameFramework::GameLoaderBase {
public:
    QuittingLoader() : GameLoaderBase("") { Run(); }

    int frames = 0;
    std::string title;
    EngineSeen engine;

protected:
    std::unique_ptr<GameFramework::GameBase> CreateGame() override { return std::make_unique<QuittingGame>(); }
    void DeleteGame() override
    {
        if (auto* game = dynamic_cast<QuittingGame*>(GetGame())) {
            frames = game->frames;
            title = game->title;
            engine = game->engine;
        }
        GameLoaderBase::DeleteGame();
    }
};

// Each line's position in the log, which must rise.
std::vector<size_t> Positions(const std::vector<std::string>& texts, const std::vector<std::string>& lines)
{
    std::vector<size_t> positions;
    for (const std::string& line : lines) {
        const auto found = std::find_if(texts.begin(), texts.end(),
                                        [&](const std::string& text) { return text.find(line) == 0; });
        positions.push_back(static_cast<size_t>(found - texts.begin()));
    }
    return positions;
}

// Only the volumes a profile manager asks of the sound set.
class NoSoundSet : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return 1.0f; }
    float GetSoundVolume() const override { return 1.0f; }
    void SetMusicVolume(float) override {}
    void SetSoundVolume(float) override {}
};

// The save files a first start leaves in the user's folder exist, and the
// game's own readers find them whole and empty.
void ExpectEmptySaveFiles(const Testing::GameFixture& fixture)
{
    const std::filesystem::path user = fixture.UserFolder();
    ASSERT_TRUE(std::filesystem::exists(user / "high_scores.hsf"));
    ASSERT_TRUE(std::filesystem::exists(user / "profiles.pmf"));
    Testing::QuietLog log;
    Halvard::FileManager files(&log, Testing::GameFolderInternal(), "");
    const GameFramework::FileServices services{&log, &files};
    std::string userFolder = user.string();
    std::replace(userFolder.begin(), userFolder.end(), '/', '\\');
    const GameFramework::HighScoresTable scores(services, 10, userFolder);
    NoSoundSet volumes;
    const Tamrisk::ProfileManager profiles(services, &volumes, userFolder);
    EXPECT_EQ(scores.GetEntryCount(0) + scores.GetEntryCount(1), 0u);
    EXPECT_EQ(scores.GetNextSequenceNumber(), 0u);
    EXPECT_EQ(profiles.GetProfileCount(), 0u);
    EXPECT_EQ(profiles.GetCurrentProfile(), nullptr);
    EXPECT_THAT(profiles.GetLevelRecords(), IsEmpty());
    EXPECT_THAT(Testing::LogProbe(log).Lines(Halvard::MessageManager::kError), IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(user / "high_scores.hsf.bad"));
    EXPECT_FALSE(std::filesystem::exists(user / "profiles.pmf.bad"));
}

// A program folder holding a copy of the build's data whose texts lack the
// window title.
std::filesystem::path CopyWithoutTitle(const Testing::TempFolder& folder)
{
    std::filesystem::copy(Testing::GameFolder() / "data", folder.Path() / "data",
                          std::filesystem::copy_options::recursive);
    const std::string texts = "data\\ui\\texts\\texts.xml";
    std::string xml = folder.ReadFile(texts);
    const size_t begin = xml.find("<game_title>");
    const std::string end = "</game_title>";
    const size_t after = xml.find(end);
    if (begin == std::string::npos || after == std::string::npos)
        throw std::runtime_error("texts.xml holds no game_title");
    xml.erase(begin, after + end.size() - begin);
    folder.WriteFile(texts, xml);
    return folder.Path();
}

struct TitleCase {
    const char* name;
    const char* registryLanguage;
    bool titleTextRemoved;
    const char* title;
};

class GameRunTest : public ::testing::TestWithParam<TitleCase> {
protected:
    GameRunTest() : fixture(GetParam().titleTextRemoved ? CopyWithoutTitle(programCopy) : Testing::GameFolder()) {}

    Testing::TempFolder programCopy;
    Testing::GameFixture fixture;
};

// The start-up comes up in its order on the shipped data, runs frames, and a
// requested exit ends the loop after that frame with "Exiting...", the game
// deleted (the log closed) and no error anywhere. The engine is made with the
// game's own settings, and the first start leaves empty save files.
TEST_P(GameRunTest, TheGameStartsInOrderRunsAndQuitsCleanly)
{
    if (GetParam().registryLanguage != nullptr)
        fixture.Folder().WriteFile("user.ini", std::string("[SOFTWARE\\Quenbyworks\\Tamrisk]\nLanguage=") +
                                                   GetParam().registryLanguage + "\n");
    const QuittingLoader loader;

    EXPECT_FALSE(loader.HasFailed());
    EXPECT_EQ(loader.GetGame(), nullptr);
    EXPECT_EQ(loader.frames, 3);
    EXPECT_EQ(loader.title, GetParam().title);
    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
    const std::vector<std::string> texts = log.Texts();
    const std::vector<size_t> order =
        Positions(texts, {"Initialization of File Manager...", "Window creation:",
                          "Initialization of Direct3D subsystem...", "Initialization of DirectInput devices...",
                          "Initialization of DirectSound Subsystem:", "Level Manager: Found 2 stages with 6 levels...",
                          "Exiting...", "DirectSound system destroying:", "Window destroying:"});
    for (size_t i = 0; i < order.size(); ++i)
        EXPECT_LT(order[i], texts.size()) << "line " << i << " missing: " << log.Joined();
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << log.Joined();
    EXPECT_THAT(texts.back(), HasSubstr(" Log end: "));
    EXPECT_TRUE(std::filesystem::exists(fixture.UserFolder() / "Tamrisk.ini"));
    EXPECT_EQ(loader.engine.settings.defaultVideoMode, "1024x768x32");
    EXPECT_EQ(loader.engine.settings.stencilRequest, 1);
    EXPECT_EQ(loader.engine.settings.iconId, 101u);
    EXPECT_EQ(loader.engine.videoMode, "1024x768x32");
    EXPECT_TRUE(loader.engine.stencilPresent);
    ExpectEmptySaveFiles(fixture);
}

INSTANTIATE_TEST_SUITE_P(Languages, GameRunTest,
                         ::testing::Values(TitleCase{"English", nullptr, false, "Tamrisk"},
                                           TitleCase{"Russian", "ru", false,
                                                     "\xD0\xA2\xD0\xB0\xD0\xBC\xD1\x80\xD0\xB8\xD1\x81\xD0\xBA"},
                                           TitleCase{"TitleTextMissing", nullptr, true, "UNKNOWN"}),
                         [](const ::testing::TestParamInfo<TitleCase>& info) { return std::string(info.param.name); });

// A program folder without data: the tool manager cannot read the fonts, the
// half-made game is gone before the box, which names the file as the log
// does, and the statistics page is still asked for, once.
TEST(ProgramEntry, AStartUpFileErrorEndsInTheBoxAndStillOpensTheStatisticsPage)
{
    const Testing::TempFolder empty;
    Testing::GameFixture fixture(empty.Path());
    ::testing::internal::CaptureStderr();
    const int status = Tamrisk::RunProgram("");
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(status, 1);
    EXPECT_THAT(said, HasSubstr("Fatal Error: "));
    EXPECT_THAT(said, HasSubstr("fonts_basic.xml"));
    EXPECT_THAT(Platform::GetShellOpenRequests(), ElementsAre(Tamrisk::kStatisticsAddress));
    const Testing::LogProbe log = Testing::LogProbe::FromHtmlFile(fixture.LogFile());
    ASSERT_FALSE(log.Texts().empty());
    EXPECT_THAT(log.Texts().back(), HasSubstr(" Log end: "));
    EXPECT_THAT(log.ErrorLines(), Contains(AllOf(StartsWith("PROGRAM ABORTING: "), HasSubstr("fonts_basic.xml"))));
}

// A damaged pack where the data should be: the box names the pack and why it
// was skipped beside the file that could not be found, and so does nothing
// but the box, since the pack's own line is in the log only.
TEST(ProgramEntry, ADamagedPackIsNamedInTheBox)
{
    const Testing::TempFolder folder;
    folder.WriteFile("data\\pack0.pak", std::string("\x11\0\0\0HVPAQ\x64\0\0\0\0\0\0\0", 17));
    Testing::GameFixture fixture(folder.Path());
    ::testing::internal::CaptureStderr();
    const int status = Tamrisk::RunProgram("");
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(status, 1);
    const size_t box = said.find("Fatal Error: ");
    ASSERT_NE(box, std::string::npos) << said;
    const std::string text = said.substr(box);
    EXPECT_THAT(text, HasSubstr("fonts_basic.xml\" file; the pack file \""));
    EXPECT_THAT(text, HasSubstr("pack0.pak\" was skipped: Incorrect pack file format"));
}

} // namespace
