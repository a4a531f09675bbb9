#pragma once

#include "engine/core/FileManager.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedProgramFolder.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Testing {

// A user's folder for save files on a real disk, with the log and the file
// manager the code under test writes through; the program's folder is a
// temporary one of its own. Paths below are relative to the user's folder.
class SaveFolder {
public:
    SaveFolder();

    Halvard::MessageManager* Log() { return &log_; }
    Halvard::FileManager* Files() { return &files_; }
    // The user's folder in the system's own form, absolute.
    std::string User() const { return user_.Internal(); }

    bool Exists(const std::string& relative) const;
    std::string Read(const std::string& relative) const;
    void Write(const std::string& relative, const std::string& contents) const;
    void Remove(const std::string& relative) const;
    // The names of the files of a folder, sorted.
    std::vector<std::string> List(const std::string& relative) const;
    // Overwrites four bytes of the file, little-endian.
    void PatchUInt(const std::string& relative, std::size_t at, std::uint32_t value) const;
    std::vector<std::string> ErrorLines() const;

private:
    TempFolder program_;
    ScopedProgramFolder programGuard_;
    TempFolder user_;
    QuietLog log_;
    Halvard::FileManager files_;
};

// The 13-byte header of the system's save and data files.
std::string VersionedHeader(std::uint32_t totalSize, const std::string& magic, std::uint32_t version);
std::string LittleEndian(std::uint32_t value);

// Damaged forms of a valid file, for readers that must never crash: every
// prefix as it is and with its size field made to match, the valid header
// followed by random bytes of random lengths, and random bytes alone.
std::vector<std::string> DamagedCopies(const std::string& valid, unsigned seed);

} // namespace Testing
