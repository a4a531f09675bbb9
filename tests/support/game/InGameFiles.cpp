#include "tests/support/game/InGameFiles.h"

#include "tests/support/TempFolder.h"
#include "tools/ImageWriter.h"
#include "tools/ParticleWriter.h"
#include "tools/ShaderWriter.h"

#include <vector>

namespace Testing {

namespace {

template <typename Bytes>
std::string Text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Tools::ParticleSystemDescription StillDots(bool burst)
{
    Tools::ParticleSystemDescription dots;
    dots.gravityOn = false;
    dots.floorOn = false;
    dots.lifetimeCentre = {100, 100, 100, 100, 100, 100};
    dots.speedCentre = {0, 0, 0, 0, 0, 0};
    if (burst) {
        dots.duration = 0.5f;
        dots.interpolatedEmission = false;
        dots.emission = {static_cast<float>(InGameFiles::kClickBurst), 0, 0, 0, 0, 0};
    }
    return dots;
}

} // namespace

const char* const InGameFiles::kDisplayDescription = R"(<window name="window_game_logic" size="800 600" fader="menu">
  <window name="life" position="20 560" size="120 30"><text_label name="text" font="common_0" size="120 30"/></window>
  <window name="score" position="160 560" size="120 30"><text_label name="text_1" font="common_0" size="120 30"/></window>
  <window name="level" position="300 560" size="120 30"><text_label name="text_1" font="common_0" size="120 30"/></window>
  <button name="menu" position="560 560" size="40 30"/>
  <button name="minimize" position="610 560" size="40 30"/>
  <check_box name="fullscreen" position="660 560" size="40 30"/>
  <button name="close" position="710 560" size="40 30"/>
  <window name="logo_additional_0" position="20 20" size="64 32"/>
</window>
)";

std::string InGameFiles::WriteCursor(const TempFolder& folder)
{
    const std::vector<std::uint8_t> white(64 * 64, 0xff);
    folder.WriteFile("data\\ui\\cursors\\cursor.jpg", Tools::JpegFile(64, 64, 1, white));
    folder.WriteFile("data\\ui\\cursors\\cursor_alpha.jpg", Tools::JpegFile(64, 64, 1, white));
    const std::string shader = Text(Tools::BuildShaderFile(Tools::ShaderData{}));
    folder.WriteFile("data\\ui\\cursors\\train.srf", shader);
    folder.WriteFile("data\\ui\\cursors\\click.srf", shader);
    folder.WriteFile("data\\ui\\cursors\\train.psf", Text(Tools::BuildParticleFile(StillDots(false))));
    folder.WriteFile("data\\ui\\cursors\\click.psf", Text(Tools::BuildParticleFile(StillDots(true))));
    return "<ui>\n"
           "  <particles name=\"cursor_train\" file_name=\"cursors\\train.psf\"/>\n"
           "  <particles name=\"cursor_click\" file_name=\"cursors\\click.psf\"/>\n"
           "</ui>\n";
}

void InGameFiles::WriteDisplay(const TempFolder& folder, const std::string& description)
{
    folder.WriteFile("data\\ui\\windows\\window_game_logic.xml", description);
}

} // namespace Testing
