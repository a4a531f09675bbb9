#pragma once

#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/RenderHarness.h"

#include <memory>
#include <vector>

namespace Testing {

// A render system on the fake video system with a texture manager that reads
// from a temporary folder. The test scripts the fakes and the configuration
// through render, then calls Start.
class TextureHarness {
public:
    Halvard::TextureManager& Start();

    // The pixels of a level of the texture's surface as the surface holds
    // them, top row first, 16-bit pixels widened to 32 bits.
    static std::vector<Halvard::u32> LevelPixels(Halvard::Texture2D& texture, Halvard::u32 level);
    static Platform::TextureSurfaceDescription Description(Halvard::Texture2D& texture);

    RenderHarness render;
    ImageFolder folder;
    std::unique_ptr<Halvard::TextureManager> manager;
};

} // namespace Testing
