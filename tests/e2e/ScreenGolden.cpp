#include "tests/e2e/ScreenGolden.h"

#include "engine/app/Engine.h"
#include "engine/core/Image.h"
#include "engine/render/RenderSystem.h"
#include "game/Game.h"
#include "tests/support/GoldenImage.h"
#include "tests/support/game/GameReplay.h"

#include <filesystem>

namespace Testing {

namespace {

constexpr Halvard::u32 kGoldenShrink = 4;
constexpr int kGoldenTolerance = 8;

} // namespace

::testing::AssertionResult LooksLikeGolden(const GameReplay& replay, const std::string& name)
{
    Halvard::Image capture;
    replay.Game()->GetEngine()->GetRenderSystem()->CaptureScreen(capture);
    const std::filesystem::path file =
        std::filesystem::path(TAMRISK_TESTS_SOURCE_DIR) / "e2e" / "golden" / (name + ".ppm");
    return GoldenImage(file, kGoldenShrink, kGoldenTolerance).Matches(capture);
}

} // namespace Testing
