#pragma once

#include <cstdint>
#include <vector>

namespace Platform {

// The program's icon: 32 x 32 pixels, four bytes each (red, green, blue,
// alpha), rows from the top.
struct ProgramIcon {
    static constexpr uint32_t kSize = 32;
    std::vector<uint8_t> pixels;
};

// Drawn when asked rather than shipped as a file, so the window has its icon
// even when the data folder is missing.
ProgramIcon DrawProgramIcon();

} // namespace Platform
