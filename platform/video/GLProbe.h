#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/video/VideoTypes.h"

namespace Platform {

// What a GL context of this machine offers, read once from a hidden window.
struct GLProbe {
    bool valid = false;
    std::string renderer;
    std::string version;
    // False for renderers that rasterize on the processor (llvmpipe,
    // softpipe and the like).
    bool hardware = false;
    uint32_t maxTextureSize = 0;
    uint32_t textureUnits = 0;
    uint32_t maxAnisotropy = 1;
    bool anisotropic = false;
    // Whether indexed draws take a first vertex to add to every index.
    bool baseVertex = false;
    // The depth formats a framebuffer object accepts, 16 bits first.
    std::vector<DepthFormat> depthFormats;
};

// Makes a hidden window with a context, reads it and throws both away. The
// video subsystem of SDL must be up.
GLProbe RunGLProbe();

// The GL context attributes every context of the layer asks for: the
// compatibility profile, where the fixed-function pipeline lives.
void SetGLContextAttributes();

// What a window's own framebuffer asks for: the formats of a 32-bit back
// buffer with its depth and stencil, so that the display can draw straight
// into the window. Set before the window is made (its pixel format is chosen
// then); SDL_GL_ResetAttributes takes them back where no visual has them.
void SetGLWindowFramebufferAttributes();

} // namespace Platform
