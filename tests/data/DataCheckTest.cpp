#include "tests/data/BuiltData.h"
#include "tests/data/DataChecker.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Testing::DataChecker;
using ::testing::IsEmpty;

// The engine reads the folder the build wrote beside the program, loose or
// packed as the build chose.
class DataCheck : public ::testing::Test {
protected:
    DataCheck() : engine({.installFolder = Testing::GameFolderInternal()}), checker(engine.Get()) {}

    Testing::TestEngine engine;
    DataChecker checker;
    std::vector<std::string> files = Testing::ListDataFiles(Testing::GameFolder());
};

TEST_F(DataCheck, EveryShippedFileLoadsWithTheReaderOfItsKindWithoutALogLine)
{
    ASSERT_THAT(files, ::testing::Contains("data\\ui\\fonts\\fonts_basic.xml"));
    const Testing::LogProbe before(*engine->GetMessageManager());
    for (const std::string& file : files)
        EXPECT_THAT(checker.CheckFile(file), IsEmpty()) << file;
    EXPECT_THAT(checker.CheckShaderFiles(files), IsEmpty());
    EXPECT_THAT(checker.CheckSoundNames(files), IsEmpty());
    const Testing::LogProbe after(*engine->GetMessageManager());
    EXPECT_THAT(after.ErrorLines(), IsEmpty());
    EXPECT_EQ(after.CountAt(Halvard::MessageManager::kWarning), before.CountAt(Halvard::MessageManager::kWarning))
        << after.Joined();
}

TEST_F(DataCheck, EveryPathIsLowerCaseBelowTheDataFolder)
{
    for (const std::string& file : files) {
        EXPECT_EQ(file.rfind("data\\", 0), 0u) << file;
        EXPECT_TRUE(std::none_of(file.begin(), file.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) << file;
    }
}

} // namespace
