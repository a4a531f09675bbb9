#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/image/InterfaceMapPictures.h"
#include "tools/data_builder/generators/model/InterfaceRecipe.h"
#include "tools/data_builder/generators/image/PixmapFiles.h"
#include "tools/data_builder/generators/model/VisualGenerator.h"

#include <stdexcept>
#include <vector>

namespace Tools {

namespace {

constexpr Float3 kFacing{0.0f, 0.0f, 1.0f};
// Half the side of the speck that carries an animator: small enough never
// to move its box's centre off the point.
constexpr float kSpeck = 0.5f;

} // namespace

DrawArea FrameGrid::Cell(std::uint32_t frame, const Point& units) const
{
    const std::uint32_t column = frame % columns;
    const std::uint32_t row = frame / columns;
    return {column * cellWidth, (rows - 1 - row) * cellHeight, cellWidth, cellHeight, units};
}

// Frame-major vertices of one square; the texture's v runs up the picture
// from its bottom row, as the engine keeps pictures.
ModelFileData FramedSquare(const FrameGrid& grid, std::uint32_t frameCount)
{
    if (frameCount == 0 || frameCount > grid.columns * grid.rows)
        throw std::runtime_error(std::to_string(frameCount) + " frames in a grid of " +
                                 std::to_string(grid.columns * grid.rows) + " cells");
    ModelFileData data;
    data.flags = kModelVertexAnimated | kModelTriangleList;
    data.frameCount = frameCount;
    data.vertexCount = 4;
    data.indices = {0, 1, 2, 2, 3, 0};
    const auto width = static_cast<float>(grid.Width());
    const auto height = static_cast<float>(grid.Height());
    for (std::uint32_t frame = 0; frame < frameCount; ++frame) {
        const DrawArea cell = grid.Cell(frame, {1.0f, 1.0f});
        const float u0 = (static_cast<float>(cell.x) + 0.5f) / width;
        const float u1 = (static_cast<float>(cell.x + cell.width) - 0.5f) / width;
        const float v0 = (static_cast<float>(cell.y) + 0.5f) / height;
        const float v1 = (static_cast<float>(cell.y + cell.height) - 0.5f) / height;
        data.vertices.push_back({{0.0f, 0.0f, 0.0f}, kFacing, u0, v0});
        data.vertices.push_back({{1.0f, 0.0f, 0.0f}, kFacing, u1, v0});
        data.vertices.push_back({{1.0f, 1.0f, 0.0f}, kFacing, u1, v1});
        data.vertices.push_back({{0.0f, 1.0f, 0.0f}, kFacing, u0, v1});
        data.bounds.push_back({{0.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 0.0f}});
    }
    return data;
}

ModelFileData Slide(const Point& offset, std::uint32_t frameCount, float speed)
{
    if (frameCount < 2)
        throw std::runtime_error("a slide needs two frames at least");
    ModelFileData data;
    data.flags = kModelVertexAnimated | kModelTriangleList;
    data.frameCount = frameCount;
    data.speed = speed;
    data.vertexCount = 3;
    data.indices = {0, 1, 2};
    for (std::uint32_t frame = 0; frame < frameCount; ++frame) {
        const float t = static_cast<float>(frame) / static_cast<float>(frameCount - 1);
        const float left = (1.0f - t) * (1.0f - t);
        const float x = offset[0] * left;
        const float y = offset[1] * left;
        data.vertices.push_back({{x - kSpeck, y - kSpeck, 0.0f}, kFacing, 0.0f, 0.0f});
        data.vertices.push_back({{x + kSpeck, y - kSpeck, 0.0f}, kFacing, 1.0f, 0.0f});
        data.vertices.push_back({{x, y + kSpeck, 0.0f}, kFacing, 0.5f, 1.0f});
        data.bounds.push_back({{x - kSpeck, y - kSpeck, 0.0f}, {x + kSpeck, y + kSpeck, 0.0f}});
    }
    return data;
}

void GenerateInterface(DataSet& set)
{
    for (const TextureRecipe& recipe : Joined(InterfaceTextureRecipes(), MapTextureRecipes()))
        AddTexture(set, recipe);
    for (const MeshModelRecipe& recipe : Joined(InterfaceModelRecipes(), MapModelRecipes()))
        AddMeshModel(set, recipe);
    for (const ParticleRecipe& recipe : InterfaceParticleRecipes())
        AddParticleSystemWithShader(set, recipe);
    for (const JpegRecipe& recipe : InterfaceJpegRecipes()) {
        const Pixmap picture = recipe.paint();
        set.Add(recipe.path, recipe.alpha ? PixmapAlphaToJpeg(picture) : PixmapToJpeg(picture, 92));
    }
}

} // namespace Tools
