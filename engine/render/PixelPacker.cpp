#include "engine/render/PixelPacker.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace Halvard {

PixelPacker::PixelPacker(const Platform::PixelFormat& format)
    : red_(MakeChannel(format.redMask)), green_(MakeChannel(format.greenMask)), blue_(MakeChannel(format.blueMask)),
      alpha_(MakeChannel(format.alphaMask)), wide_(format.bitCount == 32)
{
}

PixelPacker::Channel PixelPacker::MakeChannel(u32 mask)
{
    Channel channel;
    channel.mask = mask;
    if (mask == 0)
        return channel;
    channel.shift = static_cast<u32>(std::countr_zero(mask));
    const u32 bits = 32 - static_cast<u32>(std::countl_zero(mask)) - channel.shift;
    channel.loss = 8 - std::min(bits, 8u);
    return channel;
}

u32 PixelPacker::Place(const Channel& channel, u8 value)
{
    if (channel.mask == 0)
        return 0;
    return ((static_cast<u32>(value) >> channel.loss) << channel.shift) & channel.mask;
}

u32 PixelPacker::Pack(u8 red, u8 green, u8 blue, u8 alpha) const
{
    return Place(red_, red) + Place(green_, green) + Place(blue_, blue) + Place(alpha_, alpha);
}

u32 PixelPacker::Store(u32 pixel, u8* out) const
{
    if (wide_) {
        std::memcpy(out, &pixel, 4);
        return 4;
    }
    const u16 narrow = static_cast<u16>(pixel);
    std::memcpy(out, &narrow, 2);
    return 2;
}

} // namespace Halvard
