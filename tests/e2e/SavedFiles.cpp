#include "tests/e2e/SavedFiles.h"

#include "tests/support/FileBytes.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace Testing::SavedFiles {

namespace {

constexpr std::size_t kHeaderSize = 13;

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file)
{
    const std::string text = ReadBytes(file);
    if (text.empty())
        throw std::runtime_error("no bytes in " + file.string());
    return {text.begin(), text.end()};
}

} // namespace

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SavedName(const std::string& ascii)
{
    std::string bytes(1, static_cast<char>(ascii.size() + 1));
    for (char c : ascii) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

// Every unit but the last is a character; the last ends the name.
std::string NameAt(const std::vector<std::uint8_t>& bytes, std::size_t& at)
{
    const std::size_t units = bytes.at(at);
    if (units == 0)
        throw std::runtime_error("a name without its end unit");
    std::string name;
    for (std::size_t i = 0; i < units; ++i) {
        const unsigned unit = static_cast<unsigned>(bytes.at(at + 1 + 2 * i) | (bytes.at(at + 2 + 2 * i) << 8));
        const bool last = i + 1 == units;
        if ((unit == 0) != last || unit > 0x7F)
            throw std::runtime_error("unit " + std::to_string(unit) + " at " + std::to_string(i) + " of " +
                                     std::to_string(units));
        if (!last)
            name.push_back(static_cast<char>(unit));
    }
    at += 1 + 2 * units;
    return name;
}

std::vector<std::string> ProfileFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".prf")
                names.push_back(entry.path().filename().string());
    return names;
}

SavedProfile ReadProfile(const std::filesystem::path& file)
{
    const std::vector<std::uint8_t> bytes = FileBytes(file);
    std::size_t at = kHeaderSize;
    auto next = [&] {
        const std::uint32_t value = UIntAt(bytes, at);
        at += 4;
        return value;
    };
    SavedProfile saved;
    saved.name = NameAt(bytes, at);
    next();
    next();
    saved.score = next();
    saved.current.first = next();
    saved.current.second = next();
    saved.furthest.first = next();
    saved.furthest.second = next();
    ++at;
    const std::uint32_t results = next();
    for (std::uint32_t i = 0; i < results; ++i) {
        next();
        const std::uint32_t stage = next();
        saved.results.emplace_back(stage, next());
        next();
    }
    saved.gameInProgress = bytes.at(at) != 0;
    return saved;
}

std::string ReadCurrentPlayer(const std::filesystem::path& file)
{
    std::size_t at = kHeaderSize;
    return NameAt(FileBytes(file), at);
}

// After the header: the next sequence number, the count, then each entry's
// name, category, score and sequence number.
std::vector<SavedScore> ReadHighScores(const std::filesystem::path& file)
{
    const std::vector<std::uint8_t> bytes = FileBytes(file);
    const std::uint32_t count = UIntAt(bytes, kHeaderSize + 4);
    std::size_t at = kHeaderSize + 8;
    std::vector<SavedScore> scores;
    for (std::uint32_t i = 0; i < count; ++i) {
        SavedScore score;
        score.name = NameAt(bytes, at);
        score.category = UIntAt(bytes, at);
        score.score = UIntAt(bytes, at + 4);
        at += 12;
        scores.push_back(score);
    }
    if (at != bytes.size())
        throw std::runtime_error(std::to_string(bytes.size() - at) + " bytes after the scores of " + file.string());
    return scores;
}

} // namespace Testing::SavedFiles
