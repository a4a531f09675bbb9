#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace Fuzzing {

// Several files in one input, for the readers that take a whole folder:
// each file is its name, a line end and its bytes, and the files are joined
// by kSeparator. Names are cut to their last component; an empty one, or one
// that names no file of its own, becomes "file<n>" + the default extension.
struct BundledFile {
    std::string name;
    std::string bytes;
};

inline constexpr std::string_view kSeparator = "\n--next file--\n";

std::vector<BundledFile> SplitBundle(std::string_view bytes, const std::string& defaultExtension);
// The files in the order given, as one input.
std::string MakeBundleOf(const std::vector<BundledFile>& files);
// The files of the folder in name order, as one input.
std::string MakeBundle(const std::filesystem::path& folder);

} // namespace Fuzzing
