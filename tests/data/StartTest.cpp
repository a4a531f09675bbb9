#include "framework/persistence/ProfileManagerBase.h"
#include "game/ProgramEntry.h"
#include "tests/data/BuiltData.h"
#include "tests/data/GameFixture.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ProgramRunner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using Tools::DataForm;

// A user folder in which the game itself made Tester the current player,
// so that a start goes from the logos and the load to the main menu.
void WriteReturningPlayer(const std::filesystem::path& userFolder)
{
    const Testing::GameFixture fixture;
    {
        Testing::TestGame game;
        GameFramework::ProfileManagerBase& profiles = *game.GetProfileManager();
        profiles.SetCurrentProfile(profiles.AddProfile(L"Tester"),
                                   GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
    }
    std::filesystem::create_directories(userFolder);
    std::filesystem::copy(fixture.UserFolder(), userFolder, std::filesystem::copy_options::recursive);
}

// The logos take 2.5 s, the load and the main menu's fade a few more.
constexpr std::chrono::seconds kToTheMainMenu{8};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The ini file's lines, when given, are the player's own from an earlier run;
// whileRunning, when given, is called once the program has settled.
Testing::ProgramRunResult RunOn(DataForm form, const std::string& ini = {}, std::string* iniAfter = nullptr,
                                const std::function<void(Testing::ProgramRunner&)>& whileRunning = {})
{
    const Testing::BuiltProgramFolder built(form);
    Testing::ProgramRunner runner({.program = Testing::ProgramFile(), .dataFolder = built.DataFolder(),
                                   .runTime = kToTheMainMenu});
    WriteReturningPlayer(runner.UserFolder());
    if (!ini.empty())
        std::ofstream(runner.UserFolder() / "Tamrisk.ini", std::ios::binary) << ini;
    Testing::ProgramRunResult run = runner.Run([&] {
        if (whileRunning)
            whileRunning(runner);
    });
    if (iniAfter != nullptr)
        *iniAfter = ReadFile(runner.UserFolder() / "Tamrisk.ini");
    // The returning player is still the current one.
    std::ifstream list(runner.UserFolder() / "profiles.pmf", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(list), std::istreambuf_iterator<char>()};
    EXPECT_THAT(bytes, HasSubstr(std::string("T\0e\0s\0t\0e\0r", 11)));
    return run;
}

void ExpectCleanRun(const Testing::ProgramRunResult& run)
{
    EXPECT_EQ(run.exitStatus, 0) << run.standardError;
    EXPECT_THAT(run.standardError, Not(HasSubstr("Fatal Error")));
    // The statistics page is asked for once, after the game is gone.
    const std::string open = std::string("Open: ") + Tamrisk::kStatisticsAddress + "\n";
    const size_t first = run.standardError.find(open);
    EXPECT_NE(first, std::string::npos) << run.standardError;
    EXPECT_EQ(run.standardError.find(open, first + 1), std::string::npos) << run.standardError;
    ASSERT_TRUE(run.log.has_value()) << "the program wrote no log";
    const Testing::LogProbe& log = *run.log;
    EXPECT_THAT(log.ErrorLines(), IsEmpty()) << log.Joined();
    ASSERT_FALSE(log.Entries().empty());
    EXPECT_THAT(log.Entries().back().text, HasSubstr(" Log end: "));
}

TEST(Start, TheProgramRunsOnThePackedDataAndMountsThePack)
{
    const Testing::ProgramRunResult run = RunOn(DataForm::Packed);
    ExpectCleanRun(run);
    ASSERT_TRUE(run.log.has_value());
    bool mounted = false;
    for (const std::string& text : run.log->Texts())
        mounted = mounted || (text.find("...Pack file ") == 0 && text.find("pack0.pak found...") != std::string::npos);
    EXPECT_TRUE(mounted) << run.log->Joined();
}

// A screen size no display holds still opens a window; the mode choice then
// takes a mode the device lists and keeps it.
void ExpectAListedModeKept(const char* fullScreen)
{
    std::string ini;
    const std::string asked = std::string("v_mode 99999x99999x32\nv_fullscreen ") + fullScreen + "\n";
    ExpectCleanRun(RunOn(DataForm::Loose, asked, &ini));
    EXPECT_THAT(ini, Not(HasSubstr("99999"))) << ini;
    EXPECT_THAT(ini, ::testing::ContainsRegex("v_mode [0-9]+x[0-9]+x32")) << ini;
}

TEST(Start, AVideoModeNoScreenHoldsStartsWindowedOnAListedModeAndKeepsIt) { ExpectAListedModeKept("0"); }

TEST(Start, AVideoModeNoScreenHoldsStartsFullScreenOnAListedModeAndKeepsIt) { ExpectAListedModeKept("1"); }

// Under a file-size limit that takes no byte (ulimit -f 0) no write ends the
// program: each save fails as on a full disk and says so, the log's lines
// reach standard error, and the program ends when told to with its status.
TEST(Start, AFileSizeLimitFailsTheSavesAndTheProgramRunsOn)
{
    const Testing::BuiltProgramFolder built(DataForm::Loose);
    Testing::ProgramRunner runner(
        {.program = Testing::ProgramFile(), .dataFolder = built.DataFolder(), .fileSizeLimit = 0});
    const Testing::ProgramRunResult run = runner.Run();
    EXPECT_EQ(run.exitStatus, 0) << run.standardError;
    EXPECT_THAT(run.standardError, HasSubstr("Tamrisk: Error: Failed to save \""));
    EXPECT_THAT(run.standardError, HasSubstr("profiles.pmf\" file (File too large)!"));
    EXPECT_THAT(run.standardError, Not(HasSubstr("Fatal Error")));
}

// Every file below a folder with its bytes and the time it last changed; a
// symbolic link with where it points, followed by nobody.
std::map<std::string, std::string> Contents(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        if (entry.is_symlink()) {
            files[name] = "-> " + std::filesystem::read_symlink(entry.path()).string();
            continue;
        }
        const std::string changed = std::to_string(entry.last_write_time().time_since_epoch().count());
        files[name] = changed + ":" + (entry.is_regular_file() ? ReadFile(entry.path()) : std::string());
    }
    return files;
}

// The real program, started from a folder of its own on the shipped data
// for a returning player, runs past the main menu's coming up until told to
// quit, and ends cleanly. A second copy started on its user folder meanwhile
// says that the game is already running, in the box a failed start shows,
// and ends before it writes anything there: not its log, not the ini file,
// no save.
TEST(Start, TheProgramRunsOnTheLooseDataKeepsASecondCopyOutAndQuitsCleanly)
{
    Testing::ProgramRunResult second;
    std::map<std::string, std::string> before;
    std::map<std::string, std::string> after;
    ExpectCleanRun(RunOn(DataForm::Loose, {}, nullptr, [&](Testing::ProgramRunner& runner) {
        before = Contents(runner.UserFolder());
        second = runner.RunToTheEnd();
        after = Contents(runner.UserFolder());
    }));

    EXPECT_EQ(second.exitStatus, 1) << second.standardError;
    EXPECT_THAT(second.standardError, HasSubstr("Fatal Error: Tamrisk is already running: close the copy that is "
                                                "running before starting Tamrisk again.\n"));
    EXPECT_THAT(before, Not(IsEmpty()));
    EXPECT_EQ(after, before);
}

// A user folder whose lock file is no file that can be locked stops the
// program as a running copy does: by itself, in the box a failed start
// shows, naming the file and why, before it writes anything there.
TEST(Start, ALockFileThatCannotBeOpenedStopsTheProgramAndLeavesTheUserFolderAlone)
{
    const std::vector<std::pair<std::string, std::function<void(const std::filesystem::path&)>>> lockFiles = {
        {"Is a directory", [](const std::filesystem::path& file) { std::filesystem::create_directory(file); }},
        {"Is a symbolic link",
         [](const std::filesystem::path& file) { std::filesystem::create_symlink(file.parent_path() / "gone", file); }},
    };
    const Testing::BuiltProgramFolder built(DataForm::Loose);
    for (const auto& [reason, make] : lockFiles) {
        SCOPED_TRACE(reason);
        Testing::ProgramRunner runner({.program = Testing::ProgramFile(), .dataFolder = built.DataFolder()});
        WriteReturningPlayer(runner.UserFolder());
        const std::filesystem::path lockFile = runner.UserFolder() / "Tamrisk.lock";
        std::filesystem::remove(lockFile);
        make(lockFile);
        const std::map<std::string, std::string> before = Contents(runner.UserFolder());
        const Testing::ProgramRunResult run = runner.RunToTheEnd();
        EXPECT_EQ(run.exitStatus, 1) << run.standardError;
        EXPECT_THAT(run.standardError,
                    HasSubstr("Fatal Error: Tamrisk cannot lock its user folder, so a second copy could write over its "
                              "saves: " + lockFile.string() + " cannot be opened (" + reason +
                              "). Remove Tamrisk.lock from that folder before starting Tamrisk again.\n"));
        EXPECT_EQ(Contents(runner.UserFolder()), before);
    }
}

// A user folder that takes no new file (its log is there from an earlier
// run) can hold no save of a second copy either: the program starts there
// without a lock and says so once in its log.
TEST(Start, AUserFolderClosedToWritingStartsWithoutALockAndSaysSoInTheLog)
{
    const Testing::BuiltProgramFolder built(DataForm::Loose);
    Testing::ProgramRunner runner({.program = Testing::ProgramFile(), .dataFolder = built.DataFolder(),
                                   .runTime = kToTheMainMenu, .permissionsHonoured = true});
    WriteReturningPlayer(runner.UserFolder());
    const std::filesystem::path lockFile = runner.UserFolder() / "Tamrisk.lock";
    std::filesystem::remove(lockFile);
    std::ofstream(runner.UserFolder() / "Tamrisk.html") << "";
    std::filesystem::permissions(runner.UserFolder(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const Testing::ProgramRunResult run = runner.Run();
    std::filesystem::permissions(runner.UserFolder(), std::filesystem::perms::owner_all);

    EXPECT_EQ(run.exitStatus, 0) << run.standardError;
    EXPECT_THAT(run.standardError, Not(HasSubstr("Fatal Error")));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(lockFile)));
    ASSERT_TRUE(run.log.has_value()) << run.standardError;
    EXPECT_THAT(run.log->Lines(Halvard::MessageManager::kWarning),
                ::testing::Contains("Warning: User folder not locked: " + lockFile.string() +
                                    " cannot be made (Permission denied); a second copy is not kept out!")
                    .Times(1))
        << run.log->Joined();
}

} // namespace
