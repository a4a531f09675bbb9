#include "tools/data_builder/generators/image/InterfaceImages.h"
#include "tools/data_builder/generators/image/InterfacePictures.h"
#include "tools/data_builder/generators/model/InterfaceRecipe.h"
#include "tools/data_builder/generators/image/InterfaceScrollPictures.h"

namespace Tools {

namespace {

using Rgba = std::array<float, 4>;

std::string Ui(const std::string& path) { return std::string(kInterfaceFolder) + path; }

MeshModelRecipe Framed(const std::string& name, const FrameGrid& grid, std::uint32_t frames)
{
    return {Ui("models\\" + name + ".mlf"), [grid, frames] { return FramedSquare(grid, frames); },
            Translucent(name + ".tga")};
}

std::array<Rgba, 6> Fading(const Rgba& from, const Rgba& to)
{
    std::array<Rgba, 6> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const float t = static_cast<float>(i) / 5.0f;
        for (std::size_t c = 0; c < 4; ++c)
            keys[i][c] = from[c] + (to[c] - from[c]) * t;
    }
    return keys;
}

// Sparks in the GUI's plane (z 0, units of the 800 x 600 screen); nothing
// falls or bounces there.
ParticleSystemDescription FlatSparks()
{
    ParticleSystemDescription sparks;
    sparks.gravityOn = false;
    sparks.floorOn = false;
    sparks.directionSpread.fill({1.0f, 1.0f, 0.0f});
    return sparks;
}

// Gold sparks left behind the moving cursor, sinking a little as they fade;
// the game loops it and moves its emitter.
ParticleSystemDescription CursorTrain()
{
    ParticleSystemDescription train = FlatSparks();
    train.capacity = 64;
    train.duration = 1.0f;
    train.emission.fill(60.0f);
    train.lifetimeCentre.fill(0.5f);
    train.lifetimeSpread.fill(0.12f);
    train.directionCentre.fill({0.0f, -1.0f, 0.0f});
    train.directionSpread.fill({0.7f, 0.4f, 0.0f});
    train.speedCentre.fill(0.25f);
    train.speedSpread.fill(0.1f);
    train.size = Ramp(9.0f, 2.0f);
    train.color = Fading({1.0f, 0.88f, 0.50f, 0.9f}, {1.0f, 0.55f, 0.20f, 0.0f});
    return train;
}

// One ring of sparks flying out of the click point, emitted in the first
// twentieth of a second and played once.
ParticleSystemDescription CursorClick()
{
    ParticleSystemDescription click = FlatSparks();
    click.capacity = 40;
    click.duration = 0.06f;
    click.emission = {500.0f, 500.0f, 500.0f, 500.0f, 500.0f, 0.0f};
    click.lifetimeCentre.fill(0.45f);
    click.lifetimeSpread.fill(0.12f);
    click.speedCentre = Ramp(1.8f, 0.3f);
    click.speedSpread.fill(0.4f);
    click.size = Ramp(8.0f, 3.0f);
    click.color = Fading({1.0f, 1.0f, 0.85f, 1.0f}, {1.0f, 0.70f, 0.30f, 0.0f});
    return click;
}

} // namespace

std::vector<TextureRecipe> InterfaceTextureRecipes()
{
    constexpr Pixmap::Alpha kWith = Pixmap::Alpha::With;
    return {
        {Ui("textures\\menu_frame.tga"), MenuFrame, kWith},
        {Ui("textures\\loading_frame.tga"), LoadingFrame, kWith},
        {Ui("textures\\title_mount.tga"), TitleMount, kWith},
        {Ui("textures\\logo_slot.tga"), LogoSlot, kWith},
        {Ui("textures\\game_logic_life.tga"), [] { return StatusPlate(PlateSign::Life); }, kWith},
        {Ui("textures\\game_logic_score.tga"), [] { return StatusPlate(PlateSign::Score); }, kWith},
        {Ui("textures\\game_logic_level.tga"), [] { return StatusPlate(PlateSign::Level); }, kWith},
        {Ui("models\\main_menu_button.tga"), MainMenuButton, kWith},
        {Ui("models\\profile_list_button.tga"), ProfileListButton, kWith},
        {Ui("models\\game_logic_menu.tga"), [] { return SmallButton(ButtonSign::Menu); }, kWith},
        {Ui("models\\game_logic_minimize.tga"), [] { return SmallButton(ButtonSign::Minimize); }, kWith},
        {Ui("models\\game_logic_close.tga"), [] { return SmallButton(ButtonSign::Close); }, kWith},
        {Ui("models\\game_logic_fullscreen.tga"), FullScreenBox, kWith},
        {Ui("effects\\cursor_spark.tga"), CursorSpark, kWith},
        {Ui("textures\\name_field.tga"), NameField, kWith},
        {Ui("textures\\list_scroll_track.tga"), ListScrollTrack, kWith},
        {Ui("models\\list_scroll_thumb.tga"), ListScrollThumb, kWith},
        {Ui("models\\list_scroll_up.tga"), [] { return SmallButton(ButtonSign::Up); }, kWith},
        {Ui("models\\list_scroll_down.tga"), [] { return SmallButton(ButtonSign::Down); }, kWith},
        {Ui("textures\\scroll_track.tga"), ScrollTrack, kWith},
        {Ui("models\\scroll_thumb.tga"), ScrollThumb, kWith},
        {Ui("models\\arrow_decrease.tga"), [] { return ArrowButton(ArrowSign::Left); }, kWith},
        {Ui("models\\arrow_increase.tga"), [] { return ArrowButton(ArrowSign::Right); }, kWith},
    };
}

std::vector<MeshModelRecipe> InterfaceModelRecipes()
{
    return {
        Framed("main_menu_button", MainMenuButtonGrid(), 4),
        Framed("profile_list_button", MainMenuButtonGrid(), 4),
        Framed("game_logic_menu", SmallButtonGrid(), 4),
        Framed("game_logic_minimize", SmallButtonGrid(), 4),
        Framed("game_logic_close", SmallButtonGrid(), 4),
        Framed("game_logic_fullscreen", FullScreenBoxGrid(), 8),
        Framed("list_scroll_thumb", SmallButtonGrid(), 4),
        Framed("list_scroll_up", SmallButtonGrid(), 4),
        Framed("list_scroll_down", SmallButtonGrid(), 4),
        Framed("scroll_thumb", ScrollThumbGrid(), 4),
        Framed("arrow_decrease", ArrowButtonGrid(), 4),
        Framed("arrow_increase", ArrowButtonGrid(), 4),
        // A menu's frame rises 48 units into place in a quarter of a second
        // as it fades in, and sinks back as it fades out.
        {Ui("models\\slide_up.mlf"), [] { return Slide({0.0f, -48.0f}, 6, 20.0f); }, ShaderRecipe{}},
    };
}

std::vector<ParticleRecipe> InterfaceParticleRecipes()
{
    return {
        {Ui("effects\\cursor_train.psf"), CursorTrain(), Translucent("cursor_spark.tga")},
        {Ui("effects\\cursor_click.psf"), CursorClick(), Translucent("cursor_spark.tga")},
    };
}

std::vector<JpegRecipe> InterfaceJpegRecipes()
{
    return {
        {Ui("cursors\\cursor.jpg"), CursorPicture, false},
        {Ui("cursors\\cursor_alpha.jpg"), CursorPicture, true},
        {Ui("textures\\publishers\\0_logo_big.jpg"), BigLogo, false},
        {Ui("textures\\publishers\\0_logo_small.jpg"), SmallLogo, false},
        {Ui("textures\\publishers\\0_logo_small_alpha.jpg"), SmallLogo, true},
    };
}

} // namespace Tools
