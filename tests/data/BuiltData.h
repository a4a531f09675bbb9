#pragma once

#include "tests/support/TempFolder.h"
#include "tools/data_builder/DataFolderWriter.h"

#include <filesystem>
#include <string>

namespace Testing {

// The folder of the built program, where the build wrote the data folder.
std::filesystem::path GameFolder();
// The same folder in the system's own form, as an engine's install folder.
std::string GameFolderInternal();
std::filesystem::path ProgramFile();

// A program folder of its own holding a data folder built from the
// repository's data/ by the builder's own steps, in the given form.
class BuiltProgramFolder {
public:
    explicit BuiltProgramFolder(Tools::DataForm form);

    const std::filesystem::path& Path() const { return folder_.Path(); }
    std::string Internal() const { return folder_.Internal(); }
    std::filesystem::path DataFolder() const { return folder_.Path() / "data"; }

private:
    TempFolder folder_;
};

} // namespace Testing
