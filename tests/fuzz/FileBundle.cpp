#include "tests/fuzz/FileBundle.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace Fuzzing {

namespace {

constexpr std::size_t kMaxNameBytes = 255;

bool IsPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.size() <= kMaxNameBytes &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

BundledFile SplitFile(std::string_view chunk, std::size_t index, const std::string& defaultExtension)
{
    const std::size_t lineEnd = chunk.find('\n');
    BundledFile file;
    file.name = std::string(chunk.substr(0, lineEnd));
    if (lineEnd != std::string_view::npos)
        file.bytes = std::string(chunk.substr(lineEnd + 1));
    if (!IsPlainName(file.name))
        file.name = "file" + std::to_string(index) + defaultExtension;
    return file;
}

} // namespace

std::vector<BundledFile> SplitBundle(std::string_view bytes, const std::string& defaultExtension)
{
    std::vector<BundledFile> files;
    for (std::size_t start = 0;;) {
        const std::size_t end = bytes.find(kSeparator, start);
        files.push_back(SplitFile(bytes.substr(start, end - start), files.size(), defaultExtension));
        if (end == std::string_view::npos)
            return files;
        start = end + kSeparator.size();
    }
}

std::string MakeBundleOf(const std::vector<BundledFile>& files)
{
    std::string bundle;
    for (const BundledFile& file : files) {
        if (!bundle.empty())
            bundle += kSeparator;
        bundle += file.name + "\n" + file.bytes;
    }
    return bundle;
}

std::string MakeBundle(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    std::vector<BundledFile> files;
    for (const std::filesystem::path& path : paths) {
        std::ifstream in(path, std::ios::binary);
        files.push_back({path.filename().string(),
                         std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())});
    }
    return MakeBundleOf(files);
}

} // namespace Fuzzing
