#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"

#include "platform/os/Paths.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/StandardErrorPipe.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>

using namespace Halvard;
using Testing::TempFolder;

namespace {


// The local time is the only part of the file that changes between runs.
std::string WithoutTimes(const std::string& html)
{
    return std::regex_replace(html, std::regex("[A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}"),
                              "TIME");
}

const char* const kHeader = "<HTML><HEAD><TITLE>Game Log</TITLE></HEAD><BODY bgcolor=\"#000000\">"
                            "<FONT color=\"#FFFFFF\"><FONT color=\"#FFFFFF\">======== </FONT>"
                            "<FONT color=\"#00FF00\">Game Log: TIME</FONT>"
                            "<FONT color=\"#FFFFFF\"> ========<BR><BR></FONT>";

const char* const kFooter = "<FONT color=\"#FFFFFF\"><BR>======== </FONT>"
                            "<FONT color=\"#00FF00\">Game Log end: TIME</FONT>"
                            "<FONT color=\"#FFFFFF\"> ========<BR></FONT></FONT></BODY></HTML>";

} // namespace

TEST(MessageManagerFile, IsOneLineOfHtmlWithHeaderEntriesAndFooter)
{
    TempFolder folder;
    {
        MessageManager log("Game", true, false, folder.Internal(), "");
        log.LogMessage("abc");
        log.LogWarning("disk low");
        EXPECT_THROW(log.LogFatal("broken"), FatalError);
    }
    const std::string html = folder.ReadFile("Game.html");
    EXPECT_EQ(html.find('\n'), std::string::npos);
    EXPECT_EQ(WithoutTimes(html), std::string(kHeader) + "abc<BR>" +
                                      "<FONT color=\"#7F7F7F\"><BR>Warning: disk low!<BR><BR></FONT>" +
                                      "<FONT color=\"#FF0000\">PROGRAM ABORTING: broken<BR></FONT>" + kFooter);
}

TEST(MessageManagerFile, ReopenModeLeavesACompleteFileAfterEveryLine)
{
    TempFolder folder;
    MessageManager log("Game", true, true, folder.Internal(), "");
    log.LogError("lost");
    EXPECT_EQ(WithoutTimes(folder.ReadFile("Game.html")),
              std::string(kHeader) + "<FONT color=\"#FF0000\"><BR>Error: lost!<BR><BR></FONT>");
}

TEST(MessageManagerFile, PathFollowsTheFolderAndNameRules)
{
    TempFolder folder;
    Platform::SetProgramFolder(folder.Path().string());
    {
        MessageManager beside("Game", true, false, "", "");
        EXPECT_EQ(beside.GetLogPath(), folder.Internal() + "\\Game.html");
        MessageManager relative("Game", true, false, "logs\\deep", "Named");
        EXPECT_EQ(relative.GetLogPath(), folder.Internal() + "\\logs\\deep\\Named.html");
        MessageManager absolute("Game", true, false, folder.Internal() + "\\abs", "x");
        EXPECT_EQ(absolute.GetLogPath(), folder.Internal() + "\\abs\\x.html");
    }
    Platform::SetProgramFolder("");
    // The relative folder did not exist before: the log made it.
    EXPECT_TRUE(std::filesystem::exists(folder.Native("logs\\deep\\Named.html")));
    EXPECT_TRUE(std::filesystem::exists(folder.Native("Game.html")));
}

TEST(MessageManagerFile, LevelsBeyondFatalAreWrittenBareInWhite)
{
    TempFolder folder;
    {
        MessageManager log("Game", true, false, folder.Internal(), "");
        log.Write(7, "odd\n");
        ASSERT_EQ(log.GetLogEntryCount(), 1u);
        EXPECT_EQ(log.GetLogEntry(0).level, 7u);
    }
    EXPECT_EQ(WithoutTimes(folder.ReadFile("Game.html")), std::string(kHeader) + "odd<BR>" + kFooter);
}

TEST(MessageManagerEntries, KeepTheFormattedTextsUntilCleared)
{
    MessageManager log("Game", false, false, "", "");
    log.LogMessage("abc");
    log.LogWarning("disk low");
    log.LogError("bad");
    try {
        log.LogFatal("gone");
        FAIL() << "LogFatal returned";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetText(), "gone");
    }
    ASSERT_EQ(log.GetLogEntryCount(), 4u);
    EXPECT_EQ(log.GetLogEntry(0).text, "abc\n");
    EXPECT_EQ(log.GetLogEntry(1).level, MessageManager::kWarning);
    EXPECT_EQ(log.GetLogEntry(1).text, "\nWarning: disk low!\n\n");
    EXPECT_EQ(log.GetLogEntry(2).text, "\nError: bad!\n\n");
    EXPECT_EQ(log.GetLogEntry(3).text, "PROGRAM ABORTING: gone\n");
    log.ClearMessages();
    EXPECT_EQ(log.GetLogEntryCount(), 0u);
}

TEST(MessageManagerEntries, UnspacedModeWritesBareTexts)
{
    MessageManager log("Game", false, false, "", "");
    log.SetSpacedMode(false);
    log.LogMessage("m");
    log.LogWarning("w");
    log.LogError("e");
    EXPECT_EQ(log.GetLogEntry(0).text, "m");
    EXPECT_EQ(log.GetLogEntry(1).text, "Warning: w!\n");
    EXPECT_EQ(log.GetLogEntry(2).text, "Error: e!\n");
}

TEST(MessageManagerDisabled, TouchesNothingOnDisk)
{
    TempFolder folder;
    {
        MessageManager log("Game", false, false, folder.Internal(), "");
        log.LogMessage("abc");
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(MessageManagerColors, AreTwoUpperCaseHexDigitsPerChannelTruncated)
{
    EXPECT_EQ(MessageManager::ColorToHtml(Vector3(1, 1, 1)), "#FFFFFF");
    EXPECT_EQ(MessageManager::ColorToHtml(Vector3(0, 0, 0)), "#000000");
    EXPECT_EQ(MessageManager::ColorToHtml(Vector3(1, 0, 0)), "#FF0000");
    EXPECT_EQ(MessageManager::ColorToHtml(Vector3(0, 1, 0)), "#00FF00");
    EXPECT_EQ(MessageManager::ColorToHtml(Vector3(0.5f, 0.5f, 0.5f)), "#7F7F7F");
}

// A log that cannot be written would hide the lines that say what went
// wrong: each line that does not reach the file goes to standard error, in
// either mode, and a log that can be written sends nothing there.
TEST(MessageManagerStandardError, TakesEveryLineTheFileDoesNotTake)
{
    struct Case {
        const char* name;
        bool reopen;
        bool blockFolder;
        bool fullDisk;
        bool echoed;
    };
    const Case cases[] = {
        {"a log folder that is a file", false, true, false, true},
        {"a log folder that is a file, reopened", true, true, false, true},
        {"a full disk", false, false, true, true},
        {"a full disk, reopened", true, false, true, true},
        {"a log that can be written", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.blockFolder)
            folder.WriteFile("taken", "a file");
        const std::string logFolder = folder.Internal() + (c.blockFolder ? "\\taken\\logs" : "");
        Testing::StandardErrorPipe standardError;
        {
            std::optional<Testing::FileSizeLimit> full;
            if (c.fullDisk)
                full.emplace(0);
            MessageManager log("Game", true, c.reopen, logFolder, "");
            log.LogError("Failed to save \"profiles.pmf\" file");
            log.LogMessage("Level 1 loaded");
        }
        const std::string echoed = standardError.Take();
        if (c.echoed) {
            EXPECT_NE(echoed.find("Game: Error: Failed to save \"profiles.pmf\" file!\n"), std::string::npos);
            EXPECT_NE(echoed.find("Game: Level 1 loaded\n"), std::string::npos);
        } else {
            EXPECT_EQ(echoed, "");
        }
    }
}
