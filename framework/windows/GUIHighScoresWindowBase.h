#pragma once

#include "framework/persistence/HighScoresTable.h"
#include "framework/windows/GUIFrameworkWindow.h"

namespace GameFramework {

// The high-score table, with the entry just made highlighted. The table
// outlives the window; the entry is the table's.
class GUIHighScoresWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIHighScoresWindowBase(HighScoresTable* highScores) : highScores_(highScores) {}

    // Null: nothing to highlight.
    virtual void ShowNewScore(Halvard::u32 opener, const HighScoresTable::Entry* entry);

    const HighScoresTable::Entry* GetNewEntry() const { return newEntry_; }

protected:
    HighScoresTable* GetHighScores() const { return highScores_; }

private:
    HighScoresTable* highScores_;
    const HighScoresTable::Entry* newEntry_ = nullptr;
};

} // namespace GameFramework
