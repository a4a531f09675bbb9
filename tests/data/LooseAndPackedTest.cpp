#include "tests/data/BuiltData.h"

#include "engine/core/FileManager.h"
#include "engine/core/StringUtils.h"
#include "tests/support/QuietLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Testing::BuiltProgramFolder;
using Tools::DataForm;

// The disk names its finds by full path, a pack by data path: both as data
// paths, for comparing.
std::vector<std::string> Found(Halvard::FileManager& files, const std::string& folder, const std::string& mask)
{
    std::vector<std::string> names;
    files.FindFiles(folder, mask, names);
    const std::string base = Halvard::ToLower(files.GetBaseFolder() + "\\");
    for (std::string& name : names) {
        name = Halvard::ToLower(name);
        if (name.rfind(base, 0) == 0)
            name = name.substr(base.size());
    }
    return names;
}

// The game lists window descriptions and blocks, and picks its language by
// folder: a pack answers those by substring, the disk by folder, so the data
// must be laid out for both to agree.
TEST(LooseAndPacked, ListAndFindFoldersAlike)
{
    const BuiltProgramFolder looseFolder(DataForm::Loose);
    const BuiltProgramFolder packedFolder(DataForm::Packed);
    Testing::QuietLog log;
    Halvard::FileManager loose(&log, looseFolder.Internal(), "Data");
    Halvard::FileManager packed(&log, packedFolder.Internal(), "Data");
    ASSERT_TRUE(packed.FileExists("data\\ui\\fonts\\fonts_basic.xml"));
    ASSERT_FALSE(std::filesystem::exists(packedFolder.DataFolder() / "ui"));

    for (const char* folder : {"data\\ui\\windows", "data\\game_objects\\blocks"}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(Found(loose, folder, "*.xml"), Found(packed, folder, "*.xml"));
    }
    for (const char* code : {"en", "ru", "ge", "fr", "it", "sp", "jp"}) {
        SCOPED_TRACE(code);
        const std::string folder = std::string("data\\ui\\fonts\\") + code;
        EXPECT_EQ(loose.FolderExists(folder), packed.FolderExists(folder));
    }
}

} // namespace
