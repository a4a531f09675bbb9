#include "framework/persistence/HighScoresTable.h"

#include <gtest/gtest.h>

#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/SaveFolder.h"

#include <iterator>
#include <limits>
#include <memory>
#include <tuple>
#include <vector>

namespace {

using GameFramework::HighScoresTable;
using Halvard::u32;

constexpr const char* kFile = "high_scores.hsf";
// Header, counter and count: where the entries begin.
constexpr std::size_t kEntriesAt = 13 + 8;

class HighScoresTableTest : public testing::Test {
protected:
    std::unique_ptr<HighScoresTable> Open(u32 maximum = 10)
    {
        return std::make_unique<HighScoresTable>(GameFramework::FileServices{save.Log(), save.Files()}, maximum,
                                                 save.User());
    }

    static std::string EmptyTable()
    {
        return Testing::VersionedHeader(kEntriesAt, "GFHSF", 101) + Testing::LittleEndian(0) +
               Testing::LittleEndian(0);
    }

    using Row = std::tuple<std::wstring, u32, u32>;
    static std::vector<Row> Rows(const HighScoresTable& table, u32 category)
    {
        std::vector<Row> rows;
        for (u32 i = 0; i < table.GetEntryCount(category); ++i) {
            const HighScoresTable::Entry* entry = table.GetEntry(category, i);
            rows.emplace_back(entry->name, entry->score, entry->sequenceNumber);
        }
        return rows;
    }

    static void AddScores(HighScoresTable& table, u32 category, std::initializer_list<u32> scores)
    {
        for (u32 score : scores)
            table.AddScore(L"p" + std::to_wstring(score), category, score);
    }

    Testing::SaveFolder save;
};

TEST_F(HighScoresTableTest, WithoutAFileTheTableStartsEmptyAndWritesAnEmptyOne)
{
    const auto table = Open();
    EXPECT_EQ(table->GetEntryCount(0), 0u);
    EXPECT_EQ(table->GetNextSequenceNumber(), 0u);
    EXPECT_EQ(table->GetEntry(0, 0), nullptr);
    EXPECT_EQ(save.Read(kFile), EmptyTable());
    EXPECT_FALSE(save.Exists("high_scores.hsf.bad"));
    EXPECT_TRUE(save.ErrorLines().empty());
}

TEST_F(HighScoresTableTest, InterleavedCategoriesReadBackInTableOrder)
{
    {
        const auto table = Open();
        table->AddScore(L"Anna", 0, 300);
        table->AddScore(L"Bob", 1, 500);
        table->AddScore(L"Cleo", 0, 700);
        table->AddScore(L"Dan", 1, 100);
        table->AddScore(L"Eve", 0, 300);
    }
    // The file holds one vector for both categories, best first.
    const std::string bytes = save.Read(kFile);
    EXPECT_EQ(bytes.substr(kEntriesAt, 1 + 2 * 5), std::string("\x05" "C\0l\0e\0o\0\0\0", 11));
    const auto table = Open();
    EXPECT_EQ(Rows(*table, 0), (std::vector<Row>{{L"Cleo", 700, 2}, {L"Anna", 300, 0}, {L"Eve", 300, 4}}));
    EXPECT_EQ(Rows(*table, 1), (std::vector<Row>{{L"Bob", 500, 1}, {L"Dan", 100, 3}}));
    EXPECT_EQ(table->GetNextSequenceNumber(), 5u);
}

TEST_F(HighScoresTableTest, TheEleventhScoreOfACategoryDropsTheLowest)
{
    const auto table = Open();
    AddScores(*table, 0, {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000});
    EXPECT_EQ(table->AddScore(L"low", 0, 50), nullptr);
    EXPECT_EQ(table->GetEntryCount(0), 10u);
    EXPECT_EQ(table->GetNextSequenceNumber(), 11u);
    EXPECT_EQ(table->GetEntry(0, 9)->score, 100u);

    const HighScoresTable::Entry* best = table->AddScore(L"best", 0, 2000);
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(table->GetEntry(0, 0), best);
    EXPECT_EQ(table->GetEntryCount(0), 10u);
    EXPECT_EQ(table->GetEntry(0, 9)->score, 200u);
}

TEST_F(HighScoresTableTest, EqualScoresRankTheFirstEnteredFirstAndATieWithAFullTableIsDropped)
{
    const auto table = Open(3);
    table->AddScore(L"first", 0, 500);
    table->AddScore(L"second", 0, 500);
    table->AddScore(L"third", 0, 400);
    EXPECT_EQ(table->GetEntry(0, 0)->name, L"first");
    EXPECT_EQ(table->GetEntry(0, 1)->name, L"second");
    EXPECT_EQ(table->AddScore(L"tie", 0, 400), nullptr);
    EXPECT_EQ(table->GetEntry(0, 2)->name, L"third");
}

TEST_F(HighScoresTableTest, AFullCategoryLeavesTheOthersAlone)
{
    const auto table = Open(2);
    AddScores(*table, 1, {10, 20});
    AddScores(*table, 0, {1, 2, 3, 4});
    EXPECT_EQ(Rows(*table, 1), (std::vector<Row>{{L"p20", 20, 1}, {L"p10", 10, 0}}));
    EXPECT_EQ(table->GetEntryCount(0), 2u);
}

// Fifteen entries of one category written out of order, a name of the
// count byte's 255 characters and a counter below the entries' numbers.
TEST_F(HighScoresTableTest, ADamagedCategoryReadsAsItsBestTenInTableOrder)
{
    {
        const auto damaged = Open();
        const u32 scores[15] = {50, 900, 300, 700, 300, 100, 1000, 200, 800, 400, 600, 500, 900, 20, 10};
        for (u32 i = 0; i < 15; ++i)
            damaged->AddEntry(i == 6 ? std::wstring(255, L'w') : L"p" + std::to_wstring(i), 0, scores[i], 40 - i);
        damaged->AddEntry(L"other", 1, 5, 3);
        damaged->Save();
    }
    const auto table = Open();
    EXPECT_EQ(Rows(*table, 0), (std::vector<Row>{{std::wstring(254, L'w'), 1000, 34},
                                                 {L"p12", 900, 28},
                                                 {L"p1", 900, 39},
                                                 {L"p8", 800, 32},
                                                 {L"p3", 700, 37},
                                                 {L"p10", 600, 30},
                                                 {L"p11", 500, 29},
                                                 {L"p9", 400, 31},
                                                 {L"p4", 300, 36},
                                                 {L"p2", 300, 38}}));
    EXPECT_EQ(Rows(*table, 1), (std::vector<Row>{{L"other", 5, 3}}));
    EXPECT_EQ(table->GetNextSequenceNumber(), 41u);
    // The next score ranks after the ones already there.
    table->AddScore(L"late", 0, 300);
    EXPECT_EQ(table->GetEntry(0, 9)->name, L"p2");
}

// Numbers that leave the counter no room above them: three equal scores
// entered afterwards still rank in the order they came, after the equal
// score already there, and the saved counter stays above every entry.
TEST_F(HighScoresTableTest, TheCounterNeverWrapsWhateverTheFileSays)
{
    constexpr u32 kLast = std::numeric_limits<u32>::max();
    struct Case {
        const char* what;
        u32 counter;
        u32 oldNumber;
    };
    const Case cases[] = {{"the counter at the largest number", kLast, 5},
                          {"the counter one below it", kLast - 1, 5},
                          {"an entry one below it", 0, kLast - 1},
                          {"an entry at it", 0, kLast}};
    for (const Case& test : cases) {
        {
            const auto damaged = Open();
            damaged->Clear();
            damaged->AddEntry(L"best", 0, 900, 3);
            damaged->AddEntry(L"old", 0, 500, test.oldNumber);
            damaged->Save();
        }
        save.PatchUInt(kFile, 13, test.counter);
        const auto table = Open();
        for (const wchar_t* name : {L"first", L"second", L"third"})
            table->AddScore(name, 0, 500);
        std::vector<std::wstring> names;
        for (const auto& [name, score, number] : Rows(*table, 0)) {
            names.push_back(name);
            EXPECT_LT(number, table->GetNextSequenceNumber()) << test.what;
        }
        EXPECT_EQ(names, (std::vector<std::wstring>{L"best", L"old", L"first", L"second", L"third"})) << test.what;
        const std::string bytes = save.Read(kFile);
        EXPECT_EQ(Testing::UIntAt(Testing::BytesOf(bytes), 13), table->GetNextSequenceNumber()) << test.what;
    }
}

TEST_F(HighScoresTableTest, NamesAreCutTo254CharactersWhereTheScoreIsEntered)
{
    const std::wstring longest(254, L'n');
    {
        const auto table = Open();
        EXPECT_EQ(table->AddScore(longest, 0, 2)->name, longest);
        EXPECT_EQ(table->AddScore(longest + L"XY", 0, 1)->name, longest);
    }
    const auto table = Open();
    ASSERT_EQ(table->GetEntryCount(0), 2u);
    EXPECT_EQ(table->GetEntry(0, 0)->name, longest);
    EXPECT_EQ(table->GetEntry(0, 1)->name, longest);
}

TEST_F(HighScoresTableTest, ClearEmptiesTheTableAndTheFile)
{
    const auto table = Open();
    AddScores(*table, 0, {5, 6});
    table->Clear();
    EXPECT_EQ(table->GetEntryCount(0), 0u);
    EXPECT_EQ(save.Read(kFile), EmptyTable());
}

TEST_F(HighScoresTableTest, EveryUnreadableFileIsKeptUnderANameOfItsOwnAndReplacedByAnEmptyTable)
{
    std::string valid;
    {
        const auto table = Open();
        AddScores(*table, 0, {10, 20});
        valid = save.Read(kFile);
    }
    const auto withCount = [&valid](u32 count) {
        return valid.substr(0, 17) + Testing::LittleEndian(count) + valid.substr(21);
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"version 100", valid.substr(0, 9) + Testing::LittleEndian(100) + valid.substr(13)},
        {"a foreign magic", valid.substr(0, 4) + "TKPRF" + valid.substr(9)},
        {"a count one beyond the entries", withCount(3)},
        {"a count no file can hold", withCount(0xFFFFFFFFu)},
        {"a header alone", Testing::VersionedHeader(13, "GFHSF", 101)},
    };
    for (const Case& c : cases) {
        save.Write(kFile, c.bytes);
        const auto table = Open();
        EXPECT_EQ(table->GetEntryCount(0), 0u) << c.what;
        EXPECT_EQ(table->GetNextSequenceNumber(), 0u) << c.what;
        EXPECT_EQ(save.Read(kFile), EmptyTable()) << c.what;
    }
    // Each damaged file keeps a name of its own: none replaces an earlier one.
    const Testing::LogProbe log(*save.Log());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::string kept = std::string("high_scores.hsf.bad") + (i == 0 ? "" : std::to_string(i + 1));
        EXPECT_EQ(save.Read(kept), cases[i].bytes) << cases[i].what;
        EXPECT_TRUE(log.Contains("is kept as \"" + save.User() + "\\" + kept + "\"")) << kept;
    }
}

TEST_F(HighScoresTableTest, AFailedSaveIsLoggedOnceAndTheTableInMemoryStays)
{
    const auto table = Open();
    table->AddScore(L"kept", 0, 10);
    // A folder in the file's place cannot be replaced.
    save.Remove(kFile);
    save.Write("high_scores.hsf\\blocker", "x");
    ASSERT_NE(table->AddScore(L"new", 0, 20), nullptr);
    EXPECT_EQ(table->GetEntryCount(0), 2u);
    EXPECT_EQ(save.ErrorLines().size(), 1u);
    EXPECT_TRUE(save.Exists("high_scores.hsf\\blocker"));
}

} // namespace
