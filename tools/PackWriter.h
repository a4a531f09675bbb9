#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Tools {

// One file of a pack: its name (a relative path with '\' separators,
// lower-case) and its bytes.
struct PackEntry {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The bytes of a pack holding the entries in the given order: the length of
// the whole pack, "HVPAK", version 100, the count, the names (one length byte,
// then the name and its terminating zero), an (offset, size) pair per entry,
// then the entries' bytes. Throws std::runtime_error for a name too long for
// its length byte.
std::vector<std::uint8_t> BuildPack(const std::vector<PackEntry>& entries);

// Every regular file below the folder, named by its path relative to the
// folder, lower-cased, with '\' separators, in the order of those names.
// Symbolic links are not followed. Throws std::runtime_error naming both
// files when two of them differ only in letter case.
std::vector<PackEntry> CollectEntries(const std::filesystem::path& folder);

// The bytes that follow a program to append a pack to it: the pack, its
// 32-bit length and "APC".
std::vector<std::uint8_t> BuildAppendedPack(const std::vector<PackEntry>& entries);

// Writes a pack of the folder's files to the output, replacing it whole.
// Both writers throw std::runtime_error for an output inside the folder.
void WritePackFile(const std::filesystem::path& folder, const std::filesystem::path& output);

// Writes the program followed by a pack of the folder's files to the output,
// which keeps the program's permissions. The output may be the program.
void WriteProgramWithPack(const std::filesystem::path& folder, const std::filesystem::path& program,
                          const std::filesystem::path& output);

} // namespace Tools
