#pragma once

#include "tools/data_builder/DataSet.h"

#include <filesystem>

namespace Tools {

// How the data folder holds the set: one file per path, or one pack.
enum class DataForm { Loose, Packed };

// The name the packed form gives its one file, inside the data folder.
inline constexpr const char* kPackFileName = "pack0.pak";

// Writes the set into a fresh folder beside the output and swaps it in, so
// the output is either the previous folder, whole, or the new one: a failed
// write removes its half-written folder and leaves the output untouched. A
// file the set no longer holds is gone from the output. Loose, the set's
// "data\a\b" becomes output/a/b; packed, output holds only pack0.pak with an
// entry per path, names as in the set. Throws std::runtime_error naming the
// path that failed.
void WriteDataFolder(const DataSet& set, const std::filesystem::path& output, DataForm form);

} // namespace Tools
