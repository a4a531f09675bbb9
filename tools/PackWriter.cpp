#include "tools/PackWriter.h"

#include "tools/ByteWriter.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <stdexcept>

namespace Tools {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kVersion = 100;

std::uint32_t CheckedSize(std::size_t size)
{
    if (size > std::numeric_limits<std::int32_t>::max())
        throw std::runtime_error("pack larger than 2 GiB");
    return static_cast<std::uint32_t>(size);
}

std::string EntryName(const fs::path& relative)
{
    std::string name;
    for (const fs::path& part : relative) {
        if (!name.empty())
            name += '\\';
        name += part.string();
    }
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return name;
}

std::vector<std::uint8_t> ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Written beside the output and renamed over it, so a failed run leaves no
// half-written pack behind.
void WriteWhole(const fs::path& output, const std::vector<std::uint8_t>& first,
                const std::vector<std::uint8_t>& second, fs::perms permissions)
{
    const fs::path temporary = output.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(first.data()), static_cast<std::streamsize>(first.size()));
        out.write(reinterpret_cast<const char*>(second.data()), static_cast<std::streamsize>(second.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw std::runtime_error("cannot write " + output.string());
        }
    }
    fs::permissions(temporary, permissions);
    fs::rename(temporary, output);
}

// An output inside the packed folder would pack the previous pack (or its
// ".part" file) into the new one.
void RefuseOutputInside(const fs::path& folder, const fs::path& output)
{
    fs::path inside = fs::weakly_canonical(folder);
    if (inside.filename().empty())
        inside = inside.parent_path();
    const fs::path target = fs::weakly_canonical(output);
    const auto mismatch = std::mismatch(inside.begin(), inside.end(), target.begin(), target.end());
    if (mismatch.first == inside.end())
        throw std::runtime_error("the output " + output.string() + " lies inside the packed folder " + folder.string());
}

} // namespace

std::vector<std::uint8_t> BuildPack(const std::vector<PackEntry>& entries)
{
    ByteWriter out;
    out.Header("HVPAK", kVersion);
    out.UInt(CheckedSize(entries.size()));
    for (const PackEntry& entry : entries) {
        if (entry.name.size() > ByteWriter::kMaxStringLength)
            throw std::runtime_error("entry name too long: " + entry.name);
        out.String(entry.name);
    }
    std::size_t offset = out.Size() + 8 * entries.size();
    for (const PackEntry& entry : entries) {
        out.UInt(CheckedSize(offset));
        out.UInt(CheckedSize(entry.bytes.size()));
        offset += entry.bytes.size();
    }
    for (const PackEntry& entry : entries)
        out.Append(entry.bytes);
    // The size field must be able to say how large the pack is.
    CheckedSize(out.Size());
    return out.Finish();
}

std::vector<PackEntry> CollectEntries(const fs::path& folder)
{
    // The reader keeps the first of two entries of one name and never shows
    // the other, so two files that differ only in case cannot both be packed.
    std::map<std::string, fs::path> sources;
    std::vector<PackEntry> entries;
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(folder)) {
        if (file.is_symlink() || !file.is_regular_file())
            continue;
        const fs::path relative = fs::relative(file.path(), folder);
        std::string name = EntryName(relative);
        const auto [known, added] = sources.emplace(name, relative);
        if (!added)
            throw std::runtime_error("files " + known->second.generic_string() + " and " + relative.generic_string() +
                                     " differ only in case: both would be the pack entry " + name);
        entries.push_back({std::move(name), ReadWhole(file.path())});
    }
    std::sort(entries.begin(), entries.end(), [](const PackEntry& a, const PackEntry& b) { return a.name < b.name; });
    return entries;
}

std::vector<std::uint8_t> BuildAppendedPack(const std::vector<PackEntry>& entries)
{
    ByteWriter out(BuildPack(entries));
    out.UInt(CheckedSize(out.Size()));
    out.Chars("APC");
    return out.Take();
}

void WritePackFile(const fs::path& folder, const fs::path& output)
{
    RefuseOutputInside(folder, output);
    WriteWhole(output, BuildPack(CollectEntries(folder)), {},
               fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read);
}

void WriteProgramWithPack(const fs::path& folder, const fs::path& program, const fs::path& output)
{
    RefuseOutputInside(folder, output);
    const fs::perms permissions = fs::status(program).permissions();
    WriteWhole(output, ReadWhole(program), BuildAppendedPack(CollectEntries(folder)), permissions);
}

} // namespace Tools
