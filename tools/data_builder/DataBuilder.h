#pragma once

#include "tools/data_builder/DataFolderWriter.h"
#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/Generators.h"

#include <filesystem>
#include <vector>

namespace Tools {

struct DataBuildSettings {
    // The repository's hand-written data folder.
    std::filesystem::path source;
    // The data folder beside the program; replaced whole.
    std::filesystem::path output;
    DataForm form = DataForm::Loose;
    std::vector<Generator> generators;
};

// Adds every hand-written file below the source folder to the set as
// "data\" + its relative path, HandWritten. Documentation (a file whose name
// is "README" or begins with "README.") and hidden files (a name beginning
// with '.') are not data and are left out. A file below a folder named
// "sources" is what a generator makes data from (the levels' geometry): it
// joins the set's sources, which are never written. Throws
// std::runtime_error naming the path.
void CopyHandWritten(const std::filesystem::path& source, DataSet& set);

// Runs the generators in order; the first that throws ends the run with
// std::runtime_error naming it and carrying its message.
void RunGenerators(const std::vector<Generator>& generators, DataSet& set);

// The whole build: copy, generate, then write the folder. Nothing on disk
// changes unless every step succeeds.
void BuildDataFolder(const DataBuildSettings& settings);

} // namespace Tools
