#include "engine/core/Config.h"
#include "engine/core/PathUtils.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/persistence/SaveTrouble.h"
#include "framework/persistence/UserFolderLock.h"
#include "framework/sound/SoundVolumes.h"
#include "game/persistence/ProfileManager.h"
#include "platform/os/FolderLock.h"
#include "tests/support/FilePermissionsHonoured.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/SaveFolder.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <utility>

namespace {

namespace fs = std::filesystem;

using GameFramework::HighScoresTable;
using GameFramework::LevelReference;
using GameFramework::SaveTrouble;
using Halvard::u32;
using Tamrisk::ProfileManager;
using testing::HasSubstr;

class FixedVolumes : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return 0.5f; }
    float GetSoundVolume() const override { return 0.5f; }
    void SetMusicVolume(float) override {}
    void SetSoundVolume(float) override {}
};

bool AnyLineHas(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&part](const std::string& line) { return line.find(part) != std::string::npos; });
}

std::vector<SaveTrouble::Kind> KindsOf(const SaveTrouble& trouble)
{
    std::vector<SaveTrouble::Kind> kinds;
    for (const SaveTrouble::Trouble& reported : trouble.GetReported())
        kinds.push_back(reported.kind);
    return kinds;
}

// Every save file of a run in a folder of its own, each saving through one
// trouble keeper.
struct SavingFiles {
    explicit SavingFiles(GameFramework::SoundVolumes& volumes)
        : seen(nullptr, folder.Log()),
          services{folder.Log(), folder.Files(), &seen},
          config(folder.Log(), folder.Files(), {.folder = folder.User(), .name = "Tamrisk"}),
          manager(services, &volumes, folder.User()),
          table(services, 10, folder.User())
    {
        config.SetSaveKeeper(&seen);
    }
    Testing::SaveFolder folder;
    SaveTrouble seen;
    GameFramework::FileServices services;
    Halvard::Config config;
    ProfileManager manager;
    HighScoresTable table;
};

// Makes the folder closed to writing, or to everything with mode 000.
void CloseFolder(const fs::path& folder, fs::perms perms = fs::perms::owner_read | fs::perms::owner_exec)
{
    fs::permissions(folder, perms);
}

// The save files of one user folder, reporting their trouble as the game's
// do.
class SaveTroubleTest : public testing::Test {
protected:
    GameFramework::FileServices Services() { return {save.Log(), save.Files(), &trouble}; }

    std::unique_ptr<ProfileManager> OpenProfiles(const std::string& folder)
    {
        return std::make_unique<ProfileManager>(Services(), &volumes, folder);
    }
    std::unique_ptr<ProfileManager> OpenProfiles() { return OpenProfiles(save.User()); }
    std::unique_ptr<HighScoresTable> OpenScores(const std::string& folder)
    {
        return std::make_unique<HighScoresTable>(Services(), 10, folder);
    }
    std::unique_ptr<HighScoresTable> OpenScores() { return OpenScores(save.User()); }

    // A profile file of that name that got as far as the level, whatever
    // its file is called.
    std::string ProfileBytes(const std::wstring& name, LevelReference furthest)
    {
        std::string bytes;
        {
            const auto manager = OpenProfiles();
            GameFramework::ProfileBase* profile = manager->AddProfile(L"Someone");
            profile->UpdateProgress(furthest, true);
            bytes = save.Read("profiles\\" + profile->GetFileName());
            manager->DeleteProfile(L"Someone");
        }
        save.Remove("profiles.pmf");
        save.Remove("profiles");
        return WithName(bytes, name);
    }

    // The same profile under another name, as a hand edit makes it.
    static std::string WithName(const std::string& bytes, const std::wstring& name)
    {
        const std::size_t oldNameSize = 1 + 2 * (static_cast<unsigned char>(bytes[13]));
        std::string nameBytes(1, static_cast<char>(name.size() + 1));
        for (wchar_t c : name + L'\0') {
            nameBytes += static_cast<char>(c & 0xFF);
            nameBytes += static_cast<char>((c >> 8) & 0xFF);
        }
        const std::string body = bytes.substr(13 + oldNameSize);
        return Testing::VersionedHeader(static_cast<u32>(13 + nameBytes.size() + body.size()), "TKPRF", 102) +
               nameBytes + body;
    }

    fs::path Native(const std::string& relative) const { return fs::path(Halvard::MakeNativePath(save.User())) / relative; }

    void SetWriteTime(const std::string& relative, int secondsAgo) const
    {
        fs::last_write_time(Native(relative), fs::file_time_type::clock::now() - std::chrono::seconds(secondsAgo));
    }

    std::vector<std::string> FilesEndingIn(const std::string& folder, const std::string& ending) const
    {
        std::vector<std::string> found;
        for (const std::string& name : save.List(folder)) {
            if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
                found.push_back(name);
        }
        return found;
    }

    Testing::SaveFolder save;
    SaveTrouble trouble{nullptr, save.Log()};
    FixedVolumes volumes;
};

// However the disk refuses a save, the save says so in the log and reports
// it as the kind of trouble the system named, with the first file it befell,
// and no error leaves the files. A folder that cannot be made inside the
// closed one is the same trouble, not a second one.
TEST_F(SaveTroubleTest, SavesThatDoNotReachTheDiskAreLoggedAndReportedByTheirCause)
{
    struct Way {
        const char* name;
        std::function<std::string(Testing::SaveFolder&)> userFolder;
        SaveTrouble::Kind kind;
        rlim_t sizeLimit;
    };
    const rlim_t unlimited = RLIM_INFINITY;
    const Way ways[] = {
        {"a user folder that is a file",
         [](Testing::SaveFolder& save) {
             save.Write("taken", "a file");
             return save.User() + "\\taken\\Tamrisk";
         },
         SaveTrouble::Kind::kNoFolder, unlimited},
        {"a folder closed to writing",
         [](Testing::SaveFolder& save) {
             save.Write("closed\\.keep", "");
             CloseFolder(fs::path(Halvard::MakeNativePath(save.User())) / "closed");
             return save.User() + "\\closed";
         },
         SaveTrouble::Kind::kFolderClosed, unlimited},
        {"a full disk", [](Testing::SaveFolder& save) { return save.User(); }, SaveTrouble::Kind::kNoRoom, 0},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Testing::SaveFolder folder;
        SaveTrouble seen(nullptr, folder.Log());
        const GameFramework::FileServices services{folder.Log(), folder.Files(), &seen};
        const std::string user = way.userFolder(folder);
        Testing::FilePermissionsHonoured honoured;
        std::optional<Testing::FileSizeLimit> full;
        if (way.sizeLimit != unlimited)
            full.emplace(way.sizeLimit);
        ProfileManager manager(services, &volumes, user);
        HighScoresTable table(services, 10, user);
        EXPECT_NE(manager.AddProfile(L"Anna"), nullptr);
        EXPECT_NE(table.AddScore(L"Anna", 0, 100), nullptr);
        // Their files not on disk, two names of one long stem still get two.
        EXPECT_NE(manager.AddProfile(L"Abcdefghijklmnopone")->GetFileName(),
                  manager.AddProfile(L"Abcdefghijklmnoptwo")->GetFileName());
        full.reset();
        ASSERT_EQ(seen.GetReported().size(), 1u);
        EXPECT_EQ(seen.GetReported()[0].kind, way.kind);
        EXPECT_EQ(seen.GetReported()[0].path, user + "\\profiles.pmf");
        EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), "profiles.pmf"));
        EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), "high_scores.hsf"));
        EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), ".prf"));
    }
}

// A save that failed is made again at the next save of any other file, from
// what its owner holds by then, in the order the saves failed.
TEST_F(SaveTroubleTest, AFailedSaveIsMadeAgainWithItsOwnersStateAtTheNextSaveOfAnotherFile)
{
    struct Row {
        const char* file;
        // The save that fails, then one of another file once space is free.
        std::function<void(ProfileManager&, HighScoresTable&, Halvard::Config&)> fail, next;
    };
    GameFramework::ProfileBase* anna = nullptr;
    const Row rows[] = {
        {"high_scores.hsf", [](auto&, auto& table, auto&) { table.AddScore(L"Anna", 0, 100); },
         [](auto&, auto&, auto& config) { config.Save(); }},
        {"profiles.pmf", [](auto& manager, auto&, auto&) { manager.SubmitLevelTime({0, 0}, L"Anna", 0, 12.0f); },
         [&anna](auto&, auto&, auto&) { anna->Save(); }},
        {"profiles\\",
         [&anna](auto&, auto&, auto&) {
             anna->UpdateProgress({1, 0}, true);
             anna->KeepProgress({1, 1}, false);
         },
         [](auto&, auto& table, auto&) { table.AddScore(L"Bob", 0, 5); }},
        {"Tamrisk.ini",
         [](auto&, auto&, auto& config) {
             config.videoMode = "1024x768x32";
             config.Save();
         },
         [](auto& manager, auto&, auto&) { manager.Save(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        SavingFiles files(volumes);
        auto& [folder, seen, services, config, manager, table] = files;
        anna = manager.AddProfile(L"Anna");
        config.Save();
        const std::string file = row.file == std::string("profiles\\") ? "profiles\\" + anna->GetFileName() : row.file;
        const std::string before = folder.Read(file);
        {
            Testing::FileSizeLimit full(0);
            row.fail(manager, table, config);
        }
        EXPECT_EQ(folder.Read(file), before);
        row.next(manager, table, config);
        const std::string retried = folder.Read(file);
        EXPECT_NE(retried, before);
        manager.Save();
        anna->Save();
        table.Save();
        config.Save();
        EXPECT_EQ(folder.Read(file), retried);
    }
}

// Only the table's save holds back the player's file, whatever stops it, so
// that the file never lets go of a game whose score the table has not kept;
// no other file's trouble holds back any save. A player deleted while his
// file waits stays gone once the table is saved.
TEST_F(SaveTroubleTest, OnlyTheTablesSaveHoldsBackThePlayersFile)
{
    std::optional<Testing::FileSizeLimit> limit;
    struct Row {
        const char* what;
        // Stops the table's save, or the ini's, until the row ends.
        std::function<void(Testing::SaveFolder&, std::size_t playerFileSize)> stop;
        bool playerWaits;
    };
    const Row rows[] = {
        {"the table finds no room", [&limit](auto&, std::size_t size) { limit.emplace(size + 64); }, true},
        {"a folder in the table's place",
         [](auto& folder, std::size_t) {
             folder.Remove("high_scores.hsf");
             folder.Write("high_scores.hsf\\in", "");
         },
         true},
        {"the ini's link leads into a folder that is missing",
         [](auto& folder, std::size_t) {
             fs::create_symlink("gone/Tamrisk.ini", fs::path(Halvard::MakeNativePath(folder.User())) / "Tamrisk.ini");
         },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        SavingFiles files(volumes);
        auto& [folder, seen, services, config, manager, table] = files;
        GameFramework::ProfileBase* anna = manager.AddProfile(L"Anna");
        for (u32 score = 1; score <= 10; ++score)
            table.AddScore(std::wstring(40, L'x'), 0, score);
        const std::string annaFile = "profiles\\" + anna->GetFileName();
        const std::string before = folder.Read(annaFile);
        row.stop(folder, before.size());
        config.Save();
        table.AddScore(L"Anna", 0, 100);
        anna->UpdateProgress({1, 0}, true);
        limit.reset();
        if (folder.Exists("high_scores.hsf\\in"))
            folder.Remove("high_scores.hsf");
        EXPECT_EQ(folder.Read(annaFile) == before, row.playerWaits);
        manager.DeleteProfile(L"Anna");
        EXPECT_EQ(folder.List("profiles"), std::vector<std::string>());
        EXPECT_EQ(HighScoresTable({folder.Log(), folder.Files()}, 10, folder.User()).GetEntry(0, 0)->name, L"Anna");
    }
}

// A run that started without its lock and finds another copy's lock file by
// its next change, though that copy has ended, deletes no player's file, and
// says of none that it failed to save it.
TEST_F(SaveTroubleTest, ARunThatFindsAnotherCopysLockFileDeletesNoFile)
{
    const std::string annaFile = "profiles\\" + OpenProfiles()->AddProfile(L"Anna")->GetFileName();
    std::optional<GameFramework::UserFolderLock> lock;
    {
        Testing::FilePermissionsHonoured honoured;
        CloseFolder(Native(""));
        lock.emplace("Tamrisk", save.User());
        CloseFolder(Native(""), fs::perms::owner_all);
    }
    Platform::FolderLock(Native("Tamrisk.lock").string());
    trouble.SetUserFolderLock(&*lock);
    OpenProfiles()->DeleteProfile(L"Anna");
    EXPECT_TRUE(save.Exists(annaFile));
    EXPECT_FALSE(AnyLineHas(save.ErrorLines(), annaFile)) << testing::PrintToString(save.ErrorLines());
    EXPECT_EQ(KindsOf(trouble), (std::vector<SaveTrouble::Kind>{SaveTrouble::Kind::kSavedElsewhere}));
}

// The player hears of each kind of trouble once, in the order they came, of
// the first file each befell: one kind told does not hide the next.
TEST_F(SaveTroubleTest, EachKindOfTroubleIsToldOnceAndNoneHidesAnother)
{
    using Kind = SaveTrouble::Kind;
    const std::pair<Kind, const char*> reports[] = {
        {Kind::kNotRead, "a"}, {Kind::kNoRoom, "b"},        {Kind::kNotRead, "c"},
        {Kind::kNoRoom, "d"},  {Kind::kFolderClosed, "e"}, {Kind::kNoFolder, "f"},
    };
    for (const auto& [kind, path] : reports)
        trouble.Report(kind, path);
    std::vector<std::pair<Kind, std::string>> told;
    while (trouble.HasUntold()) {
        const SaveTrouble::Trouble next = trouble.TakeUntold();
        told.emplace_back(next.kind, next.path);
    }
    EXPECT_EQ(told, (std::vector<std::pair<Kind, std::string>>{
                        {Kind::kNotRead, "a"}, {Kind::kNoRoom, "b"}, {Kind::kFolderClosed, "e"}, {Kind::kNoFolder, "f"}}));
    trouble.Report(Kind::kNoRoom, "g");
    EXPECT_FALSE(trouble.HasUntold());
    trouble.Report(Kind::kNotSaved, "h");
    ASSERT_TRUE(trouble.HasUntold());
    EXPECT_EQ(trouble.TakeUntold().path, "h");
}

// A full disk lets the files be made but not written: the old files stay,
// the trouble is reported, and each file's line is not repeated until exit.
TEST_F(SaveTroubleTest, AFullDiskKeepsTheOldFilesAndReportsTheTrouble)
{
    {
        const auto manager = OpenProfiles();
        manager->SetCurrentProfile(manager->AddProfile(L"Anna"), ProfileManager::ListSaving::kSaveFile);
    }
    OpenScores()->AddScore(L"Anna", 0, 100);
    const std::string list = save.Read("profiles.pmf");
    const std::string scores = save.Read("high_scores.hsf");
    {
        Testing::FileSizeLimit full(0);
        const auto manager = OpenProfiles();
        const auto table = OpenScores();
        manager->SubmitLevelTime({0, 0}, L"Anna", 0, 12.0f);
        table->AddScore(L"Anna", 0, 200);
        // Made again at each later save for the same reason: logged once,
        // then once more at exit.
        for (int i = 0; i < 3; ++i)
            manager->Save();
        EXPECT_EQ(save.ErrorLines().size(), 2u) << testing::PrintToString(save.ErrorLines());
        trouble.MakeFailedSaves();
    }
    EXPECT_EQ(KindsOf(trouble), (std::vector<SaveTrouble::Kind>{SaveTrouble::Kind::kNoRoom}));
    EXPECT_EQ(save.Read("profiles.pmf"), list);
    EXPECT_EQ(save.Read("high_scores.hsf"), scores);
    EXPECT_EQ(save.ErrorLines().size(), 4u) << testing::PrintToString(save.ErrorLines());
}

// An ini file kept elsewhere (synced, backed up) behind a link stays behind
// it: the options saved go where the link points. Where that is a folder
// that is missing, the file the link leads to is named, in the log and to
// the player: its folder is the one to make; where that disk is full, the
// player hears of the file there too.
TEST_F(SaveTroubleTest, AnIniFileBehindALinkStaysBehindIt)
{
    const Testing::TempFolder elsewhere;
    elsewhere.WriteFile("Tamrisk.ini", "v_mode 640x480x32\r\n");
    fs::create_symlink(elsewhere.Path() / "Tamrisk.ini", Native("Tamrisk.ini"));
    Halvard::Config config(save.Log(), save.Files(), {.folder = save.User(), .name = "Tamrisk"});
    config.Load();
    config.videoMode = "1024x768x32";
    config.Save();
    EXPECT_TRUE(fs::is_symlink(Native("Tamrisk.ini")));
    EXPECT_THAT(elsewhere.ReadFile("Tamrisk.ini"), HasSubstr("v_mode 1024x768x32"));
    EXPECT_TRUE(save.ErrorLines().empty());

    fs::remove(Native("Tamrisk.ini"));
    fs::create_symlink(elsewhere.Path() / "gone" / "Tamrisk.ini", Native("Tamrisk.ini"));
    config.SetSaveKeeper(&trouble);
    config.Save();
    ASSERT_EQ(KindsOf(trouble), (std::vector<SaveTrouble::Kind>{SaveTrouble::Kind::kNoFolder}));
    const std::string linked = trouble.GetReported()[0].path;
    EXPECT_EQ(Halvard::MakeNativePath(linked), (elsewhere.Path() / "gone" / "Tamrisk.ini").string());
    EXPECT_TRUE(AnyLineHas(save.ErrorLines(), "a link to \"" + linked + "\" (No such file or directory)"));

    fs::remove(Native("Tamrisk.ini"));
    fs::create_symlink(elsewhere.Path() / "Tamrisk.ini", Native("Tamrisk.ini"));
    {
        const Testing::FileSizeLimit full(0);
        config.Save();
    }
    ASSERT_EQ(KindsOf(trouble),
              (std::vector<SaveTrouble::Kind>{SaveTrouble::Kind::kNoFolder, SaveTrouble::Kind::kNoRoom}));
    EXPECT_EQ(Halvard::MakeNativePath(trouble.GetReported()[1].path), (elsewhere.Path() / "Tamrisk.ini").string());
}

// A list or table that is there but cannot be opened is neither set aside
// nor replaced: it keeps its bytes through the run's saves, one error line
// names it, every refused save says why, and the player hears of it.
TEST_F(SaveTroubleTest, AListOrTableThatCannotBeOpenedIsLeftAsItIsAndNotWrittenOver)
{
    struct Way {
        const char* name;
        bool folderInPlace;
    };
    for (const Way way : {Way{"no right to read it", false}, Way{"a folder in its place", true}}) {
        for (const std::string file : {"profiles.pmf", "high_scores.hsf"}) {
            SCOPED_TRACE(std::string(way.name) + ", " + file);
            Testing::SaveFolder folder;
            SaveTrouble seen(nullptr, folder.Log());
            const GameFramework::FileServices services{folder.Log(), folder.Files(), &seen};
            {
                ProfileManager manager(services, &volumes, folder.User());
                manager.AddProfile(L"Anna");
                manager.SubmitLevelTime({0, 0}, L"Anna", 0, 12.0f);
                HighScoresTable(services, 10, folder.User()).AddScore(L"Anna", 0, 100);
            }
            const fs::path path = fs::path(Halvard::MakeNativePath(folder.User())) / file;
            std::string kept = folder.Read(file);
            if (way.folderInPlace) {
                folder.Remove(file);
                folder.Write(file + "\\inside", "kept");
                kept = "kept";
            }
            const std::string keptAt = way.folderInPlace ? file + "\\inside" : file;
            {
                Testing::FilePermissionsHonoured honoured;
                fs::permissions(path, fs::perms::none);
                ProfileManager manager(services, &volumes, folder.User());
                HighScoresTable table(services, 10, folder.User());
                manager.SetCurrentProfile(manager.GetProfile(L"Anna"), ProfileManager::ListSaving::kSaveFile);
                table.AddScore(L"Anna", 0, 300);
                fs::permissions(path, fs::perms::owner_all);
            }
            EXPECT_EQ(folder.Read(keptAt), kept);
            EXPECT_FALSE(folder.Exists(file + ".bad"));
            EXPECT_EQ(KindsOf(seen), (std::vector<SaveTrouble::Kind>{SaveTrouble::Kind::kNotRead}));
            EXPECT_EQ(seen.GetReported().at(0).path, folder.User() + "\\" + file);
            EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), "exists but cannot be opened; it is left as it is"));
            EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), "could not be read and is kept as it is"));
        }
    }
}

// A profile that cannot be opened is skipped, not set aside; the name made
// again in that run gets a file of its own, and at the next start the file
// that got further loads, whichever sorts first.
TEST_F(SaveTroubleTest, AProfileThatCannotBeOpenedIsKeptAndWinsOverTheNameMadeAgain)
{
    std::string bobFile;
    {
        const auto manager = OpenProfiles();
        GameFramework::ProfileBase* bob = manager->AddProfile(L"Bob");
        bob->UpdateProgress({1, 2}, true);
        bobFile = bob->GetFileName();
    }
    const std::string bytes = save.Read("profiles\\" + bobFile);
    const fs::path path = Native("profiles/" + bobFile);
    {
        Testing::FilePermissionsHonoured honoured;
        fs::permissions(path, fs::perms::none);
        const auto manager = OpenProfiles();
        EXPECT_EQ(manager->GetProfileCount(), 0u);
        EXPECT_EQ(KindsOf(trouble), (std::vector<SaveTrouble::Kind>{SaveTrouble::Kind::kNotRead}));
        ASSERT_NE(manager->AddProfile(L"Bob"), nullptr);
        EXPECT_NE(manager->GetProfile(L"Bob")->GetFileName(), bobFile);
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_EQ(save.Read("profiles\\" + bobFile), bytes);

    const auto next = OpenProfiles();
    ASSERT_EQ(next->GetProfileCount(), 1u);
    EXPECT_EQ(next->GetProfile(L"Bob")->GetFileName(), bobFile);
    EXPECT_EQ(next->GetProfile(L"Bob")->GetFurthestLevel(), (LevelReference{1, 2}));
    EXPECT_EQ(FilesEndingIn("profiles", ".prf"), (std::vector<std::string>{bobFile}));
    EXPECT_EQ(FilesEndingIn("profiles", ".bad").size(), 1u);
}

// Of two files of one name the one that got further loads, then the one
// written last; the other is set aside with its bytes.
TEST_F(SaveTroubleTest, OfTwoFilesOfOneNameTheFurthestThenTheLatestWrittenLoads)
{
    struct Case {
        LevelReference first;
        int firstSecondsAgo;
        LevelReference second;
        int secondSecondsAgo;
        const char* loaded;
    };
    const Case cases[] = {
        {{0, 1}, 100, {1, 0}, 200, "b.prf"},
        {{1, 0}, 200, {0, 2}, 100, "a.prf"},
        {{0, 2}, 100, {0, 1}, 50, "a.prf"},
        {{0, 2}, 100, {0, 2}, 50, "b.prf"},
        {{0, 2}, 50, {0, 2}, 100, "a.prf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loaded);
        const std::string first = ProfileBytes(L"Bob", c.first);
        const std::string second = ProfileBytes(L"bob", c.second);
        save.Write("profiles\\a.prf", first);
        save.Write("profiles\\b.prf", second);
        SetWriteTime("profiles/a.prf", c.firstSecondsAgo);
        SetWriteTime("profiles/b.prf", c.secondSecondsAgo);
        {
            const auto manager = OpenProfiles();
            ASSERT_EQ(manager->GetProfileCount(), 1u);
            EXPECT_EQ(manager->GetProfiles()[0]->GetFileName(), c.loaded);
        }
        const std::string other = std::string(c.loaded) == "a.prf" ? "b.prf" : "a.prf";
        EXPECT_EQ(save.Read("profiles\\" + other + ".bad"), other == "a.prf" ? first : second);
        save.Remove("profiles");
        save.Remove("profiles.pmf");
    }
}

// A second file whose name leaves no room for ".bad" is kept under a name
// cut to fit, and once the loaded player is deleted nobody of that name
// comes back.
TEST_F(SaveTroubleTest, ASecondFileWithANameTooLongForBadIsKeptUnderANameThatFits)
{
    const std::string longName = std::string(251, 'z') + ".prf";
    const std::string bob = ProfileBytes(L"Bob", {1, 0});
    const std::string spacedBob = ProfileBytes(L" bob ", {0, 1});
    save.Write("profiles\\bob_0000001.prf", bob);
    save.Write("profiles\\" + longName, spacedBob);
    {
        const auto manager = OpenProfiles();
        ASSERT_EQ(manager->GetProfileCount(), 1u);
        EXPECT_EQ(manager->GetProfiles()[0]->GetFileName(), "bob_0000001.prf");
        manager->DeleteProfile(L"Bob");
    }
    const std::vector<std::string> kept = FilesEndingIn("profiles", ".bad");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0], std::string(251, 'z') + ".bad");
    EXPECT_EQ(OpenProfiles()->GetProfileCount(), 0u);
}

// Names that differ only by characters that show nothing are one player's:
// one loads, the others are set aside, and no such name can be made beside
// it; the name loaded keeps what was typed.
TEST_F(SaveTroubleTest, NamesDifferingOnlyByInvisibleCharactersAreOnePlayer)
{
    const std::wstring names[] = {L"Bob",           L"\x00AD" L"Bob", L"Bob\x200C", L"Bob\x200E",
                                  L"Bob\x2060",     L"\x2800" L"Bob", L"\x3164" L"Bob", L"B\x200D" L"ob",
                                  L"\x180E" L"Bob", L"Bob\x0007",     L"\x115F" L"Bob"};
    std::vector<std::string> files;
    for (std::size_t i = 0; i < std::size(names); ++i)
        files.push_back(ProfileBytes(names[i], {0, static_cast<u32>(i == 0 ? 1 : 0)}));
    for (std::size_t i = 0; i < files.size(); ++i)
        save.Write("profiles\\" + std::string(1, static_cast<char>('a' + i)) + ".prf", files[i]);
    {
        const auto manager = OpenProfiles();
        ASSERT_EQ(manager->GetProfileCount(), 1u);
        EXPECT_EQ(manager->GetProfiles()[0]->GetName(), L"Bob");
        EXPECT_EQ(manager->AddProfile(L"B\x00AD" L"ob"), manager->GetProfile(L"Bob"));
        EXPECT_EQ(manager->AddProfile(L"\x200D\x2060\x00AD"), nullptr);
        EXPECT_EQ(manager->GetProfileCount(), 1u);
        manager->DeleteProfile(L"Bob");
    }
    EXPECT_EQ(FilesEndingIn("profiles", ".bad").size(), std::size(names) - 1);
    EXPECT_EQ(OpenProfiles()->GetProfileCount(), 0u);

    // Joiners inside a name that shows other letters are the player's own.
    const auto manager = OpenProfiles();
    EXPECT_EQ(manager->AddProfile(L"Zo\x200D" L"e")->GetName(), L"Zo\x200D" L"e");
}

// A damaged list or table that cannot be set aside keeps its bytes, and the
// log says why it was refused.
TEST_F(SaveTroubleTest, ADamagedFileThatCannotBeSetAsideKeepsItsBytesAndItsReasonIsLogged)
{
    const std::string damaged = Testing::VersionedHeader(13, "FLPMF", 99);
    const std::string damagedTable = Testing::VersionedHeader(13, "GFHSF", 99);
    save.Write("closed\\profiles.pmf", damaged);
    save.Write("closed\\high_scores.hsf", damagedTable);
    {
        Testing::FilePermissionsHonoured honoured;
        fs::permissions(Native("closed"), fs::perms::owner_read | fs::perms::owner_exec);
        const auto manager = OpenProfiles(save.User() + "\\closed");
        const auto table = OpenScores(save.User() + "\\closed");
        table->AddScore(L"Anna", 0, 10);
        fs::permissions(Native("closed"), fs::perms::owner_all);
    }
    EXPECT_EQ(save.Read("closed\\profiles.pmf"), damaged);
    EXPECT_EQ(save.Read("closed\\high_scores.hsf"), damagedTable);
    const std::vector<std::string> errors = save.ErrorLines();
    for (const std::string file : {"profiles.pmf", "high_scores.hsf"}) {
        const std::string reason = "Failed to rename \"" + save.User() + "\\closed\\" + file;
        EXPECT_TRUE(AnyLineHas(errors, reason)) << file;
        EXPECT_TRUE(AnyLineHas(errors, "closed\\" + file + "\" format version (99), current is " +
                                           (file == "profiles.pmf" ? "100" : "101") +
                                           "; the file could not be set aside and is left as it is"))
            << file;
    }
    EXPECT_EQ(KindsOf(trouble), (std::vector<SaveTrouble::Kind>{SaveTrouble::Kind::kNotRead}));
}

// A profiles folder that is there but cannot be listed (no right to read it,
// a file in its place) is told like a file that cannot be opened: the
// players it holds are not greeted as new over it, the list that names them
// is not written over, and no file in it changes.
TEST_F(SaveTroubleTest, AProfilesFolderThatCannotBeListedIsToldAndNothingIsWrittenOver)
{
    struct Way {
        const char* name;
        bool fileInPlace;
    };
    for (const Way way : {Way{"no right to read it", false}, Way{"a file in its place", true}}) {
        SCOPED_TRACE(way.name);
        Testing::SaveFolder folder;
        SaveTrouble seen(nullptr, folder.Log());
        const GameFramework::FileServices services{folder.Log(), folder.Files(), &seen};
        std::string annaFile;
        {
            ProfileManager manager(services, &volumes, folder.User());
            manager.SetCurrentProfile(manager.AddProfile(L"Anna"), ProfileManager::ListSaving::kSaveFile);
            manager.SubmitLevelTime({0, 0}, L"Anna", 0, 12.0f);
            annaFile = manager.GetProfile(L"Anna")->GetFileName();
        }
        const std::string list = folder.Read("profiles.pmf");
        const std::string anna = folder.Read("profiles\\" + annaFile);
        const fs::path profiles = fs::path(Halvard::MakeNativePath(folder.User())) / "profiles";
        if (way.fileInPlace) {
            fs::rename(profiles, profiles.string() + ".moved");
            folder.Write("profiles", "a file");
        }
        {
            Testing::FilePermissionsHonoured honoured;
            if (!way.fileInPlace)
                CloseFolder(profiles, fs::perms::none);
            ProfileManager manager(services, &volumes, folder.User());
            EXPECT_EQ(manager.GetProfileCount(), 0u);
            manager.SetCurrentProfile(manager.AddProfile(L"Bob"), ProfileManager::ListSaving::kSaveFile);
            manager.SubmitLevelTime({0, 1}, L"Bob", 0, 8.0f);
            if (!way.fileInPlace)
                CloseFolder(profiles, fs::perms::owner_all);
        }
        if (way.fileInPlace) {
            folder.Remove("profiles");
            fs::rename(profiles.string() + ".moved", profiles);
        }
        ASSERT_FALSE(seen.GetReported().empty());
        EXPECT_EQ(seen.GetReported()[0].kind, SaveTrouble::Kind::kNotRead);
        EXPECT_EQ(seen.GetReported()[0].path, folder.User() + "\\profiles");
        EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), "profiles\" exists but cannot be opened"));
        EXPECT_EQ(folder.Read("profiles.pmf"), list);
        EXPECT_EQ(folder.Read("profiles\\" + annaFile), anna);
        ProfileManager next(services, &volumes, folder.User());
        ASSERT_NE(next.GetCurrentProfile(), nullptr);
        EXPECT_EQ(next.GetCurrentProfile()->GetName(), L"Anna");
    }
}

// Sets or clears the flag that keeps a file from being replaced; false where
// the file system or the user's rights do not allow it.
bool SetImmutable(const fs::path& file, bool immutable)
{
    const std::string command = std::string("chattr ") + (immutable ? "+i " : "-i ") + file.string() + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

// The ini file is told as the other saves are: one that cannot be saved by
// the cause the system named, in the log in the system's words, before the
// table saved after it; one that is there but cannot be opened as a file
// left as it is, and not written over by the save that would have put the
// defaults in its place. An ini file that may not be replaced, in a folder
// that takes the table, is no closed folder, and holds back no other save.
TEST_F(SaveTroubleTest, TheIniFileIsToldAsTheOtherSavesAreAndKeptWhenItCannotBeRead)
{
    struct Way {
        const char* name;
        // Done to the folder (and its ini file) before the configuration is
        // read; mode 000 on the ini file for "cannot be read".
        fs::perms iniMode;
        fs::perms folderMode;
        bool fullDisk;
        SaveTrouble::Kind kind;
        const char* reason;
        bool immutable = false;
    };
    const fs::perms all = fs::perms::owner_all;
    const fs::perms readWrite = fs::perms::owner_read | fs::perms::owner_write;
    const Way ways[] = {
        {"an ini file that cannot be read", fs::perms::none, all, false, SaveTrouble::Kind::kNotRead, ""},
        {"a folder closed to writing", readWrite, fs::perms::owner_read | fs::perms::owner_exec, false,
         SaveTrouble::Kind::kFolderClosed, "Permission denied"},
        {"a full disk", readWrite, all, true, SaveTrouble::Kind::kNoRoom, "File too large"},
        {"an immutable ini file", readWrite, all, false, SaveTrouble::Kind::kNotSaved, "Operation not permitted", true},
    };
    const std::string written = "v_mode 640x480x32\r\n";
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        Testing::SaveFolder folder;
        folder.Write("settings\\Tamrisk.ini", written);
        const fs::path native = fs::path(Halvard::MakeNativePath(folder.User())) / "settings";
        const Halvard::ConfigSettings settings{.folder = folder.User() + "\\settings", .name = "Tamrisk"};
        std::string videoMode;
        {
            Testing::FilePermissionsHonoured honoured;
            fs::permissions(native / "Tamrisk.ini", way.iniMode);
            CloseFolder(native, way.folderMode);
            if (way.immutable && !SetImmutable(native / "Tamrisk.ini", true)) {
                std::cout << "[ SKIPPED  ] " << way.name << ": no immutable files here\n";
                continue;
            }
            Halvard::Config config(folder.Log(), folder.Files(), settings);
            SaveTrouble seen(&config, folder.Log());
            config.SetSaveKeeper(&seen);
            config.Load();
            videoMode = config.videoMode;
            config.videoMode = "1024x768x32";
            {
                std::optional<Testing::FileSizeLimit> full;
                if (way.fullDisk)
                    full.emplace(0);
                config.Save();
                HighScoresTable table({folder.Log(), folder.Files(), &seen}, 10, settings.folder);
            }
            EXPECT_TRUE(seen.HasUntold());
            const SaveTrouble::Trouble told = seen.HasUntold() ? seen.TakeUntold() : SaveTrouble::Trouble{};
            EXPECT_EQ(told.kind, way.kind);
            EXPECT_EQ(told.path, config.GetIniPath());
            EXPECT_FALSE(seen.HasUntold());
            CloseFolder(native, all);
            if (way.immutable)
                SetImmutable(native / "Tamrisk.ini", false);
            fs::permissions(native / "Tamrisk.ini", all);
        }
        EXPECT_EQ(folder.Read("settings\\Tamrisk.ini"), written);
        EXPECT_EQ(videoMode, way.kind == SaveTrouble::Kind::kNotRead ? "800x600x32" : "640x480x32");
        EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), "Tamrisk.ini\""));
        EXPECT_TRUE(AnyLineHas(folder.ErrorLines(), "Tamrisk.ini\" file (" + std::string(way.reason) + ")") ||
                    *way.reason == '\0');
        const bool folderTakesFiles = way.kind == SaveTrouble::Kind::kNotRead || way.immutable;
        EXPECT_EQ(folder.Exists("settings\\high_scores.hsf"), folderTakesFiles);
    }
}

} // namespace
