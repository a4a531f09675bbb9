#include "game/windows/menus/GUIHighScoresWindow.h"

#include "framework/persistence/FileServices.h"
#include "framework/windows/WindowSource.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using GameFramework::HighScoresTable;
using GameFramework::WindowSource;
using Tamrisk::GUIHighScoresWindow;

std::string Description()
{
    std::string xml = R"(<window name="window_high_scores" fader="menu">)"
                      R"(<window name="window" fader="menu" size="800 600"><button name="button_0" size="200 50">)"
                      R"(<text_label name="title" font="common_0" size="200 50"/></button>)"
                      R"(<text_label name="no_records" font="common_0" text="'None'" size="300 20"/>)";
    for (int i = 0; i < 10; ++i) {
        xml += "<window name=\"record_" + std::to_string(i) + "\" fader=\"menu\" size=\"400 20\">";
        for (const char* cell : {"place", "name", "score"})
            xml += std::string("<text_label name=\"") + cell + "\" font=\"common_0\" size=\"130 20\"/>";
        xml += "</window>";
    }
    return xml + "</window></window>";
}

class GUIHighScoresWindowTest : public testing::Test {
protected:
    GUIHighScoresWindowTest()
    {
        engine.Start();
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders}, {"window_high_scores.xml", Description()}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        table = std::make_unique<HighScoresTable>(GameFramework::FileServices::Of(engine.Get()), 10,
                                                  engine.folder.Internal());
        window = std::make_unique<GUIHighScoresWindow>(&engine.Get(), bed->sounds.get(), table.get(), bed->data.get(),
                                                       bed->tools.get(), bed->manager.get(), nullptr);
    }

    ~GUIHighScoresWindowTest() override
    {
        window.reset();
        table.reset();
        bed.reset();
    }

    bool Enabled(const GUITools::GUITextControl* control) const
    {
        return window->IsControlEnabled(control->GetName());
    }

    // Per row: whether its three cells are enabled.
    std::vector<bool> RowsShown() const
    {
        std::vector<bool> shown;
        for (std::size_t row = 0; row < GUIHighScoresWindow::kRowCount; ++row) {
            const bool place = Enabled(window->GetCell(row, GUIHighScoresWindow::kPlace));
            EXPECT_EQ(Enabled(window->GetCell(row, GUIHighScoresWindow::kName)), place) << row;
            EXPECT_EQ(Enabled(window->GetCell(row, GUIHighScoresWindow::kScore)), place) << row;
            shown.push_back(place);
        }
        return shown;
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<HighScoresTable> table;
    std::unique_ptr<GUIHighScoresWindow> window;
};

TEST_F(GUIHighScoresWindowTest, ThreeEntriesShowThreeRowsWithTheNewOneInCommon1AfterAGame)
{
    table->AddScore(L"Anna", 0, 300);
    const HighScoresTable::Entry* boris = table->AddScore(L"Boris", 0, 200);
    table->AddScore(L"Vera", 0, 100);
    table->AddScore(L"Other", 1, 900);
    window->ShowNewScore(WindowSource::kGameOver, boris);

    std::vector<bool> expected(GUIHighScoresWindow::kRowCount, false);
    expected[0] = expected[1] = expected[2] = true;
    EXPECT_EQ(RowsShown(), expected);
    EXPECT_FALSE(Enabled(window->GetNoRecords()));
    const std::vector<std::vector<std::wstring>> rows = {
        {L"1.", L"Anna", L"300"}, {L"2.", L"Boris", L"200"}, {L"3.", L"Vera", L"100"}};
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < GUIHighScoresWindow::kColumnCount; ++column) {
            const GUITools::GUITextControl* cell = window->GetCell(row, GUIHighScoresWindow::Column(column));
            EXPECT_EQ(cell->GetText(), rows[row][column]) << row << "/" << column;
            EXPECT_EQ(cell->GetFontName(), row == 1 ? "common_1" : "common_0") << row << "/" << column;
        }
    }
    EXPECT_EQ(window->GetButtonTitle()->GetTextKey(), "common/continue");
}

TEST_F(GUIHighScoresWindowTest, AnEmptyCategoryShowsOnlyTheNoRecordsLineAndFromTheMainMenuTheButtonSaysBack)
{
    table->AddScore(L"Other", 1, 900);
    window->ShowNewScore(WindowSource::kMainMenu, nullptr);
    EXPECT_EQ(RowsShown(), std::vector<bool>(GUIHighScoresWindow::kRowCount, false));
    EXPECT_TRUE(Enabled(window->GetNoRecords()));
    EXPECT_EQ(window->GetButtonTitle()->GetTextKey(), "common/back");
}

// A later show with fewer entries hides the rows the earlier one filled,
// and the highlight does not stay on a row that is no longer the new entry.
TEST_F(GUIHighScoresWindowTest, ALaterShowHidesRowsAndHighlightsOnlyItsOwnEntry)
{
    const HighScoresTable::Entry* anna = table->AddScore(L"Anna", 0, 300);
    table->AddScore(L"Boris", 0, 200);
    window->ShowNewScore(WindowSource::kGameOver, anna);
    window->HideWindow();
    table->Clear();
    table->AddScore(L"Vera", 0, 100);
    window->ShowNewScore(WindowSource::kMainMenu, nullptr);
    std::vector<bool> expected(GUIHighScoresWindow::kRowCount, false);
    expected[0] = true;
    EXPECT_EQ(RowsShown(), expected);
    EXPECT_EQ(window->GetCell(0, GUIHighScoresWindow::kName)->GetText(), L"Vera");
    EXPECT_EQ(window->GetCell(0, GUIHighScoresWindow::kName)->GetFontName(), "common_0");
}

} // namespace
