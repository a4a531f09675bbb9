#include "framework/persistence/HighScoresTable.h"

#include <gtest/gtest.h>

#include "tests/support/SaveFolder.h"

#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace {

using GameFramework::HighScoresTable;
using Halvard::u32;

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

constexpr u32 kCategories = 3;
using Row = std::tuple<std::wstring, u32, u32>;

std::vector<Row> Rows(const HighScoresTable& table)
{
    std::vector<Row> rows;
    for (u32 category = 0; category < kCategories; ++category)
        for (u32 i = 0; i < table.GetEntryCount(category); ++i) {
            const HighScoresTable::Entry* entry = table.GetEntry(category, i);
            rows.emplace_back(entry->name, entry->score, entry->sequenceNumber);
        }
    return rows;
}

// The rules AddScore keeps: at most the maximum in a category, best first,
// equal scores oldest first (damage may repeat a number), names that fit, the counter above every number.
void ExpectTableRules(const HighScoresTable& table, u32 maximum)
{
    for (u32 category = 0; category < kCategories; ++category) {
        EXPECT_LE(table.GetEntryCount(category), maximum);
        for (u32 i = 0; i < table.GetEntryCount(category); ++i) {
            const HighScoresTable::Entry* entry = table.GetEntry(category, i);
            EXPECT_LE(entry->name.size(), 254u);
            EXPECT_LT(entry->sequenceNumber, table.GetNextSequenceNumber());
            if (i == 0)
                continue;
            const HighScoresTable::Entry* before = table.GetEntry(category, i - 1);
            EXPECT_TRUE(before->score > entry->score ||
                        (before->score == entry->score && before->sequenceNumber <= entry->sequenceNumber));
        }
    }
}

// Tables written as damage leaves them: any count per category, any order,
// names up to the count byte's 255, numbers anywhere (the largest two
// among them) and a counter below them. Read, the table keeps its own rules;
// saved and read again, it is the same table.
TEST(HighScoresTableRobustnessTest, ADamagedTableReadsWithTheTablesOwnRulesAndSavesStable)
{
    Testing::SaveFolder save;
    const GameFramework::FileServices services{save.Log(), save.Files()};
    std::mt19937 random(33);
    for (int round = 0; round < 40; ++round) {
        {
            HighScoresTable damaged(services, 10, save.User());
            damaged.Clear();
            const u32 count = random() % 40;
            for (u32 i = 0; i < count; ++i) {
                const std::wstring name(random() % 256, static_cast<wchar_t>(L'a' + random() % 26));
                const u32 number = random() % 8 == 0 ? std::numeric_limits<u32>::max() - random() % 2 : random() % 100;
                damaged.AddEntry(name, random() % kCategories, random() % 5 * 100, number);
            }
            damaged.Save();
        }
        HighScoresTable table(services, 10, save.User());
        ExpectTableRules(table, 10);
        const std::vector<Row> first = Rows(table);
        const u32 counter = table.GetNextSequenceNumber();
        table.Save();
        HighScoresTable again(services, 10, save.User());
        EXPECT_EQ(Rows(again), first) << "round " << round;
        EXPECT_EQ(again.GetNextSequenceNumber(), counter) << "round " << round;
        EXPECT_TRUE(save.ErrorLines().empty());
    }
}

} // namespace
