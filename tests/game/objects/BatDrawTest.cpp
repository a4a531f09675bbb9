#include "game/objects/Bat.h"

#include "engine/app/Engine.h"
#include "engine/core/Image.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "game/level/Effects.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/GameCamera.h"
#include "platform/video/GLVideoSystem.h"

#include "tests/game/objects/LevelObjectsBed.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScriptedInput.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Halvard::Vector2;
using Halvard::Vector3;

constexpr float kHalfWidth = 10.0f;

struct RealVideo {
    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
};

// The real engine off screen, the whole field seen from high above with a
// narrow lens, so that the bat's depth hardly shows: a bat of half width 10,
// unlit so that it shows white on the black screen, moved by mouse events
// pushed into SDL's queue.
class BatDrawTest : public RealVideo, public testing::Test {
protected:
    BatDrawTest()
    {
        Testing::ResetInput();
        engine->GetGUIManager()->SetSize(800.0f, 600.0f);
        Testing::AddBoxModel(engine.Get(), data, "bat/head", Vector3(-kHalfWidth, -2.0f, -2.0f),
                             Vector3(kHalfWidth, 2.0f, 2.0f));
        camera.SetFieldOfView(20.0f * 3.1415927f / 180.0f);
        camera.SetNearPlane(500.0f);
        camera.SetFarPlane(700.0f);
        camera.basePosition = Vector3(0.0f, -60.0f, 600.0f);
        camera.Reset();
        bat = std::make_unique<Tamrisk::Bat>(&engine.Get(), &data, &effects, nullptr);
        for (Halvard::Model* part : {bat->GetHead(), bat->GetBody(), bat->GetScrew()})
            part->ClearFlags(Halvard::Model::kLit);
    }

    ~BatDrawTest() override
    {
        bat.reset();
        Testing::ResetInput();
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            clock.Advance(0.02);
            Testing::PumpAll();
            engine->BeginFrame();
            camera.Update();
            bat->Update(1.0f);
            engine->EndFrame(0);
        }
    }

    // The left and right ends of the white run on the row where the head's
    // centre shows, against where the head's own corners project.
    struct Seen {
        float left, right, expectedLeft, expectedRight;
    };

    Seen Look()
    {
        Halvard::Image image;
        engine->GetRenderSystem()->CaptureScreen(image);
        Halvard::CameraManager& cameras = *engine->GetCameraManager();
        const Halvard::BoundingBox& head = bat->GetHeadBox();
        const Vector3 c = head.GetCenter();
        Vector2 centre(0.0f, 0.0f), left(0.0f, 0.0f), right(0.0f, 0.0f);
        cameras.ProjectPoint(centre, cameras.GetDefaultCamera(), c);
        cameras.ProjectPoint(left, cameras.GetDefaultCamera(), Vector3(head.GetWorldMin().x, c.y, c.z));
        cameras.ProjectPoint(right, cameras.GetDefaultCamera(), Vector3(head.GetWorldMax().x, c.y, c.z));
        const auto row = static_cast<Halvard::u32>(centre.y);
        const auto white = [&](Halvard::u32 x) {
            const Halvard::u8* p = image.GetData() + (static_cast<std::size_t>(row) * image.GetWidth() + x) * 4u;
            return p[0] > 200 && p[1] > 200 && p[2] > 200;
        };
        Seen seen{-1.0f, -1.0f, left.x, right.x};
        for (Halvard::u32 x = 0; x < image.GetWidth(); ++x) {
            if (!white(x))
                continue;
            if (seen.left < 0.0f)
                seen.left = static_cast<float>(x);
            seen.right = static_cast<float>(x + 1);
        }
        return seen;
    }

    Testing::FakeClock clock;
    Testing::ScopedClock scopedClock{clock};
    Testing::TestEngine engine;
    GameTools::DataKeeper data{&engine.Get(), "en", false};
    Tamrisk::Effects effects{&engine.Get(), nullptr};
    GameTools::GameCamera camera{&engine.Get()};
    std::unique_ptr<Tamrisk::Bat> bat;
};

// The window is 640 pixels wide and the game's screen 800 units: a pixel
// column c puts the bat at c / 640 of the field's 150, within the half width
// of its ends.
TEST_F(BatDrawTest, TheBatFollowsTheMouseAcrossTheFieldAndIsDrawnWhereItIs)
{
    Frames(150);
    ASSERT_TRUE(bat->HasRisen());
    Testing::ScriptedInput mouse(Testing::WindowIdOf(*engine->GetWindow()));
    struct Case {
        int column;
        float x;
    };
    float previousCentre = -1.0f;
    for (const Case& c : {Case{0, kHalfWidth}, Case{100, 23.4375f}, Case{320, 75.0f}, Case{639, 150.0f - kHalfWidth}}) {
        SCOPED_TRACE(c.column);
        mouse.MoveMouseTo(c.column, 10);
        Frames(60);
        EXPECT_NEAR(bat->GetX(), c.x, 1e-3f);
        EXPECT_NEAR(bat->GetHeadBox().GetCenter().x, c.x - 75.0f, 0.01f) << "the lean has settled";
        const Seen seen = Look();
        EXPECT_NEAR(seen.left, seen.expectedLeft, 2.0f);
        EXPECT_NEAR(seen.right, seen.expectedRight, 2.0f);
        const float centre = (seen.left + seen.right) / 2.0f;
        EXPECT_GT(centre, previousCentre + 20.0f) << "the drawn bat moved right";
        previousCentre = centre;
    }
}

} // namespace
