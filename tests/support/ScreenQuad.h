#pragma once

#include "engine/core/Config.h"
#include "engine/core/Image.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/ImageFiles.h"
#include "tests/support/QuietLog.h"

#include <array>
#include <vector>

namespace Testing {

// A 640 x 480 window on the real video system (offscreen under ctest) with
// its render system and a folder of pictures for its textures: draws one
// textured quad a scene, for tests that read back what reached the screen.
class ScreenQuad {
public:
    static constexpr Halvard::u32 kWidth = 640;
    static constexpr Halvard::u32 kHeight = 480;

    // Two triangles, corners 0 1 2 and 2 1 3, in clip space, unlit, without
    // depth test or culling, the texture set on stage 0 sampled with the
    // given filter.
    void Draw(const std::array<Halvard::PlainVertex, 4>& corners, Halvard::u32 filter);

    // Red, green and blue of a screen pixel, y from the top.
    static std::vector<int> Pixel(const Halvard::Image& capture, Halvard::u32 x, Halvard::u32 y);

    QuietLog messages;
    Halvard::Config config{&messages, nullptr, {.videoMode = "640x480x32"}};
    Halvard::Window window{&messages, &config, {.title = "Quad", .width = kWidth, .height = kHeight}};
    Halvard::RenderSystem_D3D7 render{&messages, &config, &window, false, false};
    ImageFolder folder;
};

} // namespace Testing
