#pragma once

#include "engine/core/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Testing {

// Files made by the tools, read back with the engine's own readers.

struct DecodedSound {
    Halvard::u32 channels = 0;
    Halvard::u32 rate = 0;
    Halvard::u32 bits = 0;
    std::vector<std::int16_t> samples;
};

// Writes the bytes as data\<name> and decodes them whole with the reader of
// the name's extension ("wav" or "ogg"); the reader's FileError passes on.
DecodedSound ReadSound(const std::string& name, const std::string& bytes);

struct LoadedImage {
    bool loaded = false;
    Halvard::u32 width = 0;
    Halvard::u32 height = 0;
    Halvard::u32 bitsPerPixel = 0;
    // Rows bottom first, as the engine keeps them.
    std::vector<Halvard::u8> bytes;
};

// Writes the bytes under the name and loads them with Image::Load.
LoadedImage LoadImage(const std::string& name, const std::string& bytes);

} // namespace Testing
