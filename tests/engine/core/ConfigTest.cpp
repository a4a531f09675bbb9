#include "engine/core/Config.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"

#include "tests/support/FileBytes.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"
#include "tools/PackWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Halvard;
using Testing::TempFolder;

namespace {

class ConfigTest : public ::testing::Test {
protected:
    std::unique_ptr<Config> Make(bool forceVideoMode = false, const std::string& mode = "1024x768x32")
    {
        const ConfigSettings settings{.folder = folder.Internal(), .name = "Game", .videoMode = mode,
                                      .forceVideoMode = forceVideoMode, .fullScreen = true};
        return std::make_unique<Config>(&log, &files, settings);
    }

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    u32 ErrorCount() const { return static_cast<u32>(Testing::LogProbe(log).CountAt(MessageManager::kError)); }

    TempFolder folder;
    Testing::ScopedProgramFolder program{folder.Path()};
    Testing::QuietLog log;
    FileManager files{&log, folder.Internal(), ""};
};

} // namespace

TEST_F(ConfigTest, RegistersItsOwnVariablesWithTheirDefaults)
{
    auto config = Make();
    EXPECT_EQ(config->GetIniPath(), folder.Internal() + "\\Game.ini");
    EXPECT_EQ(config->GetValue("v_mode"), "1024x768x32");
    EXPECT_EQ(config->GetValue("V_FULLSCREEN"), "1");
    EXPECT_EQ(config->GetValue("v_gamma"), "1.000000");
    EXPECT_EQ(config->GetDefaultValue("v_gamma"), "1.0");
    EXPECT_EQ(config->GetValue("r_texture_anisotropy"), "1");
    EXPECT_TRUE(config->IsCommandHandled("exit"));
    EXPECT_EQ(config->GetValue("exit"), "");
    std::vector<std::string> names;
    config->GetVariableNames(names);
    EXPECT_EQ(names.size(), 22u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
}

TEST_F(ConfigTest, EmptyNamesFallBackToHalvardAndTheDefaultMode)
{
    Config config(&log, nullptr, ConfigSettings{.videoMode = "", .forceVideoMode = true});
    EXPECT_EQ(config.GetIniPath(), "Halvard.ini");
    EXPECT_EQ(config.videoMode, "800x600x32");
    EXPECT_EQ(config.fullScreen, 0);
}

TEST_F(ConfigTest, ExecuteLineAnswersWithItsResultCodes)
{
    auto config = Make();
    std::string name;
    EXPECT_EQ(config->ExecuteLine("V_MODE 640x480x16", &name), Config::kDone);
    EXPECT_EQ(name, "v_mode");
    EXPECT_EQ(config->videoMode, "640x480x16");
    EXPECT_EQ(config->ExecuteLine("v_mode"), Config::kMissingValue);
    EXPECT_EQ(config->ExecuteLine("exit now"), Config::kDone);
    EXPECT_FALSE(config->IsCommandHandled("exit"));
    EXPECT_EQ(config->ExecuteLine("   \t "), Config::kEmptyLine);
    EXPECT_EQ(config->ExecuteLine("nobody 3", &name), Config::kUnknownName);
    EXPECT_EQ(name, "nobody");
    EXPECT_EQ(config->ExecuteLine("v_gamma 1.5 \\\\ a remark"), Config::kDone);
    EXPECT_FLOAT_EQ(config->gamma, 1.5f);
    EXPECT_EQ(config->ExecuteLine("\\\\v_vsync 0"), Config::kDone);
    EXPECT_EQ(config->verticalSync, 0);
    EXPECT_EQ(config->ExecuteLine("r_texture_anisotropy many"), Config::kDone);
    EXPECT_EQ(config->textureAnisotropy, 0);
}

TEST_F(ConfigTest, RunsOfBlanksBetweenNameAndValueStillNameTheVariable)
{
    auto config = Make();
    EXPECT_EQ(config->ExecuteLine("v_mode   640x480x16"), Config::kDone);
    EXPECT_EQ(config->videoMode, "640x480x16");
}

TEST_F(ConfigTest, ReadOnlyVariablesRefuseLinesButNotCode)
{
    auto config = Make();
    i32 value = 0;
    config->AddVariable("d_locked", Config::kInteger, {.readOnly = true, .saved = true}, &value, "5");
    EXPECT_EQ(config->ExecuteLine("d_locked 9"), Config::kReadOnly);
    EXPECT_EQ(value, 5);
    config->SetValue("d_locked", "7");
    EXPECT_EQ(value, 7);
    config->ResetAll();
    EXPECT_EQ(value, 7);
}

TEST_F(ConfigTest, FloatsAreReadBackWithSixDecimals)
{
    auto config = Make();
    float alpha = 0.0f;
    config->AddVariable("ui_console_alpha", Config::kFloat, {.saved = true}, &alpha, "0.9500");
    EXPECT_EQ(config->GetValue("ui_console_alpha"), "0.950000");
    EXPECT_EQ(config->GetDefaultValue("ui_console_alpha"), "0.9500");
}

TEST_F(ConfigTest, SavedFileIsSortedCrLfLinesWithoutCommandsOrPendingLines)
{
    folder.WriteFile("Game.ini", "nobody 1\r\n");
    auto config = Make();
    config->Load();
    float music = 0.285f;
    u8 statistics = 0;
    config->AddVariable("g_music_volume", Config::kFloat, {.saved = true}, &music, "0.285000");
    config->AddVariable("d_show_statistics", Config::kBoolean, {.saved = true}, &statistics, "0");
    config->invertMouse = 1;
    config->Save();
    const std::string saved = folder.ReadFile("Game.ini");
    EXPECT_EQ(saved.find("c_invert_mouse 1\r\nd_show_statistics 0\r\ng_music_volume 0.285000\r\n"), 0u);
    EXPECT_NE(saved.find("v_mode 1024x768x32\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("exit"), std::string::npos);
    EXPECT_EQ(saved.find("nobody"), std::string::npos);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Game.ini"});
}

TEST_F(ConfigTest, SaveAndLoadRoundTrip)
{
    {
        auto config = Make();
        config->ExecuteLine("v_mode 1280x1024x32");
        config->ExecuteLine("v_fullscreen 0");
        config->Save();
    }
    auto config = Make();
    config->Load();
    EXPECT_EQ(config->videoMode, "1280x1024x32");
    EXPECT_EQ(config->fullScreen, 0);
}

TEST_F(ConfigTest, UnwritableIniFileIsOneErrorInTheLog)
{
    std::filesystem::create_directory(folder.Native("Game.ini"));
    auto config = Make();
    config->Save();
    EXPECT_EQ(ErrorCount(), 1u);
    EXPECT_NE(log.GetLogEntry(log.GetLogEntryCount() - 1).text.find("Failed to save \"" + folder.Internal() +
                                                                     "\\Game.ini\" file"),
              std::string::npos);
}

TEST_F(ConfigTest, ASaveThatFailsMidwayKeepsTheOldIniFile)
{
    auto config = Make();
    std::string longText;
    config->AddVariable("ui_long", Config::kString, {.saved = true}, &longText, "");
    longText.assign(64 * 1024, 'x');
    folder.WriteFile("Game.ini", "v_mode 640x480x16\r\n");
    {
        Testing::FileSizeLimit limit(16 * 1024);
        config->Save();
    }
    EXPECT_EQ(ErrorCount(), 1u);
    EXPECT_EQ(folder.ReadFile("Game.ini"), "v_mode 640x480x16\r\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"Game.ini"});
}

TEST_F(ConfigTest, ARelativeIniFileLiesBelowTheBaseFolderInAnyCaseOrEncoding)
{
    folder.WriteFile("Settings\\GAME.INI", "\xEF\xBB\xBFv_mode 640x480x16 // small\nv_vsync 0");
    Config config(&log, &files,
                  {.folder = "settings", .name = "Game", .videoMode = "1024x768x32", .fullScreen = true});
    config.Load();
    EXPECT_EQ(config.videoMode, "640x480x16");
    EXPECT_EQ(config.verticalSync, 0);
}

TEST_F(ConfigTest, AnIniFileInAPackIsReadAndASaveGoesToDisk)
{
    const std::string line = "v_mode 640x480x16\r\n";
    const std::vector<u8> pack = Tools::BuildPack({{"game.ini", Testing::BytesOf(line)}});
    folder.WriteFile("defaults.pak", std::string(pack.begin(), pack.end()));
    FileManager packed(&log, folder.Internal(), "");
    Config config(&log, &packed, {.name = "Game", .videoMode = "1024x768x32", .fullScreen = true});
    config.Load();
    EXPECT_EQ(config.videoMode, "640x480x16");
    config.ExecuteLine("v_mode 800x600x32");
    config.Save();
    EXPECT_NE(folder.ReadFile("Game.ini").find("v_mode 800x600x32\r\n"), std::string::npos);
}

TEST_F(ConfigTest, WithoutAFileManagerThereIsNoIniFile)
{
    folder.WriteFile("Game.ini", "v_mode 640x480x16\r\n");
    Config config(&log, nullptr,
                  {.folder = folder.Internal(), .name = "Game", .videoMode = "1024x768x32", .fullScreen = true});
    config.Load();
    EXPECT_EQ(config.videoMode, "1024x768x32");
    config.Save();
    EXPECT_EQ(folder.ReadFile("Game.ini"), "v_mode 640x480x16\r\n");
}

TEST_F(ConfigTest, FirstPendingLineWinsButLaterLinesOfRegisteredNamesDo)
{
    folder.WriteFile("Game.ini", "g_music_volume 0.5\r\ng_music_volume 0.7\r\n");
    auto config = Make();
    config->Load();
    float music = 1.0f;
    config->AddVariable("g_music_volume", Config::kFloat, {.saved = true}, &music, "1.000000");
    EXPECT_FLOAT_EQ(music, 0.5f);
    config->Load();
    EXPECT_FLOAT_EQ(music, 0.7f);
}

TEST_F(ConfigTest, ForcedVideoModeWinsOverTheFile)
{
    folder.WriteFile("Game.ini", "v_mode 640x480x16\r\n");
    auto forced = Make(true);
    forced->Load();
    EXPECT_EQ(forced->videoMode, "1024x768x32");
    auto free = Make(false);
    free->Load();
    EXPECT_EQ(free->videoMode, "640x480x16");
}

TEST_F(ConfigTest, RemovedVariableKeepsItsValueAndIsRebound)
{
    auto config = Make();
    float volume = 0.0f;
    config->AddVariable("g_sound_volume", Config::kFloat, {.saved = true}, &volume, "0.315000");
    config->ExecuteLine("g_sound_volume 0.25");
    config->RemoveVariable("g_sound_volume");
    EXPECT_EQ(config->GetValue("g_sound_volume"), "0.250000");
    config->SetValue("g_sound_volume", "0.9");
    EXPECT_FLOAT_EQ(volume, 0.25f);
    // The owner's field may be gone: a typed line must not reach it.
    EXPECT_EQ(config->ExecuteLine("g_sound_volume 0.9"), Config::kUnknownName);
    EXPECT_FLOAT_EQ(volume, 0.25f);
    std::vector<std::string> names;
    config->GetVariableNames(names);
    EXPECT_EQ(std::count(names.begin(), names.end(), "g_sound_volume"), 0);
    config->Save();
    EXPECT_NE(folder.ReadFile("Game.ini").find("g_sound_volume 0.250000\r\n"), std::string::npos);

    float other = 0.0f;
    config->AddVariable("g_sound_volume", Config::kFloat, {.saved = true}, &other, "1.000000");
    EXPECT_FLOAT_EQ(other, 0.25f);
    EXPECT_EQ(config->GetDefaultValue("g_sound_volume"), "0.315000");
}

TEST_F(ConfigTest, TrackedFloatsReportChangesAboveTheTolerance)
{
    auto config = Make();
    float value = 0.0f;
    config->AddVariable("ui_tracked", Config::kFloat, {.tracked = true}, &value, "0.5");
    EXPECT_TRUE(config->IsChanged("ui_tracked"));
    config->Update();
    config->ClearChangedFlags();
    value = 0.50005f;
    config->Update();
    EXPECT_FALSE(config->IsChanged("ui_tracked"));
    value = 0.5002f;
    config->Update();
    EXPECT_TRUE(config->IsChanged("ui_tracked"));
    config->ClearChangedFlags();
    EXPECT_FALSE(config->IsChanged("ui_tracked"));
}

TEST_F(ConfigTest, AReboundTrackedVariableCountsAsChangedInItsFirstFrame)
{
    auto config = Make();
    u8 cursor = 1;
    config->AddVariable("ui_custom_cursor", Config::kBoolean, {.saved = true, .tracked = true}, &cursor, "1");
    config->Update();
    config->ClearChangedFlags();
    config->RemoveVariable("ui_custom_cursor");
    u8 newCursor = 1;
    config->AddVariable("ui_custom_cursor", Config::kBoolean, {.saved = true, .tracked = true}, &newCursor, "1");
    EXPECT_TRUE(config->IsChanged("ui_custom_cursor"));
}

TEST_F(ConfigTest, TrackedStringsAndBooleansReportChanges)
{
    auto config = Make();
    u8 flag = 0;
    std::string text;
    config->AddVariable("ui_flag", Config::kBoolean, {.tracked = true}, &flag, "1");
    config->AddVariable("ui_text", Config::kString, {.tracked = true}, &text, "a");
    config->Update();
    config->ClearChangedFlags();
    config->Update();
    EXPECT_FALSE(config->IsChanged("ui_flag"));
    flag = 0;
    text = "b";
    config->Update();
    EXPECT_TRUE(config->IsChanged("ui_flag"));
    EXPECT_TRUE(config->IsChanged("ui_text"));
}

TEST_F(ConfigTest, ResetConfigCommandRestoresWritableDefaults)
{
    auto config = Make();
    config->ExecuteLine("v_mode 640x480x16");
    config->ExecuteLine("reset_config");
    config->Update();
    EXPECT_EQ(config->videoMode, "1024x768x32");
    EXPECT_TRUE(config->IsCommandHandled("reset_config"));
}

TEST_F(ConfigTest, CommandsAreInvokedAndHandledByExactName)
{
    auto config = Make();
    config->SetCommandHandled("EXIT", false);
    EXPECT_TRUE(config->IsCommandHandled("exit"));
    config->SetCommandHandled("exit", false);
    EXPECT_FALSE(config->IsCommandHandled("EXIT"));
    EXPECT_FALSE(config->IsCommandHandled("no_such_command"));
}

TEST(ParseVideoMode, SplitsThreeNumbersOrFallsBack)
{
    u32 w = 0, h = 0, bits = 0;
    ParseVideoMode("1024X768x32", &w, &h, &bits);
    EXPECT_EQ(w, 1024u);
    EXPECT_EQ(h, 768u);
    EXPECT_EQ(bits, 32u);
    ParseVideoMode("800x600", &w, &h, &bits);
    EXPECT_EQ(w, 640u);
    EXPECT_EQ(h, 480u);
    EXPECT_EQ(bits, 16u);
    ParseVideoMode("1280x1024x", &w, nullptr, &bits);
    EXPECT_EQ(w, 1280u);
    EXPECT_EQ(bits, 0u);
}
