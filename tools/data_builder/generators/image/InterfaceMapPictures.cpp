#include "tools/data_builder/generators/image/InterfaceMapPictures.h"

#include <array>
#include <cmath>

namespace Tools {

namespace {

constexpr float kCell = 64.0f;
constexpr Point kCentre{kCell * 0.5f, kCell * 0.5f};
constexpr std::uint32_t kShadowFrame = 5;
// The model file's flag that gives a model vertex colours.
constexpr std::uint32_t kModelColored = 0x20;

struct MarkLook {
    Color body;
    Color rim;
};

// Not yet passed, passed, highlighted, chosen, out of reach.
constexpr std::array<MarkLook, 5> kLooks = {{
    {{0.62f, 0.60f, 0.70f, 1.0f}, {0.90f, 0.88f, 0.96f, 1.0f}},
    {{0.93f, 0.74f, 0.36f, 1.0f}, {1.0f, 0.92f, 0.66f, 1.0f}},
    {{1.0f, 0.95f, 0.70f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}},
    {{0.40f, 0.86f, 0.46f, 1.0f}, {0.90f, 1.0f, 0.80f, 1.0f}},
    {{0.30f, 0.28f, 0.36f, 0.75f}, {0.50f, 0.48f, 0.56f, 0.75f}},
}};

Shape Star(const Point& centre, float outer, float inner)
{
    std::vector<Point> corners;
    for (int i = 0; i < 10; ++i) {
        const float angle = 1.5707963f + static_cast<float>(i) * 0.62831853f;
        const float radius = (i % 2) == 0 ? outer : inner;
        corners.push_back({centre[0] + radius * std::cos(angle), centre[1] + radius * std::sin(angle)});
    }
    return Polygon(corners);
}

Shape MarkShape(MapMark mark)
{
    switch (mark) {
    case MapMark::Start:
        return Circle(kCentre, 26.0f);
    case MapMark::Finish:
        return Star(kCentre, 29.0f, 13.0f);
    case MapMark::CheckPoint:
        return Polygon({{32.0f, 4.0f}, {60.0f, 32.0f}, {32.0f, 60.0f}, {4.0f, 32.0f}});
    case MapMark::Path:
        break;
    }
    return Circle(kCentre, 22.0f);
}

const char* MarkName(MapMark mark)
{
    switch (mark) {
    case MapMark::Start:
        return "map_start";
    case MapMark::Finish:
        return "map_finish";
    case MapMark::CheckPoint:
        return "map_check_point";
    case MapMark::Path:
        break;
    }
    return "map_path";
}

constexpr std::array<MapMark, 4> kMarks = {MapMark::Start, MapMark::Finish, MapMark::CheckPoint, MapMark::Path};

} // namespace

FrameGrid MapMarkGrid() { return {4, 2, 64, 64}; }

Pixmap MapMarkPicture(MapMark mark)
{
    const FrameGrid grid = MapMarkGrid();
    Pixmap picture(grid.Width(), grid.Height(), Color{0.0f, 0.0f, 0.0f, 0.0f});
    const Shape shape = MarkShape(mark);
    for (std::uint32_t frame = 0; frame < kShadowFrame; ++frame) {
        const DrawArea area = grid.Cell(frame, {kCell, kCell});
        Fill(picture, area, shape, Solid(kLooks[frame].body));
        Fill(picture, area, Outline(shape, 2.5f), Solid(kLooks[frame].rim));
    }
    Fill(picture, grid.Cell(kShadowFrame, {kCell, kCell}), shape, Solid(Color{0.0f, 0.0f, 0.0f, 0.45f}));
    return picture;
}

std::vector<TextureRecipe> MapTextureRecipes()
{
    std::vector<TextureRecipe> recipes;
    for (const MapMark mark : kMarks)
        recipes.push_back({std::string(kInterfaceFolder) + "models\\" + MarkName(mark) + ".tga",
                           [mark] { return MapMarkPicture(mark); }, Pixmap::Alpha::With});
    return recipes;
}

std::vector<MeshModelRecipe> MapModelRecipes()
{
    std::vector<MeshModelRecipe> recipes;
    for (const MapMark mark : kMarks) {
        const std::string name = MarkName(mark);
        recipes.push_back({std::string(kInterfaceFolder) + "models\\" + name + ".mlf",
                           [] {
                               ModelFileData model = FramedSquare(MapMarkGrid(), kMapMarkFrames);
                               model.flags |= kModelColored;
                               return model;
                           },
                           Translucent(name + ".tga")});
    }
    return recipes;
}

} // namespace Tools
