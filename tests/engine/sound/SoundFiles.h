#pragma once

#include <cstdint>
#include <string>

namespace Testing {

// The file with count pages of the same stream put in after its first audio
// page: each carries part of a packet and skips a page number, so the
// decoder meets a hole at every one of them.
std::string InsertHoles(const std::string& ogg, uint32_t count);

} // namespace Testing
