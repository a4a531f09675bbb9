#pragma once

#include "engine/core/Types.h"
#include "platform/video/VideoTypes.h"

namespace Halvard {

// Packs red, green, blue and alpha bytes into a surface's pixel format: each
// byte keeps its top bits, as many as its mask holds, moved into the mask's
// place. A channel whose mask is 0 is left out.
class PixelPacker {
public:
    explicit PixelPacker(const Platform::PixelFormat& format);

    u32 Pack(u8 red, u8 green, u8 blue, u8 alpha) const;
    // Writes the packed pixel as 32 bits when the format has 32 bits a pixel,
    // else as 16; returns the bytes written.
    u32 Store(u32 pixel, u8* out) const;

private:
    struct Channel {
        u32 mask = 0;
        u32 shift = 0;
        u32 loss = 0;
    };

    static Channel MakeChannel(u32 mask);
    static u32 Place(const Channel& channel, u8 value);

    Channel red_;
    Channel green_;
    Channel blue_;
    Channel alpha_;
    bool wide_;
};

} // namespace Halvard
