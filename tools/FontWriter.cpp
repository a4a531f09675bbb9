#include "tools/FontWriter.h"

#include "tools/ByteWriter.h"

namespace Tools {

std::vector<std::uint8_t> BuildFontFile(const std::vector<FontGlyph>& glyphs, std::uint32_t version)
{
    ByteWriter out;
    out.Header("HVFNT", version);
    out.UInt(static_cast<std::uint32_t>(glyphs.size()));
    for (const FontGlyph& glyph : glyphs) {
        out.UShort(glyph.character);
        out.Float(glyph.u);
        out.Float(glyph.v);
        out.Float(glyph.uSize);
        out.Float(glyph.vSize);
        out.Float(glyph.width);
    }
    return out.Finish();
}

} // namespace Tools
