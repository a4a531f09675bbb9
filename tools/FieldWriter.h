#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace Tools {

constexpr std::uint32_t kFieldFileVersion = 100;

// One wall: a box in its own frame and the matrix (row-major, as the engine's
// Matrix4 stores it) that places it in the level.
struct FieldBox {
    std::array<float, 3> min{0.0f, 0.0f, 0.0f};
    std::array<float, 3> max{0.0f, 0.0f, 0.0f};
    std::array<float, 16> transform{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                                    0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
};

// A field file ("TKTKF"), written as given. countOverride, when set, is
// written in place of the number of boxes, so tests can make a file that
// promises more than it holds.
std::vector<std::uint8_t> BuildFieldFile(const std::vector<FieldBox>& boxes, std::uint32_t version = kFieldFileVersion,
                                         const std::uint32_t* countOverride = nullptr);
void WriteFieldFile(const std::vector<FieldBox>& boxes, const std::filesystem::path& output);

} // namespace Tools
