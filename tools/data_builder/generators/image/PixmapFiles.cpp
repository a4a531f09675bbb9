#include "tools/data_builder/generators/image/PixmapFiles.h"

#include "tools/ImageWriter.h"

#include <stdexcept>

namespace Tools {

std::string PixmapToBmp(const Pixmap& pixmap)
{
    return BmpFile(pixmap.Width(), pixmap.Height(), 24, pixmap.Bytes(Pixmap::Order::Bgr, Pixmap::Alpha::Without));
}

std::string PixmapToTga(const Pixmap& pixmap, Pixmap::Alpha alpha)
{
    if (pixmap.Width() > 0xFFFF || pixmap.Height() > 0xFFFF)
        throw std::runtime_error("a picture too large for a TGA file");
    TgaHeader header;
    header.width = static_cast<std::uint16_t>(pixmap.Width());
    header.height = static_cast<std::uint16_t>(pixmap.Height());
    header.depth = alpha == Pixmap::Alpha::With ? 32 : 24;
    // The low bits count the alpha bits of a pixel.
    header.descriptor = alpha == Pixmap::Alpha::With ? 8 : 0;
    return TgaFile(header, pixmap.Bytes(Pixmap::Order::Bgr, alpha));
}

namespace {

// JPEG rows run from the top; a pixmap's from the bottom.
std::vector<std::uint8_t> TopDown(const std::vector<std::uint8_t>& bottomUp, std::size_t rowSize)
{
    std::vector<std::uint8_t> topDown;
    topDown.reserve(bottomUp.size());
    for (std::size_t row = bottomUp.size() / rowSize; row-- > 0;)
        topDown.insert(topDown.end(), bottomUp.begin() + row * rowSize, bottomUp.begin() + (row + 1) * rowSize);
    return topDown;
}

} // namespace

std::string PixmapToJpeg(const Pixmap& pixmap, int quality)
{
    const std::vector<std::uint8_t> bottomUp = pixmap.Bytes(Pixmap::Order::Rgb, Pixmap::Alpha::Without);
    return JpegFile(pixmap.Width(), pixmap.Height(), 3, TopDown(bottomUp, pixmap.Width() * 3u), quality);
}

std::string PixmapAlphaToJpeg(const Pixmap& pixmap, int quality)
{
    const std::vector<std::uint8_t> rgba = pixmap.Bytes(Pixmap::Order::Rgb, Pixmap::Alpha::With);
    std::vector<std::uint8_t> grey;
    grey.reserve(rgba.size() / 4);
    for (std::size_t i = 3; i < rgba.size(); i += 4)
        grey.push_back(rgba[i]);
    return JpegFile(pixmap.Width(), pixmap.Height(), 1, TopDown(grey, pixmap.Width()), quality);
}

} // namespace Tools
