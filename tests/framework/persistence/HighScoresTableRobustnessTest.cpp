#include "framework/persistence/HighScoresTable.h"

#include <gtest/gtest.h>

#include "tests/support/SaveFolder.h"

namespace {

using GameFramework::HighScoresTable;

// Whatever the file holds, the table either takes it whole or keeps it as
// ".bad" and starts empty, and the file it leaves always reads back.
TEST(HighScoresTableRobustnessTest, EveryPrefixAndRandomFileLoadsOrIsReplaced)
{
    Testing::SaveFolder save;
    const GameFramework::FileServices services{save.Log(), save.Files()};
    {
        HighScoresTable table(services, 10, save.User());
        table.AddScore(L"Anna", 0, 300);
        table.AddScore(L"Bob", 1, 200);
    }
    const std::string valid = save.Read("high_scores.hsf");
    for (const std::string& bytes : Testing::DamagedCopies(valid, 21)) {
        save.Remove("high_scores.hsf.bad");
        save.Write("high_scores.hsf", bytes);
        HighScoresTable table(services, 10, save.User());
        if (save.Exists("high_scores.hsf.bad")) {
            EXPECT_EQ(table.GetEntryCount(0) + table.GetEntryCount(1), 0u);
            EXPECT_EQ(save.Read("high_scores.hsf.bad"), bytes);
        } else {
            EXPECT_EQ(save.Read("high_scores.hsf"), bytes);
        }
        save.Remove("high_scores.hsf.bad");
        HighScoresTable again(services, 10, save.User());
        EXPECT_FALSE(save.Exists("high_scores.hsf.bad"));
    }
}

} // namespace
