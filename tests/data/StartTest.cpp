#include "game/ProgramEntry.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ProgramRunner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using Tools::DataForm;

Testing::ProgramRunResult RunOn(DataForm form)
{
    const Testing::BuiltProgramFolder built(form);
    Testing::ProgramRunner runner({Testing::ProgramFile(), built.DataFolder()});
    return runner.Run();
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

// The real program, started from a folder of its own on the shipped data,
// runs until told to quit and ends cleanly.
TEST(Start, TheProgramRunsOnTheLooseDataAndQuitsCleanly)
{
    ExpectCleanRun(RunOn(DataForm::Loose));
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

} // namespace
