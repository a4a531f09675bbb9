#include "tests/support/SaveFolder.h"

#include "tests/support/LogProbe.h"

#include <algorithm>
#include <filesystem>
#include <random>

namespace Testing {

namespace {

constexpr std::size_t kHeaderSize = 13;
constexpr int kRandomCopies = 64;

std::string WithSizeField(std::string bytes)
{
    if (bytes.size() >= 4)
        bytes.replace(0, 4, LittleEndian(static_cast<std::uint32_t>(bytes.size())));
    return bytes;
}

std::string RandomBytes(std::mt19937& random, std::size_t count)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(count, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    return bytes;
}

} // namespace

SaveFolder::SaveFolder() : programGuard_(program_.Path()), files_(&log_, program_.Internal(), "") {}

bool SaveFolder::Exists(const std::string& relative) const { return std::filesystem::exists(user_.Native(relative)); }

std::string SaveFolder::Read(const std::string& relative) const { return user_.ReadFile(relative); }

void SaveFolder::Write(const std::string& relative, const std::string& contents) const
{
    user_.WriteFile(relative, contents);
}

void SaveFolder::Remove(const std::string& relative) const { std::filesystem::remove_all(user_.Native(relative)); }

std::vector<std::string> SaveFolder::List(const std::string& relative) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(user_.Native(relative), error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void SaveFolder::PatchUInt(const std::string& relative, std::size_t at, std::uint32_t value) const
{
    std::string bytes = Read(relative);
    bytes.replace(at, 4, LittleEndian(value));
    Write(relative, bytes);
}

std::vector<std::string> SaveFolder::ErrorLines() const { return LogProbe(log_).ErrorLines(); }

std::string LittleEndian(std::uint32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string VersionedHeader(std::uint32_t totalSize, const std::string& magic, std::uint32_t version)
{
    return LittleEndian(totalSize) + magic + LittleEndian(version);
}

std::vector<std::string> DamagedCopies(const std::string& valid, unsigned seed)
{
    std::vector<std::string> copies;
    for (std::size_t length = 0; length < valid.size(); ++length) {
        copies.push_back(valid.substr(0, length));
        copies.push_back(WithSizeField(valid.substr(0, length)));
    }
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> length(0, 2 * valid.size());
    const std::string header = valid.substr(0, std::min(valid.size(), kHeaderSize));
    for (int i = 0; i < kRandomCopies; ++i) {
        copies.push_back(WithSizeField(header + RandomBytes(random, length(random))));
        copies.push_back(RandomBytes(random, length(random)));
    }
    return copies;
}

} // namespace Testing
