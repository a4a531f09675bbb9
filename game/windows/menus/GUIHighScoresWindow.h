#pragma once

#include "framework/windows/GUIHighScoresWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

#include <array>

namespace Tamrisk {

// The high-score table of category 0: up to ten rows of place, name and
// score, the entry just made set in "common_1" and the others in "common_0",
// or the line that there are no records. Its one button goes to the main
// menu (3), titled "common/back" when the main menu opened the window and
// "common/continue" after a game. The table and the parts must outlive the
// window. Main thread only.
class GUIHighScoresWindow : public GUIButtonRowWindow<GameFramework::GUIHighScoresWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_high_scores";
    static constexpr std::size_t kRowCount = 10;
    enum Column : std::size_t { kPlace, kName, kScore, kColumnCount };

    GUIHighScoresWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                        GameFramework::HighScoresTable* highScores, GameData* resources,
                        GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);

    // Fills the table, then asks for the screen.
    void ShowNewScore(Halvard::u32 opener, const GameFramework::HighScoresTable::Entry* entry) override;

    // Null where the description lacks the control.
    GUITools::GUITextControl* GetCell(std::size_t row, Column column) const { return cells_[row][column]; }
    GUITools::GUITextControl* GetNoRecords() const { return noRecords_; }
    GUITools::GUITextControl* GetButtonTitle() const { return buttonTitle_; }

private:
    void FillRow(std::size_t row, const GameFramework::HighScoresTable::Entry* entry);

    std::array<std::array<GUITools::GUITextControl*, kColumnCount>, kRowCount> cells_{};
    GUITools::GUITextControl* noRecords_ = nullptr;
    GUITools::GUITextControl* buttonTitle_ = nullptr;
};

} // namespace Tamrisk
