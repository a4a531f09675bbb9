#include "tools/data_builder/DataBuilder.h"

#include "tools/PackWriter.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

namespace fs = std::filesystem;
using Testing::TempFolder;
using Tools::DataForm;
using Tools::DataSet;

// Every file below a folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> FilesBelow(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[entry.path().lexically_relative(folder).generic_string()] = bytes.str();
    }
    return files;
}

void AddSound(DataSet& set)
{
    set.Add("data\\audio\\menu\\click.wav", "RIFF");
}

void AddTexture(DataSet& set)
{
    set.Add("data\\ui\\textures\\glow.tga", "TGA");
}

void Throw(DataSet&)
{
    throw std::runtime_error("the recipe has a NaN");
}

void OverwriteFonts(DataSet& set)
{
    set.Add("data\\ui\\fonts\\fonts_basic.xml", "<fonts/>");
}

std::string FailureOf(const Tools::DataBuildSettings& settings)
{
    try {
        Tools::BuildDataFolder(settings);
        return "";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

class DataBuilder : public ::testing::Test {
protected:
    DataBuilder()
    {
        folder.WriteFile("source\\ui\\fonts\\fonts_basic.xml", "<fonts></fonts>");
        folder.WriteFile("source\\levels\\levels.xml", "<levels/>");
        settings.source = folder.Path() / "source";
        settings.output = folder.Path() / "game" / "data";
        settings.generators = {{"sounds", AddSound}, {"textures", AddTexture}};
    }

    TempFolder folder;
    Tools::DataBuildSettings settings;
};

TEST_F(DataBuilder, CopiesHandWrittenFilesLeavesNonDataOutAndAddsTheGenerated)
{
    folder.WriteFile("source\\README", "not data");
    folder.WriteFile("source\\ui\\README.md", "not data");
    folder.WriteFile("source\\.gitkeep", "");
    folder.WriteFile("source\\.hidden\\x.xml", "<x/>");
    Tools::BuildDataFolder(settings);
    const std::map<std::string, std::string> expected = {{"audio/menu/click.wav", "RIFF"},
                                                         {"levels/levels.xml", "<levels/>"},
                                                         {"ui/fonts/fonts_basic.xml", "<fonts></fonts>"},
                                                         {"ui/textures/glow.tga", "TGA"}};
    EXPECT_EQ(FilesBelow(settings.output), expected);
    EXPECT_FALSE(fs::exists(folder.Path() / "game" / "data.new"));
    EXPECT_FALSE(fs::exists(folder.Path() / "game" / "data.old"));
}

// A level's source is read by its generator and never shipped.
TEST_F(DataBuilder, KeepsFilesBelowASourcesFolderForTheGeneratorsAlone)
{
    folder.WriteFile("source\\levels_geometry\\sources\\00_00.xml", "<level/>");
    DataSet set;
    Tools::CopyHandWritten(settings.source, set);
    EXPECT_EQ(set.GetSources().count("data\\levels_geometry\\sources\\00_00.xml"), 1u);
    EXPECT_FALSE(set.Contains("data\\levels_geometry\\sources\\00_00.xml"));
    Tools::BuildDataFolder(settings);
    EXPECT_FALSE(fs::exists(settings.output / "levels_geometry"));
}

TEST_F(DataBuilder, RefusesAHandWrittenFileOfABadNameNamingIt)
{
    const std::pair<std::string, std::string> cases[] = {
        {"ui\\Window_Main.xml", "\"data\\ui\\Window_Main.xml\": the path has upper-case letters"},
        {"ui\\main menu.xml", "\"data\\ui\\main menu.xml\": the path has a blank"},
    };
    for (const auto& [file, named] : cases) {
        SCOPED_TRACE(file);
        TempFolder source;
        source.WriteFile(file, "<x/>");
        settings.source = source.Path();
        const std::string message = FailureOf(settings);
        EXPECT_NE(message.find(named), std::string::npos) << message;
        EXPECT_FALSE(fs::exists(settings.output));
    }
}

TEST_F(DataBuilder, AMissingSourceFolderIsNamed)
{
    settings.source = folder.Path() / "nowhere";
    EXPECT_NE(FailureOf(settings).find("nowhere"), std::string::npos);
}

// The old folder stays whole: a failed build never leaves half a data set.
TEST_F(DataBuilder, AFailingGeneratorIsNamedAndKeepsThePreviousFolder)
{
    Tools::BuildDataFolder(settings);
    const std::map<std::string, std::string> before = FilesBelow(settings.output);
    folder.WriteFile("source\\levels\\levels.xml", "<levels>changed</levels>");
    const std::pair<Tools::Generator, std::string> cases[] = {
        {{"synthesiser", Throw}, "generator \"synthesiser\": the recipe has a NaN"},
        {{"fonts", OverwriteFonts},
         "generator \"fonts\": data file \"data\\ui\\fonts\\fonts_basic.xml\": a generator would write over"},
        {{"again", AddSound}, "generator \"again\": data file \"data\\audio\\menu\\click.wav\": a second file"},
    };
    for (const auto& [generator, message] : cases) {
        SCOPED_TRACE(generator.name);
        Tools::DataBuildSettings failing = settings;
        failing.generators.push_back(generator);
        EXPECT_NE(FailureOf(failing).find(message), std::string::npos) << FailureOf(failing);
        EXPECT_EQ(FilesBelow(settings.output), before);
    }
}

TEST_F(DataBuilder, AFileRemovedFromTheSourceLeavesTheOutput)
{
    Tools::BuildDataFolder(settings);
    fs::remove(folder.Path() / "source" / "levels" / "levels.xml");
    Tools::BuildDataFolder(settings);
    EXPECT_EQ(FilesBelow(settings.output).count("levels/levels.xml"), 0u);
    EXPECT_EQ(FilesBelow(settings.output).size(), 3u);
}

TEST_F(DataBuilder, AStaleFolderOfAKilledRunIsReplaced)
{
    folder.WriteFile("game\\data.new\\stale.txt", "old");
    folder.WriteFile("game\\data.old\\stale.txt", "old");
    Tools::BuildDataFolder(settings);
    EXPECT_EQ(FilesBelow(settings.output).count("stale.txt"), 0u);
    EXPECT_FALSE(fs::exists(folder.Path() / "game" / "data.new"));
    EXPECT_FALSE(fs::exists(folder.Path() / "game" / "data.old"));
}

TEST_F(DataBuilder, PackedTheFolderHoldsOnePackOfEveryPathInOrder)
{
    settings.form = DataForm::Packed;
    Tools::BuildDataFolder(settings);
    const std::map<std::string, std::string> files = FilesBelow(settings.output);
    ASSERT_EQ(files.size(), 1u);
    const std::vector<std::uint8_t> expected =
        Tools::BuildPack({{"data\\audio\\menu\\click.wav", {'R', 'I', 'F', 'F'}},
                          {"data\\levels\\levels.xml", {'<', 'l', 'e', 'v', 'e', 'l', 's', '/', '>'}},
                          {"data\\ui\\fonts\\fonts_basic.xml",
                           {'<', 'f', 'o', 'n', 't', 's', '>', '<', '/', 'f', 'o', 'n', 't', 's', '>'}},
                          {"data\\ui\\textures\\glow.tga", {'T', 'G', 'A'}}});
    EXPECT_EQ(files.at("pack0.pak"), std::string(expected.begin(), expected.end()));
}

TEST_F(DataBuilder, TwoRunsGiveIdenticalBytesInBothForms)
{
    for (const DataForm form : {DataForm::Loose, DataForm::Packed}) {
        settings.form = form;
        Tools::BuildDataFolder(settings);
        const std::map<std::string, std::string> first = FilesBelow(settings.output);
        Tools::BuildDataFolder(settings);
        EXPECT_EQ(FilesBelow(settings.output), first);
    }
}

// The program the build runs: its exit status and its message are what a
// failing build shows.
TEST_F(DataBuilder, TheProgramExitsNonZeroNamingWhatFailed)
{
    const std::string program = TAMRISK_DATA_BUILDER;
    const fs::path errors = folder.Path() / "errors.txt";
    const auto run = [&](const std::string& arguments) {
        return std::system((program + " " + arguments + " 2>" + errors.string()).c_str());
    };
    const std::string source = settings.source.string();
    const std::string output = settings.output.string();
    EXPECT_EQ(run(source + " " + output), 0);
    EXPECT_TRUE(fs::exists(settings.output / "ui" / "fonts" / "fonts_basic.xml"));
    EXPECT_EQ(run(source + " " + output + " --pack"), 0);
    EXPECT_TRUE(fs::exists(settings.output / "pack0.pak"));

    folder.WriteFile("source\\ui\\Bad.xml", "<x/>");
    EXPECT_NE(run(source + " " + output), 0);
    EXPECT_NE(folder.ReadFile("errors.txt").find("data_builder: data file \"data\\ui\\Bad.xml\""), std::string::npos)
        << folder.ReadFile("errors.txt");
    EXPECT_TRUE(fs::exists(settings.output / "pack0.pak"));
    EXPECT_NE(run(source), 0);
    EXPECT_NE(folder.ReadFile("errors.txt").find("usage: data_builder"), std::string::npos);
}

} // namespace
