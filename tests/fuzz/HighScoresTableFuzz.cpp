// The high-score table, "high_scores.hsf", as the game reads it at the
// start: taken and put in order, or kept as ".bad" with its bytes and
// replaced; whatever it holds keeps the table's rules, and what is saved
// reads back with the same entries in the same order (a counter at its end
// numbers them anew as it is read).
#include "framework/persistence/HighScoresTable.h"
#include "framework/persistence/PlayerName.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/SaveFolder.h"

#include <tuple>
#include <vector>

namespace {

using GameFramework::HighScoresTable;
using Fuzzing::Check;
using Halvard::u32;

// The game's table keeps ten a category; damage may name any category.
constexpr u32 kPerCategory = 10;
constexpr u32 kCategoriesLooked = 8;

using Row = std::tuple<std::wstring, u32, u32>;

std::vector<Row> Rows(const HighScoresTable& table)
{
    std::vector<Row> rows;
    for (u32 category = 0; category < kCategoriesLooked; ++category)
        for (u32 i = 0; i < table.GetEntryCount(category); ++i) {
            const HighScoresTable::Entry* entry = table.GetEntry(category, i);
            rows.emplace_back(entry->name, category, entry->score);
        }
    return rows;
}

void CheckRules(const HighScoresTable& table)
{
    for (u32 category = 0; category < kCategoriesLooked; ++category) {
        Check(table.GetEntryCount(category) <= kPerCategory, "a category holds more than its maximum");
        for (u32 i = 0; i < table.GetEntryCount(category); ++i) {
            const HighScoresTable::Entry* entry = table.GetEntry(category, i);
            Check(entry->name.size() <= GameFramework::kMaxPlayerNameLength, "a name too long to save");
            Check(entry->sequenceNumber < table.GetNextSequenceNumber(), "the counter would repeat a number");
            if (i == 0)
                continue;
            const HighScoresTable::Entry* before = table.GetEntry(category, i - 1);
            Check(before->score > entry->score ||
                      (before->score == entry->score && before->sequenceNumber <= entry->sequenceNumber),
                  "the table is out of order");
        }
    }
}

} // namespace

TAMRISK_FUZZ_TARGET(HighScoresTable)
{
    Testing::SaveFolder save;
    const GameFramework::FileServices services{save.Log(), save.Files()};
    save.Write(HighScoresTable::kFileName, std::string(bytes));
    std::vector<Row> rows;
    {
        HighScoresTable table(services, kPerCategory, save.User());
        if (save.Exists("high_scores.hsf.bad"))
            Check(save.Read("high_scores.hsf.bad") == bytes, "the table set aside is not the table read");
        CheckRules(table);
        // A score entered after the damage still finds its place.
        table.AddScore(L"Anna", 0, 100);
        CheckRules(table);
        rows = Rows(table);
    }
    save.Remove("high_scores.hsf.bad");
    HighScoresTable again(services, kPerCategory, save.User());
    Check(!save.Exists("high_scores.hsf.bad"), "the table the game wrote was refused");
    Check(Rows(again) == rows, "the saved table read back differently");
    CheckRules(again);
}
