#pragma once

#include "engine/core/Types.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace Halvard {
class Image;
}

namespace Testing {

// A capture kept small in the source tree: shrunk by a factor in each
// direction, each pixel the mean of its block, as a binary PPM. Edges
// rasterised a little differently and small drifts count for little; a
// missing or moved element does not.
class GoldenImage {
public:
    GoldenImage(std::filesystem::path file, Halvard::u32 shrink, int tolerance);

    // Rows top first; red, green, blue.
    std::vector<Halvard::u8> Shrink(const Halvard::Image& capture) const;

    // Whether the capture matches the file within the tolerance on every
    // channel. With TAMRISK_WRITE_GOLDEN set the file is rewritten from the
    // capture first. A mismatch leaves the capture's own picture beside the
    // temporary folder's copy of the name, to be looked at.
    ::testing::AssertionResult Matches(const Halvard::Image& capture) const;

private:
    std::filesystem::path file_;
    Halvard::u32 shrink_;
    int tolerance_;
};

} // namespace Testing
