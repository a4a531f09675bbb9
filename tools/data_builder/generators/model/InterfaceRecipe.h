#pragma once

#include "tools/ModelWriter.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"
#include "tools/data_builder/generators/image/PixmapDrawing.h"
#include "tools/data_builder/generators/model/VisualRecipe.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Tools {

class DataSet;

// The pictures, models and effects of the menus and the in-game display,
// below "data\ui\". Widgets lay a model's unit square (0 to 1 both ways)
// over their rectangle in the GUI's 800 x 600 units; a button shows its
// state as a frame of its model (normal, over, pressed, disabled; a check
// box eight: three unchecked, three checked, then disabled unchecked and
// checked), each frame the same square with the texture coordinates of
// its own cell of one picture.
inline constexpr const char* kInterfaceFolder = "data\\ui\\";

// Cells of equal size across a picture, numbered from the upper left along
// rows; the picture's row 0 is its bottom.
struct FrameGrid {
    std::uint32_t columns = 1;
    std::uint32_t rows = 1;
    std::uint32_t cellWidth = 64;
    std::uint32_t cellHeight = 64;

    std::uint32_t Width() const { return columns * cellWidth; }
    std::uint32_t Height() const { return rows * cellHeight; }
    // The cell's pixels, spanning the units a widget shows it at.
    DrawArea Cell(std::uint32_t frame, const Point& units) const;
};

// A picture shipped as a JPEG: its colours, or its alpha as the grey
// opacity picture the engine reads beside the colours.
struct JpegRecipe {
    std::string path{};
    std::function<Pixmap()> paint{};
    bool alpha = false;
};

// Every recipe of the interface, each list in a fixed order.
std::vector<TextureRecipe> InterfaceTextureRecipes();
std::vector<MeshModelRecipe> InterfaceModelRecipes();
std::vector<ParticleRecipe> InterfaceParticleRecipes();
std::vector<JpegRecipe> InterfaceJpegRecipes();

// A unit square with frameCount frames, frame k showing cell k of the grid
// (half a texel inside it, so neighbours never bleed in). Throws
// std::runtime_error when the grid has fewer cells than frames.
ModelFileData FramedSquare(const FrameGrid& grid, std::uint32_t frameCount);

// An animator: a speck whose frames carry it from the offset back to the
// origin, easing in, played at the given frames per second.
ModelFileData Slide(const Point& offset, std::uint32_t frameCount, float speed);

// The textures, then the models and effects that name them, then the JPEG
// pictures. A shader whose texture is not made ends the build with
// std::runtime_error naming it.
void GenerateInterface(DataSet& set);

} // namespace Tools
