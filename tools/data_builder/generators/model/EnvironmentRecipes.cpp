#include "tools/data_builder/generators/level/FieldLayout.h"
#include "tools/data_builder/generators/image/ImagePatterns.h"
#include "tools/data_builder/generators/model/VisualRecipe.h"

namespace Tools {

namespace {

// The scenery of one stage, below "data\environment\<name>\": a floor under
// the whole view, the three walls where the field file puts them, a
// backdrop beyond the far wall and a haze in front of it. The game's camera
// stands at (0, -140, 98) looking down the field towards +y.
struct Look {
    std::string name;
    Color grassLow;
    Color grassHigh;
    BrickSettings wall;
    Color skyLow;
    Color skyHigh;
    Color haze;
    std::uint64_t seed;
};

std::vector<Look> Looks()
{
    return {
        {"grove", {0.16f, 0.30f, 0.10f, 1.0f}, {0.34f, 0.52f, 0.20f, 1.0f},
         {.width = 128, .height = 64, .rows = 4, .columns = 4, .mortar = 2, .brick = {0.42f, 0.30f, 0.18f, 1.0f},
          .joint = {0.22f, 0.30f, 0.14f, 1.0f}, .variation = 0.12f, .seed = 31},
         {0.55f, 0.75f, 0.55f, 1.0f}, {0.45f, 0.65f, 0.95f, 1.0f}, {0.85f, 1.0f, 0.85f, 0.8f}, 41},
        {"citadel", {0.32f, 0.30f, 0.28f, 1.0f}, {0.50f, 0.48f, 0.45f, 1.0f},
         {.width = 128, .height = 64, .rows = 4, .columns = 2, .mortar = 3, .brick = {0.30f, 0.31f, 0.38f, 1.0f},
          .joint = {0.14f, 0.14f, 0.17f, 1.0f}, .variation = 0.15f, .seed = 37},
         {0.85f, 0.45f, 0.25f, 1.0f}, {0.20f, 0.12f, 0.35f, 1.0f}, {1.0f, 0.75f, 0.5f, 0.7f}, 43},
    };
}

std::string In(const Look& look, const std::string& file) { return "data\\environment\\" + look.name + "\\" + file; }

Pixmap Floor(const Look& look)
{
    return Noise({.width = 256, .height = 256, .seed = look.seed, .cells = 8, .octaves = 5}, look.grassLow,
                 look.grassHigh);
}

Pixmap Backdrop(const Look& look)
{
    const Pixmap sky = Gradient(256, 256, GradientShape::Vertical, look.skyLow, look.skyHigh);
    const Pixmap clouds = Noise({.width = 256, .height = 256, .seed = look.seed + 1, .cells = 4, .octaves = 4},
                                look.skyLow, Color{1.0f, 1.0f, 1.0f, 1.0f});
    return Mix(sky, clouds, 0.25f);
}

ShaderRecipe Tiled(const std::string& texture) { return {.diffuse = texture, .clamp = false}; }

ModelRecipe Solid(const std::string& path, const Point3& low, const Point3& high, float repeat,
                  const ShaderRecipe& shader)
{
    return {.path = path, .shape = ModelShape::Box, .low = low, .high = high, .repeat = repeat, .shader = shader};
}

std::vector<ModelRecipe> Scenery(const Look& look)
{
    const std::vector<FieldBox> walls = FieldWalls();
    const char* wallNames[] = {"left_wall.mlf", "right_wall.mlf", "far_wall.mlf"};
    std::vector<ModelRecipe> models = {
        Solid(In(look, "floor.mlf"), {-400.0f, -200.0f, -2.0f}, {400.0f, 360.0f, 0.0f}, 24.0f, Tiled("floor.tga")),
    };
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const auto corners = PlacedWall(walls[i]);
        models.push_back(Solid(In(look, wallNames[i]), corners[0], corners[1], 4.0f, Tiled("wall.tga")));
    }
    models.push_back(Solid(In(look, "backdrop.mlf"), {-600.0f, 380.0f, -40.0f}, {600.0f, 384.0f, 320.0f}, 1.0f,
                           {.diffuse = "backdrop.tga"}));
    models.push_back(Solid(In(look, "haze.mlf"), {-500.0f, 300.0f, 0.0f}, {500.0f, 301.0f, 80.0f}, 1.0f,
                           {.diffuse = "haze.tga", .opacity = "haze.tga", .blending = true}));
    return models;
}

} // namespace

std::vector<TextureRecipe> EnvironmentTextureRecipes()
{
    std::vector<TextureRecipe> textures;
    for (const Look& look : Looks()) {
        textures.push_back({In(look, "floor.tga"), [look] { return Floor(look); }, Pixmap::Alpha::Without});
        textures.push_back({In(look, "wall.tga"), [look] { return Bricks(look.wall); }, Pixmap::Alpha::Without});
        textures.push_back({In(look, "backdrop.tga"), [look] { return Backdrop(look); }, Pixmap::Alpha::Without});
        textures.push_back({In(look, "haze.tga"), [look] { return Glow(64, look.haze, 0.7f); }, Pixmap::Alpha::With});
    }
    return textures;
}

std::vector<ModelRecipe> EnvironmentModelRecipes()
{
    std::vector<ModelRecipe> models;
    for (const Look& look : Looks()) {
        const std::vector<ModelRecipe> scenery = Scenery(look);
        models.insert(models.end(), scenery.begin(), scenery.end());
    }
    return models;
}

} // namespace Tools
