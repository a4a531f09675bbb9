#include "tools/data_builder/generators/image/ImagePatterns.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"
#include "tools/data_builder/generators/model/VisualRecipe.h"

namespace Tools {

namespace {

// The menus' background, in the GUI's 800 x 600 units: a night sky over the
// whole screen, a glow drifting round the middle and sparks trailing it.
constexpr const char* kBackground = "data\\ui\\background\\";

std::string Background(const std::string& name) { return kBackground + name; }

Pixmap Sky()
{
    const Color low{0.05f, 0.04f, 0.16f, 1.0f};
    const Color high{0.16f, 0.10f, 0.30f, 1.0f};
    const Pixmap gradient = Gradient(256, 256, GradientShape::Vertical, low, high);
    const Pixmap clouds = Noise({.width = 256, .height = 256, .seed = 19, .cells = 4, .octaves = 5}, low,
                                Color{0.30f, 0.22f, 0.45f, 1.0f});
    return Mix(gradient, clouds, 0.35f);
}

std::vector<TextureRecipe> BackgroundTextures()
{
    return {
        {Background("sky.tga"), Sky, Pixmap::Alpha::Without},
        {Background("glow.tga"), [] { return Glow(64, Color{1.0f, 0.85f, 0.55f, 1.0f}, 2.0f); },
         Pixmap::Alpha::With},
        {Background("spark.tga"), [] { return Glow(32, Color{1.0f, 1.0f, 1.0f, 1.0f}, 3.0f); }, Pixmap::Alpha::With},
        {Background("ember.tga"), [] { return Glow(32, Color{1.0f, 0.55f, 0.2f, 1.0f}, 2.5f); },
         Pixmap::Alpha::With},
    };
}

ShaderRecipe Picture(const std::string& texture) { return {.diffuse = texture}; }

std::vector<ModelRecipe> BackgroundModels()
{
    return {
        {.path = Background("sky.mlf"), .shape = ModelShape::Quad, .min = {0.0f, 0.0f}, .max = {800.0f, 600.0f},
         .shader = Picture("sky.tga")},
        {.path = Background("glow.mlf"), .shape = ModelShape::Sprite, .side = 220.0f,
         .shader = Translucent("glow.tga")},
        // Round the middle of the screen once every 8 seconds at speed 1.
        {.path = Background("drift.mlf"), .shape = ModelShape::Path,
         .points = {{400.0f, 420.0f}, {560.0f, 360.0f}, {520.0f, 230.0f}, {400.0f, 190.0f}, {260.0f, 240.0f},
                    {230.0f, 350.0f}, {300.0f, 410.0f}, {360.0f, 425.0f}},
         .speed = 1.0f},
    };
}

// Sparks rising from a point and fading as they go; nothing falls or
// bounces in the GUI's plane.
ParticleSystemDescription Sparks()
{
    ParticleSystemDescription sparks;
    sparks.capacity = 160;
    sparks.duration = 2.0f;
    sparks.gravityOn = false;
    sparks.floorOn = false;
    sparks.emission = {40.0f, 40.0f, 40.0f, 40.0f, 40.0f, 40.0f};
    sparks.lifetimeCentre = {2.5f, 2.5f, 2.5f, 2.5f, 2.5f, 2.5f};
    sparks.lifetimeSpread = {0.8f, 0.8f, 0.8f, 0.8f, 0.8f, 0.8f};
    for (auto& key : sparks.directionCentre)
        key = {0.0f, 1.0f, 0.0f};
    for (auto& key : sparks.directionSpread)
        key = {0.8f, 0.3f, 0.0f};
    sparks.color = {std::array<float, 4>{1.0f, 0.9f, 0.6f, 0.0f}, {1.0f, 0.85f, 0.5f, 1.0f},
                    {1.0f, 0.7f, 0.4f, 0.9f},                    {1.0f, 0.6f, 0.3f, 0.6f},
                    {0.9f, 0.5f, 0.3f, 0.3f},                    {0.8f, 0.4f, 0.3f, 0.0f}};
    sparks.size = {7.0f, 6.0f, 5.0f, 4.0f, 3.0f, 2.0f};
    sparks.speedCentre = {0.6f, 0.5f, 0.4f, 0.35f, 0.3f, 0.25f};
    sparks.speedSpread = {0.2f, 0.2f, 0.2f, 0.2f, 0.2f, 0.2f};
    return sparks;
}

} // namespace

ShaderRecipe Translucent(const std::string& texture)
{
    return {.diffuse = texture, .opacity = texture, .blending = true};
}

ParticleSystemDescription::Keys Ramp(float from, float to)
{
    ParticleSystemDescription::Keys keys{};
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = from + (to - from) * static_cast<float>(i) / 5.0f;
    return keys;
}

std::vector<TextureRecipe> GameTextureRecipes()
{
    return Joined(Joined(Joined(BackgroundTextures(), EnvironmentTextureRecipes()), BlockTextureRecipes()),
                  ObjectTextureRecipes());
}

std::vector<ModelRecipe> GameModelRecipes() { return Joined(BackgroundModels(), EnvironmentModelRecipes()); }

std::vector<ParticleRecipe> GameParticleRecipes()
{
    return Joined(Joined(std::vector<ParticleRecipe>{{Background("sparks.psf"), Sparks(), Translucent("spark.tga")}},
                         BlockParticleRecipes()),
                  ObjectParticleRecipes());
}

} // namespace Tools
