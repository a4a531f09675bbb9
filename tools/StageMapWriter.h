#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace Tools {

constexpr std::uint32_t kStageMapFileVersion = 100;

// One point of the stage map: its kind (0 start, 1 finish, 2 check point,
// 3 path point) and the matrix (row-major, as the engine's Matrix4 stores
// it, the translation in the last column) that places its model on the
// 800 x 600 interface.
struct StageMapElement {
    std::uint32_t kind = 3;
    std::array<float, 16> placement{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                                    0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
};

// A stage map file ("GFGMF"), written as given. countOverride, when set, is
// written in place of the number of elements, so tests can make a file that
// promises more than it holds.
std::vector<std::uint8_t> BuildStageMapFile(const std::vector<StageMapElement>& elements,
                                            std::uint32_t version = kStageMapFileVersion,
                                            const std::uint32_t* countOverride = nullptr);
void WriteStageMapFile(const std::vector<StageMapElement>& elements, const std::filesystem::path& output);

} // namespace Tools
