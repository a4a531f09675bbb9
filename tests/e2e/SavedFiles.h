#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// The game's save files read back from their bytes, as another program would
// read them: each starts with a 13-byte header (total size, magic word,
// version); a name is a count byte (its 16-bit units and the end), then the
// little-endian units, the last one 0. Malformed bytes throw
// std::runtime_error or std::out_of_range.
namespace Testing::SavedFiles {

std::string ReadBytes(const std::filesystem::path& path);

// A name of ASCII characters as the files keep it, without its end unit.
std::string SavedName(const std::string& ascii);

// The name that begins at the offset, which then stands past it; only ASCII
// names are read.
std::string NameAt(const std::vector<std::uint8_t>& bytes, std::size_t& at);

// The ".prf" file names of the profiles folder.
std::vector<std::string> ProfileFiles(const std::filesystem::path& folder);

// What a player's file says of the player and the game in progress: the
// name, seven numbers (game mode, lives, score, current stage and level,
// furthest stage and level), a flag, the level results, then the game in
// progress flag.
struct SavedProfile {
    std::string name;
    std::uint32_t score = 0;
    std::pair<std::uint32_t, std::uint32_t> current;
    std::pair<std::uint32_t, std::uint32_t> furthest;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> results;
    bool gameInProgress = false;
};
SavedProfile ReadProfile(const std::filesystem::path& file);

// The name "profiles.pmf" gives as the current player's.
std::string ReadCurrentPlayer(const std::filesystem::path& file);

// One line of "high_scores.hsf", in the file's order.
struct SavedScore {
    std::string name;
    std::uint32_t category = 0;
    std::uint32_t score = 0;
};
std::vector<SavedScore> ReadHighScores(const std::filesystem::path& file);

} // namespace Testing::SavedFiles
