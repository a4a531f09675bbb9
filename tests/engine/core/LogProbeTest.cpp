#include "tests/support/LogProbe.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Halvard::MessageManager;
using Testing::LogProbe;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The lines a run writes, read back from memory and from its HTML file: the
// program runner and the data check judge a program by the file alone.
void WriteRun(MessageManager& log)
{
    log.LogMessage("Loading <data>");
    log.LogWarning("disk low");
    log.LogError("bad");
    log.LogMessage("after");
    EXPECT_THROW(log.LogFatal("gone"), Halvard::FatalError);
}

TEST(LogProbe, ReadsTheEntriesOfALogInMemory)
{
    Testing::QuietLog log;
    WriteRun(log);
    const LogProbe probe(log);
    EXPECT_EQ(probe.Entries().size(), 5u);
    EXPECT_EQ(probe.Count("\nError: bad!\n\n"), 1u);
    EXPECT_TRUE(probe.Contains("disk"));
    EXPECT_FALSE(probe.Contains("Disk"));
    EXPECT_EQ(probe.CountAt(MessageManager::kWarning), 1u);
    EXPECT_THAT(probe.Texts(MessageManager::kError), ElementsAre("\nError: bad!\n\n"));
    EXPECT_THAT(probe.Lines(MessageManager::kWarning), ElementsAre("Warning: disk low!"));
    EXPECT_THAT(probe.ErrorLines(), ElementsAre("Error: bad!", "PROGRAM ABORTING: gone"));
    EXPECT_FALSE(probe.HasNoErrorLine());
}

TEST(LogProbe, ReadsAnHtmlLogFileAsLinesWithTheLevelsTheirTextsGive)
{
    Testing::TempFolder folder;
    {
        MessageManager log("Game", true, false, folder.Internal(), "");
        WriteRun(log);
    }
    const LogProbe probe = LogProbe::FromHtmlFile(folder.Native("Game.html"));
    const std::vector<std::string> texts = probe.Texts();
    ASSERT_GE(texts.size(), 7u);
    EXPECT_THAT(texts.front(), HasSubstr("======== Game Log: "));
    // Tags are removed, so a '<' the program wrote goes with what follows it.
    EXPECT_EQ(texts[1], "Loading ");
    EXPECT_THAT(probe.Texts(MessageManager::kWarning), ElementsAre("Warning: disk low!"));
    EXPECT_THAT(probe.ErrorLines(), ElementsAre("Error: bad!", "PROGRAM ABORTING: gone"));
    EXPECT_THAT(texts.back(), HasSubstr("Game Log end: "));
}

TEST(LogProbe, ACleanFileHasNoErrorLineAndAMissingFileThrows)
{
    Testing::TempFolder folder;
    {
        MessageManager log("Game", true, false, folder.Internal(), "");
        log.LogMessage("Error in the name of a level is no error line");
    }
    EXPECT_TRUE(LogProbe::FromHtmlFile(folder.Native("Game.html")).HasNoErrorLine());
    EXPECT_THROW(LogProbe::FromHtmlFile(folder.Native("None.html")), std::runtime_error);
}

} // namespace
