#include "tools/data_builder/DataFolderWriter.h"

#include "tools/PackWriter.h"

#include <fstream>
#include <stdexcept>

namespace Tools {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kDataPrefixLength = 5; // "data\"

void WriteBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

fs::path NativeBelow(const fs::path& folder, const std::string& path)
{
    fs::path file = folder;
    std::size_t start = kDataPrefixLength;
    for (std::size_t end = path.find('\\', start); end != std::string::npos; end = path.find('\\', start)) {
        file /= path.substr(start, end - start);
        start = end + 1;
    }
    return file / path.substr(start);
}

void WriteLoose(const DataSet& set, const fs::path& folder)
{
    for (const auto& [path, bytes] : set.GetFiles())
        WriteBytes(NativeBelow(folder, path), bytes);
}

void WritePacked(const DataSet& set, const fs::path& folder)
{
    std::vector<PackEntry> entries;
    for (const auto& [path, bytes] : set.GetFiles())
        entries.push_back({path, bytes});
    WriteBytes(folder / kPackFileName, BuildPack(entries));
}

fs::path Sibling(const fs::path& output, const char* suffix)
{
    return output.parent_path() / (output.filename().string() + suffix);
}

void Swap(const fs::path& fresh, const fs::path& output)
{
    const fs::path previous = Sibling(output, ".old");
    fs::remove_all(previous);
    const bool hadOutput = fs::exists(fs::symlink_status(output));
    if (hadOutput)
        fs::rename(output, previous);
    std::error_code failed;
    fs::rename(fresh, output, failed);
    if (failed) {
        // The previous folder goes back whole.
        if (hadOutput)
            fs::rename(previous, output);
        throw fs::filesystem_error("cannot move the new folder in", fresh, output, failed);
    }
    fs::remove_all(previous);
}

} // namespace

void WriteDataFolder(const DataSet& set, const fs::path& output, DataForm form)
{
    fs::path target = fs::absolute(output).lexically_normal();
    if (target.filename().empty())
        target = target.parent_path();
    const fs::path fresh = Sibling(target, ".new");
    try {
        // A folder left by a run that was killed is stale.
        fs::remove_all(fresh);
        fs::create_directories(fresh);
        if (form == DataForm::Packed)
            WritePacked(set, fresh);
        else
            WriteLoose(set, fresh);
        Swap(fresh, target);
    } catch (const std::exception& error) {
        std::error_code ignored;
        fs::remove_all(fresh, ignored);
        throw std::runtime_error("data folder " + target.string() + ": " + error.what());
    }
}

} // namespace Tools
