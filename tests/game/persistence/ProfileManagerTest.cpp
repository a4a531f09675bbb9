#include "game/persistence/ProfileManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/core/PathUtils.h"
#include "framework/sound/SoundVolumes.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/SaveFolder.h"

#include <chrono>
#include <filesystem>
#include <memory>

namespace {

using GameFramework::LevelReference;
using GameFramework::ProfileBase;
using Halvard::u32;
using Tamrisk::ProfileManager;

// The sound set's volumes, with the order in which they were set.
class RecordedVolumes : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return music; }
    float GetSoundVolume() const override { return sound; }
    void SetMusicVolume(float volume) override
    {
        music = volume;
        calls.push_back("music");
    }
    void SetSoundVolume(float volume) override
    {
        sound = volume;
        calls.push_back("sound");
    }

    float music = 0.5f;
    float sound = 0.5f;
    std::vector<std::string> calls;
};

class ProfileManagerTest : public testing::Test {
protected:
    std::unique_ptr<ProfileManager> Open()
    {
        return std::make_unique<ProfileManager>(GameFramework::FileServices{save.Log(), save.Files()}, &volumes,
                                                save.User());
    }

    // Profiles made by a manager that is gone again: their file names in the
    // order given.
    std::vector<std::string> MakeProfiles(std::initializer_list<const wchar_t*> names, const wchar_t* current = nullptr)
    {
        const auto manager = Open();
        std::vector<std::string> fileNames;
        for (const wchar_t* name : names)
            fileNames.push_back(manager->AddProfile(name)->GetFileName());
        if (current != nullptr)
            manager->SetCurrentProfile(manager->GetProfile(current), ProfileManager::ListSaving::kSaveFile);
        return fileNames;
    }

    static std::vector<std::wstring> Names(const ProfileManager& manager)
    {
        std::vector<std::wstring> names;
        for (const auto& profile : manager.GetProfiles())
            names.push_back(profile->GetName());
        return names;
    }

    static std::wstring CurrentName(const ProfileManager& manager)
    {
        return manager.GetCurrentProfile() != nullptr ? manager.GetCurrentProfile()->GetName() : L"(none)";
    }

    // Gives the file a time of writing a minute ago.
    void WrittenBefore(const std::string& relative) const
    {
        const std::filesystem::path path(Halvard::MakeNativePath(save.User() + "\\" + relative));
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::minutes(1));
    }

    static std::string EmptyList()
    {
        return Testing::VersionedHeader(13 + 3 + 4, "FLPMF", 100) + std::string("\x01\0\0", 3) +
               Testing::LittleEndian(0);
    }

    Testing::SaveFolder save;
    RecordedVolumes volumes;
};

TEST_F(ProfileManagerTest, WithoutFolderAndListNoProfileIsCurrentAndAnEmptyListIsWritten)
{
    const auto manager = Open();
    EXPECT_EQ(manager->GetProfileCount(), 0u);
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    EXPECT_EQ(save.Read("profiles.pmf"), EmptyList());
    EXPECT_FALSE(save.Exists("profiles.pmf.bad"));
    EXPECT_TRUE(save.ErrorLines().empty());
}

TEST_F(ProfileManagerTest, TheCurrentNameAndTheRecordsReadBack)
{
    MakeProfiles({L"bob", L"Anna"}, L"BOB");
    {
        const auto manager = Open();
        EXPECT_TRUE(manager->SubmitLevelTime({0, 1}, L"bob", 0, 20.0f));
        EXPECT_TRUE(manager->SubmitLevelTime({1, 0}, L"Anna", 1, 35.5f));
    }
    const auto manager = Open();
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Anna", L"bob"}));
    EXPECT_EQ(CurrentName(*manager), L"bob");
    std::wstring holder;
    float time = 0.0f;
    ASSERT_TRUE(manager->GetLevelRecord({1, 0}, 1, holder, time));
    EXPECT_EQ(holder, L"Anna");
    EXPECT_EQ(time, 35.5f);
    EXPECT_FALSE(manager->GetLevelRecord({1, 0}, 0, holder, time));
}

TEST_F(ProfileManagerTest, AListNamingAVanishedProfileMakesTheFirstCurrentAndIsSaved)
{
    const std::string bobFile = MakeProfiles({L"Cleo", L"anna", L"Bob"}, L"Bob")[2];
    save.Remove("profiles\\" + bobFile);
    const auto manager = Open();
    EXPECT_EQ(CurrentName(*manager), L"anna");
    EXPECT_EQ(save.Read("profiles.pmf").substr(13, 11), std::string("\x05" "a\0n\0n\0a\0\0\0", 11));
}

TEST_F(ProfileManagerTest, NamesMatchWithoutRegardToCaseOrSurroundingSpace)
{
    const auto manager = Open();
    ProfileBase* anna = manager->AddProfile(L"anna");
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(manager->AddProfile(L"ANNA"), anna);
    EXPECT_EQ(manager->AddProfile(L" Anna "), anna);
    EXPECT_EQ(manager->GetProfile(L" anna\t"), anna);
    EXPECT_EQ(manager->GetProfileCount(), 1u);
    EXPECT_EQ(save.List("profiles").size(), 1u);
}

TEST_F(ProfileManagerTest, ANameEmptyOnceTrimmedMakesNoProfile)
{
    const auto manager = Open();
    EXPECT_EQ(manager->AddProfile(L" \xA0\x3000\t"), nullptr);
    EXPECT_EQ(manager->GetProfileCount(), 0u);
    EXPECT_FALSE(save.Exists("profiles"));
    manager->AddProfile(L"Anna");
    manager->RenameProfile(L"Anna", L"\xFEFF ");
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Anna"}));
}

TEST_F(ProfileManagerTest, AWelcomeNameWithSpacesIsFoundAsItWasMade)
{
    // What the welcome window does with the player's text.
    const auto manager = Open();
    manager->AddProfile(L" Anna");
    manager->SetCurrentProfile(manager->GetProfile(L" Anna"), ProfileManager::ListSaving::kSaveFile);
    EXPECT_EQ(CurrentName(*manager), L"Anna");
    EXPECT_EQ(Names(*Open()), (std::vector<std::wstring>{L"Anna"}));
}

TEST_F(ProfileManagerTest, LongNamesAreLookedUpInTheFormTheyWereMadeIn)
{
    const std::wstring longest(254, L'q');
    const auto manager = Open();
    ProfileBase* profile = manager->AddProfile(longest + L"tail");
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->GetName(), longest);
    EXPECT_EQ(manager->GetProfile(longest + L"other"), profile);
    manager->SetCurrentProfile(profile, ProfileManager::ListSaving::kSaveFile);
    EXPECT_EQ(CurrentName(*Open()), longest);
}

TEST_F(ProfileManagerTest, DeletingTheCurrentProfileMakesTheFirstOfTheRestCurrent)
{
    const auto manager = Open();
    for (const wchar_t* name : {L"Dora", L"bob", L"Cleo"})
        manager->AddProfile(name);
    manager->SetCurrentProfile(manager->GetProfile(L"Cleo"), ProfileManager::ListSaving::kSaveFile);
    manager->DeleteProfile(L"cleo");
    EXPECT_EQ(CurrentName(*manager), L"bob");
    manager->DeleteProfile(L"Nobody");
    EXPECT_EQ(manager->GetProfileCount(), 2u);
    manager->DeleteProfile(L"Dora");
    EXPECT_EQ(CurrentName(*manager), L"bob");
    manager->DeleteProfile(L"BOB");
    EXPECT_EQ(manager->GetCurrentProfile(), nullptr);
    EXPECT_EQ(save.Read("profiles.pmf"), EmptyList());
    EXPECT_TRUE(save.List("profiles").empty());
}

TEST_F(ProfileManagerTest, RenamingToAnotherProfilesNameInOtherCaseDoesNothing)
{
    const auto manager = Open();
    manager->AddProfile(L"Anna");
    ProfileBase* bob = manager->AddProfile(L"Bob");
    const std::string fileName = bob->GetFileName();
    manager->RenameProfile(L"Bob", L"aNNA");
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Anna", L"Bob"}));
    manager->RenameProfile(L"bob", L" Aaron ");
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Aaron", L"Anna"}));
    EXPECT_EQ(bob->GetFileName(), fileName);
    EXPECT_EQ(Names(*Open()), (std::vector<std::wstring>{L"Aaron", L"Anna"}));
}

TEST_F(ProfileManagerTest, ATimeBecomesTheRecordOnlyWhenFasterAndEachModeHasItsOwn)
{
    const auto manager = Open();
    struct Case {
        const wchar_t* holder;
        u32 mode;
        float time;
        bool record;
    };
    const Case cases[] = {{L"Anna", 0, 30.0f, true}, {L"Bob", 0, 30.0f, false}, {L"Bob", 0, 31.0f, false},
                          {L"Bob", 1, 40.0f, true},  {L"Cleo", 0, 29.5f, true}};
    for (const Case& c : cases)
        EXPECT_EQ(manager->SubmitLevelTime({0, 2}, c.holder, c.mode, c.time), c.record) << c.time;
    std::wstring holder;
    float time = 0.0f;
    ASSERT_TRUE(manager->GetLevelRecord({0, 2}, 0, holder, time));
    EXPECT_EQ(holder, L"Cleo");
    EXPECT_EQ(time, 29.5f);
    ASSERT_TRUE(manager->GetLevelRecord({0, 2}, 1, holder, time));
    EXPECT_EQ(holder, L"Bob");
    EXPECT_EQ(Open()->GetLevelRecords().size(), 2u);
}

// A record time that no play can make would never be beaten: it reads as no
// record, the other records stay, and the next real time is saved.
TEST_F(ProfileManagerTest, ARecordTimeThatIsNoRealTimeReadsAsNoRecord)
{
    MakeProfiles({L"Anna"}, L"Anna");
    {
        const auto manager = Open();
        manager->SubmitLevelTime({0, 1}, L"Anna", 0, 20.0f);
        manager->SubmitLevelTime({0, 2}, L"Anna", 0, 30.0f);
    }
    const std::string valid = save.Read("profiles.pmf");
    // The current name "Anna" (its count byte, four units and the closing 0)
    // and the count, then the first record's stage, level, holder "Anna" and
    // mode.
    const std::size_t anna = 1 + 2 * 5;
    const std::size_t firstTimeAt = 13 + anna + 4 + 8 + anna + 4;
    ASSERT_EQ(Testing::FloatAt(Testing::BytesOf(valid), firstTimeAt), 20.0f);
    const u32 damaged[] = {0x7FC00000u, 0x7F800000u, 0xFF800000u, 0xC0A00000u};
    for (u32 bits : damaged) {
        save.Write("profiles.pmf", valid);
        save.PatchUInt("profiles.pmf", firstTimeAt, bits);
        const auto manager = Open();
        std::wstring holder;
        float time = 0.0f;
        EXPECT_FALSE(manager->GetLevelRecord({0, 1}, 0, holder, time)) << std::hex << bits;
        ASSERT_TRUE(manager->GetLevelRecord({0, 2}, 0, holder, time));
        EXPECT_EQ(time, 30.0f);
        EXPECT_TRUE(manager->SubmitLevelTime({0, 1}, L"Anna", 0, 45.0f));
        const std::string bytes = save.Read("profiles.pmf");
        EXPECT_EQ(Testing::FloatAt(Testing::BytesOf(bytes), bytes.size() - 4), 45.0f);
        ASSERT_TRUE(Open()->GetLevelRecord({0, 1}, 0, holder, time));
        EXPECT_EQ(time, 45.0f);
    }
    EXPECT_TRUE(save.ErrorLines().empty());
}

// A folder in the list's place cannot be replaced: the failed save is one
// error line, nothing is thrown, and the record and the current profile kept
// in memory reach the file with the next save that can write.
TEST_F(ProfileManagerTest, AFailedSaveIsLoggedOnceAndTheListInMemoryStays)
{
    const auto manager = Open();
    ProfileBase* anna = manager->AddProfile(L"Anna");
    save.Remove("profiles.pmf");
    save.Write("profiles.pmf\\blocker", "x");
    EXPECT_NO_THROW(manager->SetCurrentProfile(anna, ProfileManager::ListSaving::kSaveFile));
    EXPECT_TRUE(manager->SubmitLevelTime({0, 1}, L"Anna", 0, 20.0f));
    EXPECT_EQ(save.ErrorLines().size(), 2u);
    EXPECT_TRUE(save.Exists("profiles.pmf\\blocker"));
    EXPECT_EQ(manager->GetLevelRecords().size(), 1u);

    save.Remove("profiles.pmf");
    manager->SetCurrentProfile(anna, ProfileManager::ListSaving::kSaveFile);
    const auto again = Open();
    EXPECT_EQ(CurrentName(*again), L"Anna");
    EXPECT_EQ(again->GetLevelRecords().size(), 1u);
    EXPECT_EQ(save.ErrorLines().size(), 2u);
}

TEST_F(ProfileManagerTest, DeletingTheProfileOfAFileNamedPrfLeavesTheOthers)
{
    const std::string zedFile = MakeProfiles({L"Anna", L"Bob", L"Zed"})[2];
    save.Write("profiles\\.prf", save.Read("profiles\\" + zedFile));
    save.Remove("profiles\\" + zedFile);
    const auto manager = Open();
    ASSERT_EQ(manager->GetProfileCount(), 3u);
    manager->DeleteProfile(L"Zed");
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Anna", L"Bob"}));
    EXPECT_EQ(save.List("profiles").size(), 2u);
    EXPECT_EQ(Names(*Open()), (std::vector<std::wstring>{L"Anna", L"Bob"}));
}

// A second file of a name already loaded, a copy or a name edited by hand
// with blanks and another case, loads as nothing: it is set aside with its
// bytes as they were, one error line says where, and the player's own file is
// the one that deleting the player removes. The next start finds no file of
// that player.
TEST_F(ProfileManagerTest, ASecondFileOfALoadedNameIsSetAsideAndTheDeletedPlayerStaysGone)
{
    const std::string bobFile = MakeProfiles({L"Bob", L"Anna"}, L"Bob")[0];
    const std::string bob = save.Read("profiles\\" + bobFile);
    // The name's count byte and its four units, "Bob" and the closing 0.
    const std::string body = bob.substr(13 + 1 + 2 * 4);
    // A no-break space before "bob", an ideographic space after it.
    const std::string name = std::string("\x06\xA0\0b\0o\0b\0\0\x30\0\0", 13);
    const std::string edited =
        Testing::VersionedHeader(static_cast<u32>(13 + name.size() + body.size()), "TKPRF", 102) + name + body;
    save.Write("profiles\\zz_copy.prf", bob);
    save.Write("profiles\\zz_edited.prf", edited);
    // As far as the player's own file, and written before it.
    WrittenBefore("profiles\\zz_copy.prf");
    WrittenBefore("profiles\\zz_edited.prf");

    const auto manager = Open();
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Anna", L"Bob"}));
    EXPECT_EQ(manager->GetProfile(L"BOB")->GetFileName(), bobFile);
    const std::string profiles = save.User() + "\\profiles\\";
    EXPECT_EQ(save.ErrorLines(),
              (std::vector<std::string>{
                  "Error: Player name in \"" + profiles + "zz_copy.prf\" file is the one of \"" + profiles +
                      bobFile + "\" file; the file is kept as \"" + profiles + "zz_copy.prf.bad\"!",
                  "Error: Player name in \"" + profiles + "zz_edited.prf\" file is the one of \"" + profiles +
                      bobFile + "\" file; the file is kept as \"" + profiles + "zz_edited.prf.bad\"!"}));
    EXPECT_EQ(save.List("profiles"),
              (std::vector<std::string>{manager->GetProfile(L"Anna")->GetFileName(), bobFile, "zz_copy.prf.bad",
                                        "zz_edited.prf.bad"}));
    EXPECT_EQ(save.Read("profiles\\zz_copy.prf.bad"), bob);
    EXPECT_EQ(save.Read("profiles\\zz_edited.prf.bad"), edited);

    manager->DeleteProfile(L"Bob");
    const auto next = Open();
    EXPECT_EQ(Names(*next), (std::vector<std::wstring>{L"Anna"}));
    EXPECT_EQ(CurrentName(*next), L"Anna");
    EXPECT_EQ(save.ErrorLines().size(), 2u);
}

// Files set aside earlier, and a folder of such a name, keep what they hold:
// the second file takes the first name free.
TEST_F(ProfileManagerTest, ASecondFileSetAsideTakesTheFirstFreeNameAndReplacesNoEarlierOne)
{
    const std::string bob = save.Read("profiles\\" + MakeProfiles({L"Bob"})[0]);
    save.Write("profiles\\zz_copy.prf", bob);
    WrittenBefore("profiles\\zz_copy.prf");
    save.Write("profiles\\zz_copy.prf.bad", "kept first");
    save.Write("profiles\\zz_copy.prf.bad2\\inside", "kept in a folder");

    EXPECT_EQ(Names(*Open()), (std::vector<std::wstring>{L"Bob"}));
    EXPECT_EQ(save.Read("profiles\\zz_copy.prf.bad"), "kept first");
    EXPECT_EQ(save.Read("profiles\\zz_copy.prf.bad2\\inside"), "kept in a folder");
    EXPECT_EQ(save.Read("profiles\\zz_copy.prf.bad3"), bob);
    EXPECT_FALSE(save.Exists("profiles\\zz_copy.prf"));
    const std::vector<std::string> errors = save.ErrorLines();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], testing::EndsWith("; the file is kept as \"" + save.User() +
                                             "\\profiles\\zz_copy.prf.bad3\"!"));
}

TEST_F(ProfileManagerTest, NewProfilesTakeTheSoundSetsVolumesAndTheCurrentOneGivesThemBack)
{
    volumes.music = 0.2f;
    volumes.sound = 0.8f;
    {
        const auto manager = Open();
        ProfileBase* anna = manager->AddProfile(L"Anna");
        EXPECT_EQ(anna->GetSettings().musicVolume, 0.2f);
        EXPECT_EQ(anna->GetSettings().effectsVolume, 0.8f);
    }
    volumes = RecordedVolumes{};
    const auto manager = Open();
    manager->ApplyProfileSettings();
    EXPECT_EQ(volumes.calls, (std::vector<std::string>{"music", "sound"}));
    EXPECT_EQ(volumes.music, 0.2f);
    EXPECT_EQ(volumes.sound, 0.8f);
}

TEST_F(ProfileManagerTest, AnUnreadableProfileIsSkippedAndAnUnreadableListKeptAsBad)
{
    MakeProfiles({L"Anna"});
    save.Write("profiles\\broken.prf", "not a profile");
    const std::string badList = Testing::VersionedHeader(13, "FLPMF", 99);
    save.Write("profiles.pmf", badList);
    const auto manager = Open();
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Anna"}));
    EXPECT_EQ(CurrentName(*manager), L"Anna");
    EXPECT_EQ(save.Read("profiles.pmf.bad"), badList);
    EXPECT_EQ(save.ErrorLines().size(), 1u);
    EXPECT_TRUE(save.Exists("profiles\\broken.prf"));
}

// A name that is empty once trimmed (here one zero unit, which ends the
// name) could never be made current: the profile is skipped, its file named
// in one error line and left on disk.
TEST_F(ProfileManagerTest, AProfileWhoseNameIsEmptyOnceTrimmedIsSkippedNamingItsFile)
{
    const std::string fileName = MakeProfiles({L"A", L"Bob"}, L"Bob")[0];
    std::string bytes = save.Read("profiles\\" + fileName);
    // The name's count byte stays 1; its one unit becomes 0.
    bytes[14] = '\0';
    save.Write("profiles\\" + fileName, bytes);
    const auto manager = Open();
    EXPECT_EQ(Names(*manager), (std::vector<std::wstring>{L"Bob"}));
    EXPECT_EQ(CurrentName(*manager), L"Bob");
    const std::vector<std::string> errors = save.ErrorLines();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_THAT(errors[0], testing::HasSubstr(fileName));
    EXPECT_EQ(save.Read("profiles\\" + fileName), bytes);
}

} // namespace
