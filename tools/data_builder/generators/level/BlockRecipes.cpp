#include "tools/data_builder/generators/image/BlockPictures.h"
#include "tools/data_builder/generators/image/ImagePatterns.h"
#include "tools/data_builder/generators/model/VisualRecipe.h"

namespace Tools {

namespace {

std::string Texture(const std::string& file) { return "data\\game_objects\\blocks\\textures\\" + file; }
std::string Effect(const std::string& file) { return "data\\game_objects\\blocks\\effects\\" + file; }

ParticleSystemDescription::Keys Keys(float a, float b, float c, float d, float e, float f)
{
    return {a, b, c, d, e, f};
}

// Common to the four: a short burst from the block's box (the game sets the
// box), played once.
ParticleSystemDescription Burst(std::uint32_t capacity, float duration, float rate)
{
    ParticleSystemDescription burst;
    burst.capacity = capacity;
    burst.duration = duration;
    burst.emission = Keys(rate, rate, rate, rate, rate, 0.0f);
    burst.emitterShape = 1;
    burst.floorHeight = 0.0f;
    burst.bounceFactor = 0.4f;
    return burst;
}

void Spread(ParticleSystemDescription& system, const ParticleSystemDescription::Vector& centre,
            const ParticleSystemDescription::Vector& spread)
{
    system.directionCentre.fill(centre);
    system.directionSpread.fill(spread);
}

ParticleSystemDescription Creation()
{
    ParticleSystemDescription creation = Burst(40, 0.4f, 80.0f);
    creation.gravityOn = false;
    creation.floorOn = false;
    creation.lifetimeCentre.fill(0.6f);
    creation.lifetimeSpread.fill(0.2f);
    Spread(creation, {0.0f, 0.0f, 1.0f}, {0.4f, 0.4f, 0.1f});
    creation.speedCentre = Keys(0.10f, 0.08f, 0.06f, 0.04f, 0.03f, 0.02f);
    creation.size = Keys(1.2f, 1.4f, 1.2f, 1.0f, 0.8f, 0.5f);
    creation.color = {std::array<float, 4>{0.8f, 0.9f, 1.0f, 0.0f}, {0.8f, 0.9f, 1.0f, 0.9f},
                      {0.7f, 0.85f, 1.0f, 0.8f},                    {0.6f, 0.8f, 1.0f, 0.6f},
                      {0.5f, 0.7f, 1.0f, 0.3f},                     {0.5f, 0.7f, 1.0f, 0.0f}};
    return creation;
}

ParticleSystemDescription Dust()
{
    ParticleSystemDescription dust = Burst(50, 0.25f, 160.0f);
    dust.gravity = 0.3f;
    dust.lifetimeCentre.fill(0.9f);
    dust.lifetimeSpread.fill(0.3f);
    Spread(dust, {0.0f, 0.0f, 0.6f}, {1.0f, 1.0f, 0.4f});
    dust.speedCentre = Keys(0.15f, 0.10f, 0.07f, 0.05f, 0.04f, 0.03f);
    dust.size = Keys(1.5f, 2.0f, 2.5f, 3.0f, 3.3f, 3.5f);
    dust.color = {std::array<float, 4>{0.75f, 0.68f, 0.55f, 0.8f}, {0.72f, 0.66f, 0.55f, 0.7f},
                  {0.70f, 0.64f, 0.55f, 0.55f},                    {0.68f, 0.62f, 0.55f, 0.4f},
                  {0.66f, 0.60f, 0.55f, 0.2f},                     {0.65f, 0.60f, 0.55f, 0.0f}};
    return dust;
}

ParticleSystemDescription Sparks()
{
    ParticleSystemDescription sparks = Burst(80, 0.3f, 240.0f);
    sparks.gravity = 0.5f;
    sparks.lifetimeCentre.fill(0.9f);
    sparks.lifetimeSpread.fill(0.3f);
    Spread(sparks, {0.0f, 0.0f, 0.8f}, {1.0f, 1.0f, 0.5f});
    sparks.speedCentre = Keys(0.35f, 0.30f, 0.25f, 0.20f, 0.15f, 0.10f);
    sparks.speedSpread.fill(0.1f);
    sparks.size = Keys(1.2f, 1.0f, 0.8f, 0.6f, 0.45f, 0.3f);
    sparks.color = {std::array<float, 4>{1.0f, 1.0f, 0.9f, 1.0f}, {1.0f, 0.95f, 0.6f, 1.0f},
                    {1.0f, 0.8f, 0.4f, 0.9f},                     {1.0f, 0.6f, 0.3f, 0.7f},
                    {0.9f, 0.4f, 0.2f, 0.4f},                     {0.8f, 0.3f, 0.2f, 0.0f}};
    return sparks;
}

ParticleSystemDescription Fire()
{
    ParticleSystemDescription fire = Burst(120, 0.4f, 300.0f);
    fire.gravityOn = false;
    fire.floorOn = false;
    fire.lifetimeCentre.fill(1.0f);
    fire.lifetimeSpread.fill(0.3f);
    Spread(fire, {0.0f, 0.0f, 0.5f}, {1.0f, 1.0f, 1.0f});
    fire.speedCentre = Keys(0.30f, 0.18f, 0.10f, 0.06f, 0.04f, 0.03f);
    fire.speedSpread.fill(0.08f);
    fire.size = Keys(2.0f, 3.0f, 4.0f, 4.8f, 5.4f, 6.0f);
    fire.color = {std::array<float, 4>{1.0f, 0.95f, 0.7f, 1.0f}, {1.0f, 0.75f, 0.3f, 0.95f},
                  {0.95f, 0.45f, 0.15f, 0.8f},                   {0.6f, 0.25f, 0.1f, 0.6f},
                  {0.3f, 0.25f, 0.22f, 0.35f},                   {0.2f, 0.2f, 0.2f, 0.0f}};
    return fire;
}

} // namespace

std::vector<TextureRecipe> BlockTextureRecipes()
{
    std::vector<TextureRecipe> textures = {
        {Texture("brick_simple.tga"),
         [] { return SimpleBrickPicture(3, Color{0.86f, 0.40f, 0.08f, 1.0f}, Color{1.0f, 0.66f, 0.22f, 1.0f}); }},
        {Texture("brick_simple_blue.tga"),
         [] { return SimpleBrickPicture(5, Color{0.08f, 0.26f, 0.78f, 1.0f}, Color{0.30f, 0.56f, 1.0f, 1.0f}); }},
        {Texture("brick_steel.tga"), SteelBrickPicture},
        {Texture("brick_explosive.tga"), ExplosiveBrickPicture},
        {Texture("brick_ghost.tga"), GhostBrickPicture, Pixmap::Alpha::With},
        {Texture("keeper_simple.tga"), [] { return CagePicture(Color{0.20f, 0.85f, 0.35f, 1.0f}); },
         Pixmap::Alpha::With},
        {Texture("keeper_super.tga"), [] { return CagePicture(Color{1.0f, 1.0f, 0.35f, 1.0f}); },
         Pixmap::Alpha::With},
    };
    for (std::uint32_t frame = 0; frame < 3; ++frame)
        textures.push_back(
            {Texture("brick_hard_" + std::to_string(frame) + ".tga"), [frame] { return HardBrickPicture(frame); }});
    textures.push_back({Effect("glint.tga"), [] { return Glow(32, Color{0.9f, 0.95f, 1.0f, 1.0f}, 2.0f); },
                        Pixmap::Alpha::With});
    textures.push_back({Effect("dust.tga"), [] { return Glow(32, Color{1.0f, 1.0f, 1.0f, 0.8f}, 1.2f); },
                        Pixmap::Alpha::With});
    textures.push_back({Effect("spark.tga"), [] { return Glow(32, Color{1.0f, 1.0f, 1.0f, 1.0f}, 3.0f); },
                        Pixmap::Alpha::With});
    textures.push_back({Effect("flame.tga"), [] { return Glow(64, Color{1.0f, 0.9f, 0.7f, 1.0f}, 1.5f); },
                        Pixmap::Alpha::With});
    return textures;
}

std::vector<ParticleRecipe> BlockParticleRecipes()
{
    return {
        {Effect("creation.psf"), Creation(), Translucent("glint.tga")},
        {Effect("destruction_simple.psf"), Dust(), Translucent("dust.tga")},
        {Effect("destruction_super.psf"), Sparks(), Translucent("spark.tga")},
        {Effect("explosive_destruction.psf"), Fire(), Translucent("flame.tga")},
    };
}

} // namespace Tools
