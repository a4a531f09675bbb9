#pragma once

#include "tools/ParticleWriter.h"
#include "tools/data_builder/generators/image/Pixmap.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Tools {

// How the pictures, models and particle systems of the default data set are
// made. Paths are data paths ("data\ui\background\sky.mlf"); a model or a
// particle system gets its shader file beside it, of the same stem with
// ".srf", and names its textures by file name, beside the shader too.

// A texture: a picture painted from the image patterns.
struct TextureRecipe {
    std::string path{};
    std::function<Pixmap()> paint{};
    Pixmap::Alpha alpha = Pixmap::Alpha::Without;
};

// The one texture stage of a shader file. An opacity name equal to the
// diffuse one takes the opacity from the diffuse picture's alpha.
struct ShaderRecipe {
    std::string diffuse{};
    std::string opacity{};
    bool blending = false;
    // A grid of frames played at the speed, in frames per second; one cell
    // is a still picture.
    std::uint32_t columns = 1;
    std::uint32_t rows = 1;
    float speed = 0.0f;
    // Clamped at the edges rather than repeated.
    bool clamp = true;
};

// The picture's alpha is its opacity, blended over what lies behind.
ShaderRecipe Translucent(const std::string& texture);

enum class ModelShape {
    // A textured rectangle in the plane z = 0 from min to max, the picture
    // upright over it.
    Quad,
    // A textured square of the side, centred on the origin and facing +z,
    // the way the GUI's camera and every layer over the field look at it.
    Sprite,
    // Never drawn: a speck whose frames pass through the points in turn and
    // back to the first, so that the centre of its box moves along a closed
    // path; an animator model.
    Path,
    // A solid box from low to high, facing outwards, the picture repeated
    // the given number of times across every face; shown, lit and
    // depth-tested as read (kModelSolidRenderFlags).
    Box,
};

using Point2 = std::array<float, 2>;
using Point3 = std::array<float, 3>;

struct ModelRecipe {
    std::string path{};
    ModelShape shape = ModelShape::Quad;
    Point2 min{0.0f, 0.0f};
    Point2 max{1.0f, 1.0f};
    float side = 1.0f;
    std::vector<Point2> points{};
    // Frames per second along the path.
    float speed = 1.0f;
    Point3 low{0.0f, 0.0f, 0.0f};
    Point3 high{1.0f, 1.0f, 1.0f};
    float repeat = 1.0f;
    ShaderRecipe shader{};
};

// A particle system: its description is written as given; whether it loops
// is the game's choice (the menu's sparks loop, a block's effects play once).
struct ParticleRecipe {
    std::string path{};
    ParticleSystemDescription description{};
    ShaderRecipe shader{};
};

// Keys running evenly from one value to the other over a particle's life.
ParticleSystemDescription::Keys Ramp(float from, float to);

// The first list with the second after it.
template <typename Recipe>
std::vector<Recipe> Joined(std::vector<Recipe> first, const std::vector<Recipe>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The game's recipes, each list in a fixed order.
std::vector<TextureRecipe> GameTextureRecipes();
std::vector<ModelRecipe> GameModelRecipes();
std::vector<ParticleRecipe> GameParticleRecipes();

// Their parts: the stages' scenery ("data\environment\<stage>\"), the
// blocks' textures ("data\game_objects\blocks\textures\") and the
// blocks' effects ("data\game_objects\blocks\effects\"); the level's
// other objects bring theirs (ObjectRecipe.h).
std::vector<TextureRecipe> EnvironmentTextureRecipes();
std::vector<ModelRecipe> EnvironmentModelRecipes();
std::vector<TextureRecipe> BlockTextureRecipes();
std::vector<ParticleRecipe> BlockParticleRecipes();

} // namespace Tools
