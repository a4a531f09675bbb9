#include "tests/data/BuiltData.h"

#include "tools/data_builder/DataBuilder.h"
#include "tools/data_builder/Generators.h"

#include <algorithm>

namespace Testing {

std::filesystem::path GameFolder()
{
    return TAMRISK_GAME_FOLDER;
}

std::string GameFolderInternal()
{
    std::string text = GameFolder().string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::filesystem::path ProgramFile()
{
    return TAMRISK_PROGRAM;
}

BuiltProgramFolder::BuiltProgramFolder(Tools::DataForm form)
{
    Tools::BuildDataFolder({TAMRISK_DATA_SOURCE, DataFolder(), form, Tools::ListGenerators()});
}

} // namespace Testing
