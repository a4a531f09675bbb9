#include "framework/windows/WindowResult.h"
#include "tests/framework/windows/FlowBed.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace Testing {
namespace {

using GameFramework::WindowResult;
using Halvard::u32;

// What must exist before the handler runs.
enum class Stage { kStartUp, kMenus, kLevel };

struct HandlerRow {
    const char* window;
    u32 result;
    Stage stage;
    // What one dispatch pass does, in order.
    Journal journal;
};

void Prepare(FlowBed& bed, Stage stage)
{
    if (stage == Stage::kStartUp)
        bed.StartUp();
    else if (stage == Stage::kMenus)
        bed.StartMenus();
    else
        bed.StartLevel();
}

// Every row of the handler table: the window, its result, and what the
// handler hides, shows (with the source id) and creates.
const std::vector<HandlerRow>& Rows()
{
    static const std::vector<HandlerRow> rows = {
        {"logos", 1, Stage::kStartUp, {"hide logos", "show game loading 2"}},
        {"game loading", 1, Stage::kStartUp,
         {"hide game loading", "load additional fonts", "create windows", "show welcome 3"}},
        {"welcome", 3, Stage::kMenus, {"hide welcome", "show main menu 4"}},
        {"welcome", 4, Stage::kMenus, {"hide welcome", "show exit 4"}},
        {"exit", 2, Stage::kMenus, {"hide exit", "show welcome 5"}},
        {"exit", 3, Stage::kMenus, {"hide exit", "show main menu 5"}},
        {"exit", 6, Stage::kMenus, {"hide exit", "show new profile 5"}},
        {"exit", 23, Stage::kMenus, {}},
        {"main menu", 5, Stage::kMenus, {"hide main menu", "show profiles 6"}},
        {"main menu", 24, Stage::kMenus, {"hide main menu", "show start game 6"}},
        {"main menu", 10, Stage::kMenus, {"hide main menu", "show high scores 6"}},
        {"main menu", 11, Stage::kMenus, {"hide main menu", "show options 6"}},
        {"main menu", 12, Stage::kMenus, {"hide main menu", "show help 6"}},
        {"main menu", 4, Stage::kMenus, {"hide main menu", "show exit 6"}},
        {"profiles", 6, Stage::kMenus, {"hide profiles", "show new profile 10"}},
        {"profiles", 7, Stage::kMenus, {"hide profiles", "show rename profile 10"}},
        {"profiles", 8, Stage::kMenus, {"hide profiles", "show delete profile 10"}},
        {"profiles", 3, Stage::kMenus, {"hide profiles", "show main menu 10"}},
        {"game logic loading", 1, Stage::kMenus,
         {"hide game logic loading", "create logic 1-1 lives 3", "show game 16"}},
        {"new profile", 9, Stage::kMenus, {"hide new profile", "show name conflict 11"}},
        {"new profile", 5, Stage::kMenus, {"hide new profile", "show profiles 11"}},
        {"new profile", 4, Stage::kMenus, {"hide new profile", "show exit 11"}},
        {"rename profile", 9, Stage::kMenus, {"hide rename profile", "show name conflict 12"}},
        {"rename profile", 5, Stage::kMenus, {"hide rename profile", "show profiles 12"}},
        {"delete profile", 5, Stage::kMenus, {"hide delete profile", "show profiles 13"}},
        {"delete profile", 6, Stage::kMenus, {"hide delete profile", "show new profile 13"}},
        {"name conflict", 6, Stage::kMenus, {"hide name conflict", "show new profile 14"}},
        {"name conflict", 7, Stage::kMenus, {"hide name conflict", "show rename profile 14"}},
        {"start game", 3, Stage::kMenus, {"hide start game", "show main menu 15"}},
        {"start game", 24, Stage::kMenus,
         {"create level data 1-1", "hide start game", "show game logic loading 15"}},
        {"continue", 14, Stage::kMenus, {"hide continue", "show start game 21"}},
        {"continue", 13, Stage::kMenus, {"hide continue", "show start game 21"}},
        {"continue", 3, Stage::kMenus, {"hide continue", "show main menu 21"}},
        {"high scores", 3, Stage::kMenus, {"hide high scores", "show main menu 7"}},
        {"options", 3, Stage::kMenus, {"hide options", "show main menu 8"}},
        {"help", 3, Stage::kMenus, {"hide help", "show main menu 9"}},
        {"game", 16, Stage::kLevel, {"show game menu 17"}},
        {"game", 15, Stage::kLevel, {"show pause 17"}},
        {"game", 4, Stage::kLevel, {"show game exit 17"}},
        {"pause", 19, Stage::kLevel, {"hide pause"}},
        {"game menu", 19, Stage::kLevel, {"hide game menu"}},
        {"game menu", 18, Stage::kLevel, {"hide game menu", "show menu exit 18"}},
        {"game menu", 17, Stage::kLevel, {"hide game menu", "show restart 18"}},
        {"menu exit", 16, Stage::kLevel, {"hide menu exit", "show game menu 20"}},
        {"menu exit", 3, Stage::kLevel, {"hide menu exit", "hide game", "show main menu 20"}},
        {"restart", 16, Stage::kLevel, {"hide restart", "show game menu 19"}},
        {"restart", 20, Stage::kLevel, {"hide restart", "show game over 19"}},
        {"restart", 13, Stage::kLevel, {"hide restart", "hide game", "show start game 19"}},
        {"game exit", 19, Stage::kLevel, {"hide game exit"}},
        {"game exit", 23, Stage::kLevel, {}},
        {"level complete", 13, Stage::kLevel, {"hide level complete", "hide game", "show start game 22"}},
        {"level complete", 21, Stage::kLevel, {"hide level complete", "show stage complete 22"}},
        {"stage complete", 13, Stage::kLevel, {"hide stage complete", "hide game", "show start game 23"}},
        {"stage complete", 22, Stage::kLevel, {"hide stage complete", "hide game", "show game complete 23"}},
        {"game complete", 1, Stage::kLevel, {"hide game complete", "show main menu 24"}},
        {"game over", 1, Stage::kLevel, {"hide game over", "show main menu 25", "hide game"}},
        {"game over", 17, Stage::kLevel, {"hide game over", "show restart 25"}},
    };
    return rows;
}

class WindowFlowHandlerTable : public ::testing::TestWithParam<HandlerRow> {};

TEST_P(WindowFlowHandlerTable, OnePassHidesShowsAndCreatesAsTheTableSays)
{
    const HandlerRow& row = GetParam();
    FlowBed bed;
    Prepare(bed, row.stage);
    bed.Report(row.window, row.result);
    bed.ProcessWindows();
    EXPECT_EQ(bed.Take(), row.journal);
    // The program ends only through the exit and game exit windows.
    EXPECT_EQ(bed.engine->IsExitRequested(), row.result == WindowResult::kExitProgram);
}

std::string RowName(const ::testing::TestParamInfo<HandlerRow>& info)
{
    std::string name;
    for (const char* c = info.param.window; *c != '\0'; ++c)
        name += *c == ' ' ? '_' : *c;
    return name + "_" + std::to_string(info.param.result);
}

INSTANTIATE_TEST_SUITE_P(EveryRow, WindowFlowHandlerTable, ::testing::ValuesIn(Rows()), RowName);

TEST(WindowFlowHandlers, EveryOtherResultOfEveryWindowDoesNothing)
{
    std::map<std::string, std::set<u32>> handled;
    for (const HandlerRow& row : Rows())
        handled[row.window].insert(row.result);
    // A result that does nothing leaves the bed as it was, so one bed serves
    // every result of a window; the results are reset as a frame resets them.
    for (const auto& [window, results] : handled) {
        FlowBed bed;
        bed.StartLevel();
        for (u32 result = 1; result <= WindowResult::kPlay; ++result) {
            if (results.count(result) != 0)
                continue;
            SCOPED_TRACE(window + " " + std::to_string(result));
            bed.Report(window, result);
            bed.ProcessWindows();
            bed.ResetWindowResults();
            EXPECT_TRUE(bed.Take().empty());
            EXPECT_NE(bed.Logic(), nullptr);
            EXPECT_FALSE(bed.engine->IsExitRequested());
        }
    }
}

TEST(WindowFlowHandlers, TheExitWindowsStayShownWhileTheProgramEnds)
{
    for (const char* window : {"exit", "game exit"}) {
        SCOPED_TRACE(window);
        FlowBed bed;
        bed.StartLevel();
        bed.Window(window).ShowWindow(17);
        bed.Report(window, WindowResult::kExitProgram);
        bed.ProcessWindows();
        EXPECT_TRUE(bed.IsShown(window));
        EXPECT_TRUE(bed.engine->IsExitRequested());
    }
}

} // namespace
} // namespace Testing
