#include "tools/data_builder/generators/font/FontGenerator.h"

#include "tools/FontWriter.h"
#include "tools/ImageWriter.h"
#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/font/FontAtlas.h"
#include "tools/data_builder/generators/font/FontCharacters.h"
#include "tools/data_builder/generators/font/GlyphRasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace Tools {

namespace {

constexpr std::size_t kLongestRun = 128;
constexpr std::uint8_t kRunPacket = 0x80;
constexpr std::uint8_t kGreyRunLength = 11;
constexpr std::uint8_t kColorRunLength = 10;

// TGA run-length packets: a run of one repeated pixel, or up to 128 pixels
// given as they are.
class RunLengthEncoder {
public:
    RunLengthEncoder(const std::vector<std::uint8_t>& pixels, std::size_t pixelBytes)
        : pixels_(pixels), pixelBytes_(pixelBytes), count_(pixels.size() / pixelBytes)
    {
    }

    std::vector<std::uint8_t> Encode()
    {
        std::size_t at = 0;
        while (at < count_) {
            const std::size_t run = RunAt(at);
            if (run > 1) {
                out_.push_back(static_cast<std::uint8_t>(kRunPacket | (run - 1)));
                Append(at, 1);
                at += run;
                continue;
            }
            std::size_t raw = 1;
            while (at + raw < count_ && raw < kLongestRun && RunAt(at + raw) == 1)
                ++raw;
            out_.push_back(static_cast<std::uint8_t>(raw - 1));
            Append(at, raw);
            at += raw;
        }
        return std::move(out_);
    }

private:
    bool Same(std::size_t a, std::size_t b) const
    {
        return std::memcmp(&pixels_[a * pixelBytes_], &pixels_[b * pixelBytes_], pixelBytes_) == 0;
    }

    std::size_t RunAt(std::size_t at) const
    {
        std::size_t run = 1;
        while (at + run < count_ && run < kLongestRun && Same(at, at + run))
            ++run;
        return run;
    }

    void Append(std::size_t at, std::size_t count)
    {
        const auto first = pixels_.begin() + static_cast<std::ptrdiff_t>(at * pixelBytes_);
        out_.insert(out_.end(), first, first + static_cast<std::ptrdiff_t>(count * pixelBytes_));
    }

    const std::vector<std::uint8_t>& pixels_;
    std::size_t pixelBytes_;
    std::size_t count_;
    std::vector<std::uint8_t> out_;
};

// Rows bottom first, as the atlas keeps them and a TGA without the top-left
// flag stores them.
std::vector<std::uint8_t> RunLengthTga(const FontAtlas& atlas, std::uint8_t depth, std::vector<std::uint8_t> pixels)
{
    TgaHeader header;
    header.imageType = depth == 8 ? kGreyRunLength : kColorRunLength;
    header.width = static_cast<std::uint16_t>(atlas.Width());
    header.height = static_cast<std::uint16_t>(atlas.Height());
    header.depth = depth;
    const std::string file = TgaFile(header, RunLengthEncoder(pixels, depth / 8).Encode());
    return {file.begin(), file.end()};
}

std::uint8_t Channel(float value)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

std::vector<std::uint8_t> DiffuseImage(const FontAtlas& atlas, const Color& color)
{
    const std::uint8_t bgr[] = {Channel(color.b), Channel(color.g), Channel(color.r)};
    std::vector<std::uint8_t> pixels;
    pixels.reserve(static_cast<std::size_t>(atlas.Width()) * atlas.Height() * 3);
    for (std::size_t pixel = 0; pixel < static_cast<std::size_t>(atlas.Width()) * atlas.Height(); ++pixel)
        pixels.insert(pixels.end(), bgr, bgr + 3);
    return RunLengthTga(atlas, 24, std::move(pixels));
}

std::vector<std::uint8_t> OpacityImage(const FontAtlas& atlas, const std::vector<RasterGlyph>& glyphs,
                                       std::uint32_t cellHeight)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(atlas.Width()) * atlas.Height(), 0);
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const FontAtlas::Cell& cell = atlas.Cells()[index];
        const RasterGlyph& glyph = glyphs[index];
        for (std::uint32_t row = 0; row < cellHeight; ++row) {
            const auto in = glyph.coverage.begin() + static_cast<std::ptrdiff_t>(row) * glyph.advance;
            std::copy(in, in + glyph.advance,
                      pixels.begin() + static_cast<std::ptrdiff_t>((cell.y + row) * atlas.Width() + cell.x));
        }
    }
    return RunLengthTga(atlas, 8, std::move(pixels));
}

std::vector<FontGlyph> GlyphRecords(const FontAtlas& atlas, const std::vector<RasterGlyph>& glyphs,
                                    std::uint32_t cellHeight)
{
    const float width = static_cast<float>(atlas.Width());
    const float height = static_cast<float>(atlas.Height());
    std::vector<FontGlyph> records;
    for (std::size_t index = 0; index < glyphs.size(); ++index) {
        const FontAtlas::Cell& cell = atlas.Cells()[index];
        FontGlyph record;
        record.character = static_cast<std::uint16_t>(glyphs[index].character);
        record.u = static_cast<float>(cell.x) / width;
        record.v = static_cast<float>(cell.y) / height;
        record.uSize = static_cast<float>(glyphs[index].advance) / width;
        record.vSize = static_cast<float>(cellHeight) / height;
        record.width = static_cast<float>(glyphs[index].advance) / static_cast<float>(cellHeight);
        records.push_back(record);
    }
    return records;
}

std::string DiffuseName(const FontRecipe& recipe, std::size_t index)
{
    if (recipe.colors.size() == 1)
        return recipe.name + "_diffuse.tga";
    return recipe.name + "_" + std::to_string(index) + "_diffuse.tga";
}

} // namespace

std::vector<std::string> FontLanguages()
{
    return {"en", "ru"};
}

std::map<std::string, std::vector<std::uint8_t>> BuildFont(const FontRecipe& recipe, const std::string& faceFolder)
{
    if (recipe.colors.empty())
        throw std::runtime_error("Font \"" + recipe.name + "\" has no colour");
    const GlyphRasterizer rasterizer(faceFolder + "/" + recipe.face, recipe.pixelSize);
    std::vector<RasterGlyph> glyphs;
    std::vector<std::uint32_t> widths;
    for (const char16_t character : FontCharacters()) {
        glyphs.push_back(rasterizer.Render(character));
        widths.push_back(glyphs.back().advance);
    }
    const std::uint32_t cellHeight = rasterizer.LineHeight();
    const std::optional<FontAtlas> atlas = FontAtlas::Pack(widths, cellHeight);
    if (!atlas)
        throw std::runtime_error("Font \"" + recipe.name + "\" does not fit a texture of the largest size");
    std::map<std::string, std::vector<std::uint8_t>> files;
    files[recipe.name + ".fnt"] = BuildFontFile(GlyphRecords(*atlas, glyphs, cellHeight));
    files[recipe.name + "_opacity.tga"] = OpacityImage(*atlas, glyphs, cellHeight);
    for (std::size_t index = 0; index < recipe.colors.size(); ++index)
        files[DiffuseName(recipe, index)] = DiffuseImage(*atlas, recipe.colors[index]);
    return files;
}

void GenerateFonts(DataSet& set)
{
    for (const FontRecipe& recipe : GameFontRecipes()) {
        const auto files = BuildFont(recipe, DefaultFaceFolder());
        for (const std::string& language : FontLanguages()) {
            for (const auto& [name, bytes] : files)
                set.Add("data\\ui\\fonts\\" + language + "\\" + name, bytes);
        }
    }
}

} // namespace Tools
