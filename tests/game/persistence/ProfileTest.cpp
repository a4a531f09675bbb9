#include "game/persistence/Profile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/core/Error.h"
#include "engine/core/Random.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/SaveFolder.h"

#include <memory>
#include <set>

namespace {

using GameFramework::LevelReference;
using GameFramework::LevelResult;
using Halvard::u32;
using Tamrisk::Profile;
using testing::MatchesRegex;

class ProfileTest : public testing::Test {
protected:
    std::unique_ptr<Profile> Create(const std::wstring& name)
    {
        return std::make_unique<Profile>(Services(), name, save.User());
    }
    std::unique_ptr<Profile> Load(const std::string& fileName)
    {
        return std::make_unique<Profile>(Services(), fileName, save.User());
    }
    GameFramework::FileServices Services() { return {save.Log(), save.Files()}; }
    std::string FileOf(const Profile& profile) const { return save.Read("profiles\\" + profile.GetFileName()); }

    Testing::SaveFolder save;
};

TEST_F(ProfileTest, AProfileWithResultsFlagsAndVolumesReadsBackEqual)
{
    const auto made = Create(L"  Anna ");
    made->SetSettings({0.25f, 0.75f});
    made->SetGameMode(1);
    made->SetLives(2);
    made->SetScore(1234);
    made->SetCurrentLevel({1, 2});
    made->SetGameInProgress(true);
    made->SetFirstCompletion(false);
    made->UpdateProgress({1, 2}, true);
    made->AddLevelResult({1, {0, 0}, 30.5f});
    made->AddLevelResult({1, {0, 1}, 12.25f});

    const auto read = Load(made->GetFileName());
    EXPECT_EQ(read->GetName(), L"Anna");
    EXPECT_EQ(read->GetSettings().effectsVolume, 0.25f);
    EXPECT_EQ(read->GetSettings().musicVolume, 0.75f);
    EXPECT_EQ(read->GetGameMode(), 1u);
    EXPECT_EQ(read->GetLives(), 2u);
    EXPECT_EQ(read->GetScore(), 1234u);
    EXPECT_EQ(read->GetCurrentLevel(), (LevelReference{1, 2}));
    EXPECT_EQ(read->GetFurthestLevel(), (LevelReference{1, 2}));
    EXPECT_TRUE(read->IsFurthestLevelCompleted());
    EXPECT_TRUE(read->IsGameInProgress());
    EXPECT_TRUE(read->IsFirstGame());
    EXPECT_FALSE(read->IsFirstCompletion());
    ASSERT_EQ(read->GetLevelResults().size(), 2u);
    EXPECT_EQ(read->GetLevelResults()[1].level, (LevelReference{0, 1}));
    EXPECT_EQ(read->GetLevelResults()[1].time, 12.25f);
    EXPECT_EQ(read->GetTotalTime(), 42.75f);
    EXPECT_EQ(read->GetOwnFolder(), made->GetOwnFolder());

    // The file's tail: music volume, effects volume, then the game's flags.
    const std::vector<std::uint8_t> bytes = Testing::BytesOf(FileOf(*made));
    const std::size_t tail = bytes.size() - 10;
    EXPECT_EQ(Testing::FloatAt(bytes, tail), 0.75f);
    EXPECT_EQ(Testing::FloatAt(bytes, tail + 4), 0.25f);
    EXPECT_EQ(bytes[tail + 8], 1);
    EXPECT_EQ(bytes[tail + 9], 0);
    EXPECT_EQ(Testing::TextAt(bytes, 4, 5), "TKPRF");
    EXPECT_EQ(Testing::UIntAt(bytes, 9), 102u);
}

TEST_F(ProfileTest, ANewProfileStartsFreshInAFileNamedAfterItsLatinLetters)
{
    const auto bob = Create(L"Bob O'Neil");
    EXPECT_THAT(bob->GetFileName(), MatchesRegex("boboneil_[0-9]{7}\\.prf"));
    EXPECT_EQ(bob->GetOwnFolder(), save.User() + "\\profiles\\" + bob->GetFileName().substr(0, 16));
    EXPECT_EQ(bob->GetLives(), 3u);
    EXPECT_EQ(bob->GetScore(), 0u);
    EXPECT_EQ(bob->GetSettings().effectsVolume, 1.0f);
    EXPECT_FALSE(bob->IsGameInProgress());
    EXPECT_TRUE(bob->IsFirstGame());
    EXPECT_TRUE(bob->IsFirstCompletion());
    EXPECT_TRUE(save.Exists("profiles\\" + bob->GetFileName()));
    EXPECT_THAT(Create(L"\x416\x430\x43D\x43D\x430")->GetFileName(), MatchesRegex("_[0-9]{15}\\.prf"));
}

TEST_F(ProfileTest, DrawnNamesThatFilesHaveAreDrawnAgain)
{
    // The seed's first two draws, then files of someone else under both names.
    Halvard::SetRandomSeed(7);
    const std::vector<std::string> taken = {Create(L"Anna")->GetFileName(), Create(L"Anna")->GetFileName()};
    for (const std::string& fileName : taken)
        save.Write("profiles\\" + fileName, "someone else");
    Halvard::SetRandomSeed(7);
    const auto anna = Create(L"Anna");
    EXPECT_THAT(anna->GetFileName(), MatchesRegex("anna_[0-9]{11}\\.prf"));
    EXPECT_THAT(taken, testing::Not(testing::Contains(anna->GetFileName())));
    for (const std::string& fileName : taken)
        EXPECT_EQ(save.Read("profiles\\" + fileName), "someone else");
    EXPECT_EQ(save.List("profiles").size(), 3u);
}

TEST_F(ProfileTest, ProfilesOfOneLongStemGetFilesOfTheirOwn)
{
    struct Case {
        std::wstring name;
        int profiles;
    };
    // Fourteen letters leave room for one digit: ten names, then the cut stem.
    const Case cases[] = {{L"Abcdefghijklmn", 12}, {L"Abcdefghijklmno", 3}, {L"Abcdefghijklmnopqrstuvw", 3}};
    for (const Case& c : cases) {
        std::set<std::string> fileNames;
        std::vector<std::unique_ptr<Profile>> profiles;
        for (int i = 0; i < c.profiles; ++i) {
            profiles.push_back(Create(c.name + std::to_wstring(i)));
            fileNames.insert(profiles.back()->GetFileName());
        }
        EXPECT_EQ(fileNames.size(), static_cast<std::size_t>(c.profiles)) << c.name.size();
        for (int i = 0; i < c.profiles; ++i)
            EXPECT_EQ(Load(profiles[i]->GetFileName())->GetName(), c.name + std::to_wstring(i));
    }
    EXPECT_TRUE(save.Exists("profiles\\abcdefghijklmno.prf"));
    EXPECT_THAT(save.List("profiles"), testing::Contains(MatchesRegex("abcdefgh_[0-9]{7}\\.prf")));
    // Fifteen letters at most: a long name still makes a name that the file
    // system takes.
    EXPECT_EQ(Create(std::wstring(254, L'q'))->GetFileName(), "qqqqqqqqqqqqqqq.prf");
}

TEST_F(ProfileTest, AnEqualTimeReplacesTheStoredOneAndASlowerOneLeavesIt)
{
    const auto profile = Create(L"Anna");
    profile->AddLevelResult({0, {0, 1}, 20.0f});
    profile->AddLevelResult({0, {0, 1}, 20.0f});
    profile->AddLevelResult({0, {0, 1}, 25.0f});
    profile->AddLevelResult({1, {0, 1}, 30.0f});
    profile->AddLevelResult({0, {0, 1}, 15.0f});
    ASSERT_EQ(profile->GetLevelResults().size(), 2u);
    EXPECT_EQ(profile->GetLevelResults()[0].time, 15.0f);
    EXPECT_EQ(profile->GetLevelResults()[1].time, 30.0f);
    EXPECT_EQ(Load(profile->GetFileName())->GetLevelResults()[0].time, 15.0f);
}

// A time that no play can make would stand as the best for ever: it reads as
// no result, the rest of the file is kept, and the next real time is saved.
TEST_F(ProfileTest, ABestTimeThatIsNoRealTimeReadsAsNoResult)
{
    const auto made = Create(L"Anna");
    made->AddLevelResult({0, {0, 0}, 10.0f});
    made->AddLevelResult({0, {0, 1}, 20.0f});
    const std::string name = made->GetFileName();
    const std::string valid = FileOf(*made);
    // Name "Anna", seven numbers and a flag, the count, then the first
    // result's mode, stage and level.
    const std::size_t firstTimeAt = 13 + 11 + 28 + 1 + 4 + 12;
    const u32 damaged[] = {0x7FC00000u, 0x7F800000u, 0xFF800000u, 0xC0A00000u};
    for (u32 bits : damaged) {
        save.Write("profiles\\" + name, valid);
        save.PatchUInt("profiles\\" + name, firstTimeAt, bits);
        const auto read = Load(name);
        ASSERT_EQ(read->GetLevelResults().size(), 1u) << std::hex << bits;
        EXPECT_EQ(read->GetLevelResults()[0].level, (LevelReference{0, 1}));
        EXPECT_EQ(read->GetTotalTime(), 20.0f);
        read->AddLevelResult({0, {0, 0}, 12.5f});
        const std::vector<std::uint8_t> bytes = Testing::BytesOf(FileOf(*read));
        EXPECT_EQ(Testing::FloatAt(bytes, firstTimeAt), 20.0f);
        EXPECT_EQ(Testing::FloatAt(bytes, firstTimeAt + 16), 12.5f);
        EXPECT_EQ(Load(name)->GetLevelResults().size(), 2u);
    }
    EXPECT_TRUE(save.ErrorLines().empty());
}

TEST_F(ProfileTest, ProgressMovesOnlyForwardAndSavesOnlyWhenItMoves)
{
    struct Case {
        LevelReference level;
        bool completed;
        bool moves;
    };
    const Case cases[] = {
        {{0, 5}, true, false}, {{1, 1}, true, false}, {{1, 2}, false, false},
        {{1, 2}, true, true},  {{1, 2}, true, false}, {{1, 3}, false, true},
        {{2, 0}, false, true},
    };
    const auto profile = Create(L"Anna");
    profile->UpdateProgress({1, 2}, false);
    for (const Case& c : cases) {
        const std::string before = FileOf(*profile);
        const LevelReference furthest = profile->GetFurthestLevel();
        profile->UpdateProgress(c.level, c.completed);
        EXPECT_EQ(FileOf(*profile) != before, c.moves) << c.level.stage << "-" << c.level.level;
        EXPECT_EQ(profile->GetFurthestLevel(), c.moves ? c.level : furthest);
    }
}

TEST_F(ProfileTest, AFileThatCannotBeReadIsRefusedWithItsReasonLogged)
{
    const auto profile = Create(L"Anna");
    profile->AddLevelResult({0, {0, 0}, 10.0f});
    const std::string name = profile->GetFileName();
    // Name "Anna": count byte and five units, seven numbers and a flag.
    const std::size_t resultCountAt = 13 + 11 + 28 + 1;
    struct Case {
        std::size_t at;
        u32 value;
        const char* logged;
    };
    const Case cases[] = {{9, 101, "format version (101), current is 102"},
                          {resultCountAt, 2, "Incorrect count 2"},
                          {resultCountAt, 0x10000000u, "Incorrect count 268435456"}};
    const std::string valid = FileOf(*profile);
    for (const Case& c : cases) {
        save.Write("profiles\\" + name, valid);
        save.PatchUInt("profiles\\" + name, c.at, c.value);
        EXPECT_THROW(Load(name), Halvard::Error) << c.logged;
        EXPECT_TRUE(Testing::LogProbe(*save.Log()).Contains(c.logged)) << c.logged;
    }
    EXPECT_EQ(save.ErrorLines().size(), 3u);
}

// A folder in the file's place cannot be replaced: the failed save is one
// error line, nothing is thrown, no temporary file stays behind, and the
// next save that can write brings the file up to what the profile holds.
TEST_F(ProfileTest, AFailedSaveIsLoggedOnceAndTheProfileInMemoryStays)
{
    const auto profile = Create(L"Anna");
    const std::string file = "profiles\\" + profile->GetFileName();
    save.Remove(file);
    save.Write(file + "\\blocker", "x");
    EXPECT_NO_THROW(profile->AddLevelResult({0, {0, 0}, 10.0f}));
    EXPECT_EQ(profile->GetLevelResults().size(), 1u);
    EXPECT_EQ(save.ErrorLines().size(), 1u);
    EXPECT_TRUE(save.Exists(file + "\\blocker"));
    EXPECT_EQ(save.List("profiles"), (std::vector<std::string>{profile->GetFileName()}));

    save.Remove(file);
    profile->SetName(L"Berta");
    const auto read = Load(profile->GetFileName());
    EXPECT_EQ(read->GetName(), L"Berta");
    EXPECT_EQ(read->GetLevelResults().size(), 1u);
    EXPECT_EQ(save.ErrorLines().size(), 1u);
}

TEST_F(ProfileTest, RenamingTrimsAndCutsTheNameAndKeepsTheFileName)
{
    const auto profile = Create(L"Anna");
    const std::string fileName = profile->GetFileName();
    profile->SetName(L"  Berta ");
    EXPECT_EQ(profile->GetFileName(), fileName);
    EXPECT_EQ(Load(fileName)->GetName(), L"Berta");
    const std::wstring longest(254, L'x');
    profile->SetName(longest + L"y");
    EXPECT_EQ(profile->GetName(), longest);
    EXPECT_EQ(Load(fileName)->GetName(), longest);
    EXPECT_EQ(Create(longest + L"z")->GetName(), longest);
}

TEST_F(ProfileTest, DeletingRemovesTheFileAndTheOwnFolderOnly)
{
    const auto anna = Create(L"Anna");
    const auto bob = Create(L"Bob");
    const std::string ownFolder = "profiles\\" + anna->GetFileName().substr(0, 16);
    save.Write(ownFolder + "\\game.sav", "progress");
    anna->DeleteFiles();
    EXPECT_FALSE(save.Exists("profiles\\" + anna->GetFileName()));
    EXPECT_FALSE(save.Exists(ownFolder));
    EXPECT_TRUE(save.Exists("profiles\\" + bob->GetFileName()));
}

TEST_F(ProfileTest, AProfileWhoseStemIsEmptyOrDotsDeletesOnlyItsFile)
{
    const auto bob = Create(L"Bob");
    for (const std::string fileName : {".prf", "..prf"}) {
        save.Write("profiles\\" + fileName, FileOf(*bob));
        Load(fileName)->DeleteFiles();
        EXPECT_FALSE(save.Exists("profiles\\" + fileName)) << fileName;
        EXPECT_TRUE(save.Exists("profiles\\" + bob->GetFileName())) << fileName;
    }
}

} // namespace
