#include "tools/data_builder/generators/model/ObjectRecipe.h"

namespace Tools {

namespace {

using Rgba = std::array<float, 4>;

// One colour fading out over a particle's life.
std::array<Rgba, 6> Fading(float r, float g, float b, float alpha)
{
    std::array<Rgba, 6> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = {r, g, b, alpha * (1.0f - static_cast<float>(i) / 5.0f)};
    return keys;
}

// A trail left behind a moving emitter: the game loops it and moves the
// emitter; the particles drift a little and fade where they were left.
ParticleSystemDescription Trail(std::uint32_t capacity, float rate, float lifetime, float size)
{
    ParticleSystemDescription trail;
    trail.capacity = capacity;
    trail.duration = 1.0f;
    trail.gravityOn = false;
    trail.floorOn = false;
    trail.emission.fill(rate);
    trail.lifetimeCentre.fill(lifetime);
    trail.lifetimeSpread.fill(lifetime * 0.2f);
    trail.directionCentre.fill({0.0f, 0.0f, 1.0f});
    trail.directionSpread.fill({1.0f, 1.0f, 0.5f});
    trail.speedCentre.fill(0.01f);
    trail.speedSpread.fill(0.01f);
    trail.size = Ramp(size, size * 0.2f);
    return trail;
}

// A burst from one point, played once: the rate runs for the duration and
// stops at the last key.
ParticleSystemDescription Burst(std::uint32_t capacity, float duration, float rate, float lifetime, float speed)
{
    ParticleSystemDescription burst;
    burst.capacity = capacity;
    burst.duration = duration;
    burst.emission = {rate, rate, rate, rate, rate, 0.0f};
    burst.lifetimeCentre.fill(lifetime);
    burst.lifetimeSpread.fill(lifetime * 0.3f);
    burst.directionCentre.fill({0.0f, 0.0f, 0.5f});
    burst.directionSpread.fill({1.0f, 1.0f, 0.5f});
    burst.speedCentre = Ramp(speed, speed * 0.3f);
    burst.speedSpread.fill(speed * 0.3f);
    burst.floorHeight = 0.0f;
    burst.bounceFactor = 0.4f;
    return burst;
}

ParticleRecipe BallTrail(const std::string& kind, float size, const Rgba& color)
{
    ParticleSystemDescription trail = Trail(60, 50.0f, 0.5f, size);
    trail.color = Fading(color[0], color[1], color[2], color[3]);
    return {ObjectPath("balls\\" + kind + "\\train.psf"), trail, Translucent("spark.tga")};
}

ParticleRecipe BallHit(const std::string& kind, const Rgba& color)
{
    ParticleSystemDescription hit = Burst(16, 0.08f, 150.0f, 0.3f, 0.2f);
    hit.gravityOn = false;
    hit.directionCentre.fill({0.0f, 0.0f, 0.0f});
    hit.directionSpread.fill({1.0f, 1.0f, 0.6f});
    hit.size = Ramp(1.2f, 0.3f);
    hit.color = Fading(color[0], color[1], color[2], color[3]);
    return {ObjectPath("balls\\" + kind + "\\hit.psf"), hit, Translucent("spark.tga")};
}

ParticleRecipe BatDestruction()
{
    ParticleSystemDescription blast = Burst(150, 0.4f, 300.0f, 1.2f, 0.3f);
    blast.gravity = 0.4f;
    blast.size = {2.0f, 3.0f, 3.8f, 4.4f, 4.8f, 5.0f};
    blast.color = {Rgba{1.0f, 0.95f, 0.7f, 1.0f}, {1.0f, 0.7f, 0.3f, 0.9f}, {0.9f, 0.4f, 0.15f, 0.7f},
                   {0.45f, 0.3f, 0.25f, 0.5f},    {0.3f, 0.28f, 0.27f, 0.3f}, {0.25f, 0.25f, 0.25f, 0.0f}};
    return {ObjectPath("bat\\destruction.psf"), blast, Translucent("flame.tga")};
}

std::vector<ParticleRecipe> BonusParticles()
{
    ParticleSystemDescription catchBurst = Burst(60, 0.2f, 300.0f, 0.6f, 0.15f);
    catchBurst.gravityOn = false;
    catchBurst.floorOn = false;
    catchBurst.directionCentre.fill({0.0f, 0.0f, 1.0f});
    catchBurst.size = Ramp(1.5f, 0.4f);
    catchBurst.color = Fading(1.0f, 0.95f, 0.6f, 1.0f);
    // A ring spreading over the field where the end-of-level hammer drops.
    ParticleSystemDescription ring = Burst(120, 0.5f, 240.0f, 1.0f, 0.4f);
    ring.gravityOn = false;
    ring.floorOn = false;
    ring.directionCentre.fill({0.0f, 0.0f, 0.0f});
    ring.directionSpread.fill({1.0f, 1.0f, 0.15f});
    ring.size = Ramp(3.0f, 1.0f);
    ring.color = Fading(1.0f, 0.9f, 0.4f, 1.0f);
    return {
        {ObjectPath("bonuses\\catch.psf"), catchBurst, Translucent("sparkle.tga")},
        {ObjectPath("bonuses\\end_level_creation.psf"), ring, Translucent("sparkle.tga")},
    };
}

std::vector<ParticleRecipe> BoltParticles(const std::string& kind, float size)
{
    const std::string folder = "guns\\" + kind + "\\";
    ParticleSystemDescription trail = Trail(40, 60.0f, 0.3f, size);
    trail.color = Fading(1.0f, 0.95f, 0.85f, 0.7f);
    ParticleSystemDescription splinters = Burst(30, 0.1f, 300.0f, 0.5f, 0.25f);
    splinters.gravity = 0.6f;
    splinters.size = Ramp(size, size * 0.4f);
    splinters.color = Fading(0.8f, 0.6f, 0.35f, 1.0f);
    return {
        {ObjectPath(folder + "bullet_train.psf"), trail, Translucent("spark.tga")},
        {ObjectPath(folder + "bullet_destruction.psf"), splinters, Translucent("spark.tga")},
    };
}

} // namespace

std::vector<ParticleRecipe> ObjectParticleRecipes()
{
    std::vector<ParticleRecipe> recipes = {
        BatDestruction(),
        BallTrail("simple", 2.0f, {0.7f, 0.85f, 1.0f, 0.6f}),
        BallTrail("super", 2.8f, {1.0f, 0.6f, 0.2f, 0.8f}),
        BallHit("simple", {0.85f, 0.95f, 1.0f, 1.0f}),
        BallHit("super", {1.0f, 0.75f, 0.3f, 1.0f}),
    };
    for (const std::vector<ParticleRecipe>& more :
         {BonusParticles(), BoltParticles("arbalet", 1.0f), BoltParticles("ballista", 1.5f)})
        recipes.insert(recipes.end(), more.begin(), more.end());
    return recipes;
}

} // namespace Tools
