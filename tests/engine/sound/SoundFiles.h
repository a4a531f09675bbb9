#pragma once

#include <cstdint>
#include <string>

namespace Testing {

// The file with count pages of the same stream put in after its first audio
// page: each carries part of a packet and skips a page number, so the
// decoder meets a hole at every one of them.
std::string InsertHoles(const std::string& ogg, uint32_t count);

// The file with every page given the stream serial, so that two files of
// the writer can follow each other as the links of one chained file.
std::string WithSerial(const std::string& ogg, uint32_t serial);

} // namespace Testing
