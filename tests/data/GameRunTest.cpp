#include "tests/data/GameFixture.h"

#include "engine/app/Engine.h"
#include "framework/GameLoaderBase.h"
#include "game/ProgramEntry.h"
#include "platform/os/Shell.h"
#include "tests/support/LogProbe.h"
#include "tests/support/SdlEvents.h"

#include <SDL.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// The game as the program makes it, asking to quit during its third frame
// as the exit window's result would, and noting the window's title.
class QuittingGame : public Testing::TestGame {
public:
    void Update() override
    {
        if (++frames == 3)
            GetEngine()->RequestExit();
        Game::Update();
        SDL_Window* window = SDL_GetWindowFromID(Testing::WindowIdOf(*GetEngine()->GetWindow()));
        title = SDL_GetWindowTitle(window);
    }

    int frames = 0;
    std::string title;
};

// The loader's whole run over that game.
class QuittingLoader : public GameFramework::GameLoaderBase {
public:
    QuittingLoader() : GameLoaderBase("") { Run(); }

    int frames = 0;
    std::string title;

protected:
    std::unique_ptr<GameFramework::GameBase> CreateGame() override { return std::make_unique<QuittingGame>(); }
    void DeleteGame() override
    {
        if (auto* game = dynamic_cast<QuittingGame*>(GetGame())) {
            frames = game->frames;
            title = game->title;
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

struct TitleCase {
    const char* name;
    const char* registryLanguage;
    const char* title;
};

class GameRunTest : public ::testing::TestWithParam<TitleCase> {
protected:
    Testing::GameFixture fixture;
};

// The start-up comes up in its order on the shipped data, runs frames, and a
// requested exit ends the loop after that frame with "Exiting...", the game
// deleted (the log closed) and no error anywhere.
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
}

INSTANTIATE_TEST_SUITE_P(Languages, GameRunTest,
                         ::testing::Values(TitleCase{"English", nullptr, "Tamrisk"},
                                           TitleCase{"Russian", "ru", "\xD0\xA2\xD0\xB0\xD0\xBC\xD1\x80\xD0\xB8\xD1\x81\xD0\xBA"}),
                         [](const ::testing::TestParamInfo<TitleCase>& info) { return std::string(info.param.name); });

// A program folder without data: the tool manager cannot read the fonts, the
// half-made game is gone before the box, which names the file, and the
// statistics page is still asked for, once.
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
}

} // namespace
