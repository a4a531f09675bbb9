#include "game/windows/menus/GUILogosWindow.h"

#include "engine/core/Image.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/RenderSystem.h"
#include "framework/windows/WindowResult.h"
#include "tools/ImageWriter.h"

#include "tests/support/FakeClock.h"
#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace {

using GameFramework::WindowResult;

constexpr double kFrameSeconds = 0.1;
// A logo is held 1.5 s and fades for 1 s: 25 frames.
constexpr int kFramesPerLogo = 25;

using Rgb = std::array<std::uint8_t, 3>;
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};

// A logo picture of one colour; the window shows its lower-left part.
void WriteLogo(const Testing::TempFolder& folder, int index, const Rgb& colour)
{
    std::vector<std::uint8_t> rows;
    for (int i = 0; i < 64 * 64; ++i)
        rows.insert(rows.end(), colour.begin(), colour.end());
    folder.WriteFile("data\\ui\\textures\\publishers\\" + std::to_string(index) + "_logo_big.jpg",
                     Tools::JpegFile(64, 64, 3, rows));
}

// The real engine off screen, its 640 x 480 window showing the game's 800 x
// 600 GUI space, on a clock that moves only by the test's frames.
class GUILogosWindowTest : public testing::Test {
protected:
    GUILogosWindowTest() { engine->GetGUIManager()->SetSize(800.0f, 600.0f); }

    void Open() { window = std::make_unique<Tamrisk::GUILogosWindow>(&engine.Get()); }

    // One frame of the framework's order; answers the window's result.
    Halvard::u32 Frame()
    {
        clock.Advance(kFrameSeconds);
        engine->BeginFrame();
        window->UpdateWindow();
        engine->EndFrame(0);
        return window->GetResult();
    }

    // The frames until result 1, at most the cap; the result's frame counts.
    int FramesUntilDone(int cap)
    {
        for (int frame = 1; frame <= cap; ++frame) {
            if (Frame() == WindowResult::kDone)
                return frame;
        }
        return cap + 1;
    }

    // The middle of the screen as drawn.
    Rgb Middle()
    {
        Halvard::Image image;
        engine->GetRenderSystem()->CaptureScreen(image);
        const std::vector<std::uint8_t> pixel = Testing::PixelBytes(image, 320, 240);
        return Rgb{pixel[0], pixel[1], pixel[2]};
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scopedClock{clock};
    Testing::TestEngine engine;
    std::unique_ptr<Tamrisk::GUILogosWindow> window;
};

struct LogoCase {
    const char* name;
    std::vector<int> pictures;
    int framesUntilDone;
};

class GUILogosWindowSequenceTest : public GUILogosWindowTest, public testing::WithParamInterface<LogoCase> {};

// Nothing happens before the framework shows the window; then each logo
// present takes 2.5 s, and the window is done in the frame after the last
// one has gone (in the first running frame without any).
TEST_P(GUILogosWindowSequenceTest, ReportsDoneOnceEveryLogoHasFaded)
{
    for (const int index : GetParam().pictures)
        WriteLogo(engine.Folder(), index, kRed);
    Open();
    EXPECT_EQ(Frame(), WindowResult::kNone);
    window->ShowWindow(1);
    EXPECT_EQ(FramesUntilDone(3 * kFramesPerLogo), GetParam().framesUntilDone);
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

INSTANTIATE_TEST_SUITE_P(Pictures, GUILogosWindowSequenceTest,
                         testing::Values(LogoCase{"None", {}, 1}, LogoCase{"OnlyTheSecond", {1}, kFramesPerLogo + 1},
                                         LogoCase{"Both", {0, 1}, 2 * kFramesPerLogo + 1}),
                         [](const testing::TestParamInfo<LogoCase>& info) { return info.param.name; });

bool Near(const Rgb& seen, const Rgb& wanted)
{
    for (size_t i = 0; i < seen.size(); ++i) {
        if (std::abs(int(seen[i]) - int(wanted[i])) > 24)
            return false;
    }
    return true;
}

// The first logo lies in front of the second, fades to reveal it, and the
// screen is empty once both have gone; hiding the window destroys them.
TEST_F(GUILogosWindowTest, DrawsTheFirstLogoInFrontAndFadesItIntoTheSecond)
{
    WriteLogo(engine.Folder(), 0, kRed);
    WriteLogo(engine.Folder(), 1, kGreen);
    Open();
    ASSERT_NE(window->GetLogoB(), nullptr);
    EXPECT_LT(window->GetLogoA()->GetDepth(), window->GetLogoB()->GetDepth());
    window->ShowWindow(1);
    struct Sight {
        int frame;
        Rgb colour;
    };
    // Half faded at 2 s: red over green in equal parts.
    const Sight sights[] = {{1, kRed}, {15, kRed}, {20, {128, 128, 0}}, {26, kGreen}, {45, {0, 128, 0}}, {51, {0, 0, 0}}};
    int frame = 0;
    for (const Sight& sight : sights) {
        while (frame < sight.frame) {
            Frame();
            ++frame;
        }
        const Rgb seen = Middle();
        EXPECT_TRUE(Near(seen, sight.colour)) << "frame " << frame << ": " << int(seen[0]) << " " << int(seen[1])
                                              << " " << int(seen[2]);
    }
    const size_t windows = engine->GetGUIManager()->GetWindows().GetCount();
    window->HideWindow();
    EXPECT_EQ(window->GetLogoA(), nullptr);
    EXPECT_EQ(engine->GetGUIManager()->GetWindows().GetCount(), windows - 2);
    EXPECT_TRUE(Testing::LogProbe(*engine->GetMessageManager()).HasNoErrorLine());
}

} // namespace
