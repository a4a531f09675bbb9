#include "tools/data_builder/generators/model/BonusSigns.h"
#include "tools/data_builder/generators/image/ImagePatterns.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

#include <cmath>

namespace Tools {

namespace {

// Pictures side by side across one texture: each part is painted at the
// whole size and shows from the end of the one before up to its own end, a
// fraction of the width; the models' faces pick the parts by u.
struct Part {
    float end;
    Pixmap picture;
};

Pixmap Beside(const std::vector<Part>& parts)
{
    Pixmap result = parts.at(0).picture;
    std::size_t part = 0;
    for (std::uint32_t x = 0; x < result.Width(); ++x) {
        const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(result.Width());
        while (part + 1 < parts.size() && u > parts[part].end)
            ++part;
        for (std::uint32_t y = 0; y < result.Height(); ++y)
            result.At(x, y) = parts[part].picture.At(x, y);
    }
    return result;
}

Pixmap Grain(std::uint32_t width, std::uint32_t height, std::uint64_t seed, const Color& low, const Color& high)
{
    return Noise({.width = width, .height = height, .seed = seed, .cells = 4, .octaves = 4}, low, high);
}

Pixmap Wood(std::uint32_t width, std::uint32_t height, std::uint64_t seed)
{
    return Grain(width, height, seed, Color{0.35f, 0.20f, 0.09f, 1.0f}, Color{0.62f, 0.42f, 0.22f, 1.0f});
}

Pixmap Iron(std::uint32_t width, std::uint32_t height, std::uint64_t seed)
{
    return Grain(width, height, seed, Color{0.30f, 0.31f, 0.34f, 1.0f}, Color{0.62f, 0.64f, 0.68f, 1.0f});
}

// The head's bar: a bright core between darker edges, ringed every eighth
// of its length.
Pixmap Bar(std::uint32_t width, std::uint32_t height)
{
    Pixmap bar = Gradient(width, height, GradientShape::Vertical, Color{0.05f, 0.35f, 0.55f, 1.0f},
                          Color{0.05f, 0.35f, 0.55f, 1.0f});
    for (std::uint32_t y = 0; y < height; ++y) {
        const float across = std::abs((static_cast<float>(y) + 0.5f) / static_cast<float>(height) - 0.5f) * 2.0f;
        for (std::uint32_t x = 0; x < width; ++x) {
            const float glow = 1.0f - across * across;
            Color& pixel = bar.At(x, y);
            pixel = Lerp(pixel, Color{0.55f, 0.95f, 1.0f, 1.0f}, glow);
            if (x % (width / 8) == 0)
                pixel = Lerp(pixel, Color{0.1f, 0.15f, 0.2f, 1.0f}, 0.7f);
        }
    }
    return bar;
}

// Diagonal strands that wrap across the width, so the rope's repeated
// texture shows no seam.
Pixmap Strands()
{
    Pixmap rope(64, 16);
    for (std::uint32_t y = 0; y < 16; ++y) {
        for (std::uint32_t x = 0; x < 64; ++x) {
            const float phase = static_cast<float>((x + y) % 8) / 8.0f;
            const float shade = 0.5f + 0.5f * std::sin(phase * 6.2831853f);
            rope.At(x, y) = Lerp(Color{0.85f, 0.38f, 0.05f, 1.0f}, Color{1.0f, 0.88f, 0.45f, 1.0f}, shade);
        }
    }
    return rope;
}

std::vector<TextureRecipe> BatTextures()
{
    return {
        {ObjectPath("bat\\head.tga"),
         [] { return Beside({{0.75f, Bar(128, 32)}, {1.0f, Iron(128, 32, 51)}}); }},
        {ObjectPath("bat\\body.tga"),
         [] {
             return Beside({{0.5f, Mix(Checker(64, 64, 32, Color{0.16f, 0.22f, 0.42f, 1.0f},
                                                      Color{0.20f, 0.27f, 0.50f, 1.0f}),
                                              Iron(64, 64, 53), 0.35f)},
                            {1.0f, Iron(64, 64, 53)}});
         }},
        {ObjectPath("bat\\screw.tga"),
         [] { return Grain(64, 32, 57, Color{0.55f, 0.40f, 0.12f, 1.0f}, Color{0.95f, 0.80f, 0.35f, 1.0f}); }},
        {ObjectPath("bat\\flame.tga"), [] { return Glow(64, Color{1.0f, 0.9f, 0.7f, 1.0f}, 1.5f); },
         Pixmap::Alpha::With},
    };
}

std::vector<TextureRecipe> BallTextures()
{
    return {
        {ObjectPath("balls\\simple\\ball.tga"),
         [] { return Grain(64, 32, 61, Color{0.55f, 0.58f, 0.65f, 1.0f}, Color{0.95f, 0.97f, 1.0f, 1.0f}); }},
        {ObjectPath("balls\\super\\ball.tga"),
         [] { return Grain(64, 32, 67, Color{0.85f, 0.25f, 0.05f, 1.0f}, Color{1.0f, 0.85f, 0.3f, 1.0f}); }},
        {ObjectPath("balls\\simple\\spark.tga"), [] { return Glow(32, Color{0.8f, 0.9f, 1.0f, 1.0f}, 2.0f); },
         Pixmap::Alpha::With},
        {ObjectPath("balls\\super\\spark.tga"), [] { return Glow(32, Color{1.0f, 0.7f, 0.3f, 1.0f}, 2.0f); },
         Pixmap::Alpha::With},
        {ObjectPath("balls\\flare.tga"), [] { return Glow(64, Color{1.0f, 1.0f, 1.0f, 1.0f}, 2.5f); },
         Pixmap::Alpha::With},
    };
}

std::vector<TextureRecipe> WeaponTextures()
{
    std::vector<TextureRecipe> textures;
    for (const std::string kind : {"arbalet", "ballista"}) {
        const std::string folder = "guns\\" + kind + "\\";
        const std::uint64_t seed = kind == "arbalet" ? 71 : 73;
        const Color string = kind == "arbalet" ? Color{0.9f, 0.88f, 0.8f, 1.0f} : Color{0.5f, 0.42f, 0.3f, 1.0f};
        textures.push_back({ObjectPath(folder + "gun.tga"), [seed, string] {
                                return Beside({{0.6f, Wood(64, 32, seed)},
                                               {0.9f, Iron(64, 32, seed + 1)},
                                               {1.0f, Pixmap(64, 32, string)}});
                            }});
        textures.push_back({ObjectPath(folder + "bullet.tga"), [seed] {
                                return Beside({{0.6f, Wood(64, 32, seed + 2)},
                                               {0.8f, Iron(64, 32, seed + 3)},
                                               {1.0f, Pixmap(64, 32, Color{0.85f, 0.15f, 0.1f, 1.0f})}});
                            }});
        textures.push_back({ObjectPath(folder + "spark.tga"),
                            [] { return Glow(32, Color{1.0f, 0.95f, 0.8f, 1.0f}, 2.0f); }, Pixmap::Alpha::With});
    }
    textures.push_back({ObjectPath("hammer\\hammer.tga"),
                        [] { return Beside({{0.5f, Iron(64, 32, 79)}, {1.0f, Wood(64, 32, 83)}}); }});
    textures.push_back({ObjectPath("barrier\\post.tga"),
                        [] { return Beside({{0.5f, Wood(64, 32, 89)}, {1.0f, Iron(64, 32, 97)}}); }});
    textures.push_back({ObjectPath("barrier\\rope.tga"), Strands});
    return textures;
}

} // namespace

std::vector<TextureRecipe> ObjectTextureRecipes()
{
    std::vector<TextureRecipe> textures = BatTextures();
    for (const std::vector<TextureRecipe>& more : {BallTextures(), WeaponTextures()})
        textures.insert(textures.end(), more.begin(), more.end());
    for (const std::string& name : BonusNames())
        textures.push_back({ObjectPath("bonuses\\" + name + ".tga"), [name] { return BonusSign(name); }});
    textures.push_back({ObjectPath("bonuses\\flare.tga"), [] { return Glow(64, Color{1.0f, 1.0f, 1.0f, 1.0f}, 2.0f); },
                        Pixmap::Alpha::With});
    textures.push_back({ObjectPath("bonuses\\sparkle.tga"),
                        [] { return Glow(32, Color{1.0f, 1.0f, 0.85f, 1.0f}, 3.0f); }, Pixmap::Alpha::With});
    return textures;
}

} // namespace Tools
