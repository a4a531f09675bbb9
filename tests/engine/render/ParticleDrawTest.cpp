#include "engine/app/Engine.h"
#include "engine/core/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/VertexBuffer.h"
#include "platform/video/GLVideoSystem.h"
#include "tools/ParticleWriter.h"

#include "tests/support/FrameStepper.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace Halvard;

namespace {

// Particle systems drawn by the engine's own frame on the real window and
// OpenGL backends, in front of the default camera (at the origin, looking
// along -z).
class ParticleDrawTest : public ::testing::Test {
protected:
    ParticleDrawTest()
    {
        // One still, half-transparent blue particle, born at the start of the
        // cycle and living long past the test.
        Tools::ParticleSystemDescription d;
        d.capacity = 1;
        d.gravityOn = false;
        d.floorOn = false;
        d.interpolatedEmission = false;
        d.emission.fill(0.0f);
        d.emission[0] = 1.0f;
        d.lifetimeCentre.fill(100.0f);
        d.directionSpread = {};
        d.speedCentre.fill(0.0f);
        d.color.fill({0.0f, 0.0f, 1.0f, 0.5f});
        d.size.fill(1.0f);
        const std::vector<std::uint8_t> bytes = Tools::BuildParticleFile(d);
        engine.Folder().WriteFile("data\\particles\\glow.psf", std::string(bytes.begin(), bytes.end()));
    }

    RenderSystem_D3D7& Render() { return static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem()); }

    // A red triangle over the middle of the screen, farther than the
    // particles.
    void MakeBackground()
    {
        Model* triangle = engine->GetModelManager()->CreateModel(Model::kColored | Model::kTriangleList, 3, 3, 1,
                                                                 nullptr, nullptr);
        ColoredVertex* v = triangle->GetVertexBuffer().Lock<ColoredVertex>(0, 3);
        v[0] = ColoredVertex{-6.0f, -6.0f, -6.0f, 0, 0, 1, 0xFFFF0000u, 0, 0};
        v[1] = ColoredVertex{6.0f, -6.0f, -6.0f, 0, 0, 1, 0xFFFF0000u, 0, 0};
        v[2] = ColoredVertex{0.0f, 6.0f, -6.0f, 0, 0, 1, 0xFFFF0000u, 0, 0};
        triangle->GetVertexBuffer().Unlock();
        const u32 order[] = {0, 1, 2};
        triangle->GetIndexBuffer().SetIndices(0, 3, order);
        triangle->ComputeBoundingVolume(triangle->boundingBox, false);
        triangle->SetFlags(Model::kVisible);
    }

    // A drawn copy of the file's template, emitting 4 units in front of the
    // camera.
    ParticleSystem* Start(const ShaderDescriptor* shader)
    {
        ParticleSystemManager& manager = *engine->GetParticleSystemManager();
        templateSystem.reset(manager.NewParticleSystemFromFile("particles\\glow.psf", nullptr));
        ParticleSystem* system = manager.CopyParticleSystem(*templateSystem);
        system->SetShader(shader);
        system->SetPosition(Vector3(0.0f, 0.0f, -4.0f));
        system->SetVisible(true);
        system->emissionTime = 0.0f;
        system->emitting = true;
        return system;
    }

    void Frames(int count) { Testing::RunEngineFrames(engine.Get(), count); }

    // Red, green and blue of the captured pixel, counted from the bottom
    // left.
    std::vector<int> Captured(u32 x, u32 y)
    {
        Render().CaptureScreen(image);
        const u8* p = image.GetData() + (static_cast<size_t>(y) * image.GetWidth() + x) * 4u;
        return {p[0], p[1], p[2]};
    }

    static bool Near(const std::vector<int>& pixel, const std::vector<int>& expected)
    {
        for (size_t i = 0; i < expected.size(); ++i) {
            if (std::abs(pixel[i] - expected[i]) > 3)
                return false;
        }
        return true;
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::TestEngine engine;
    std::unique_ptr<ParticleSystem> templateSystem;
    Image image;
};

} // namespace

TEST_F(ParticleDrawTest, ABlendedParticleMixesWithWhatLiesBehindIt)
{
    ASSERT_TRUE(Render().IsDeviceReady());
    MakeBackground();
    const ShaderDescriptor blended = MakeAnimatedShaderDescriptor(1, 1, "", "32bit", true);
    ParticleSystem* system = Start(&blended);
    // Born, placed and drawn in one frame: the particles move before the
    // sprite groups build their quads, and both before the scene is drawn.
    Frames(1);
    EXPECT_EQ(system->liveCount, 1u);

    // Half the red behind it, half its own blue.
    const std::vector<int> middle = Captured(320, 240);
    EXPECT_TRUE(Near(middle, {128, 0, 128})) << middle[0] << " " << middle[1] << " " << middle[2];
    // The sprite is 2 units across at a distance of 4: the background shows
    // beside it, and nothing but the clear colour above the triangle.
    EXPECT_THAT(Captured(320, 40), ::testing::ElementsAre(255, 0, 0));
    EXPECT_THAT(Captured(5, 475), ::testing::ElementsAre(0, 0, 0));
}

TEST_F(ParticleDrawTest, WithoutBlendingTheParticleCoversTheBackground)
{
    MakeBackground();
    Start(nullptr);
    Frames(2);
    EXPECT_THAT(Captured(320, 240), ::testing::ElementsAre(0, 0, 255));
}

TEST_F(ParticleDrawTest, AHiddenSystemIsNotDrawn)
{
    MakeBackground();
    const ShaderDescriptor blended = MakeAnimatedShaderDescriptor(1, 1, "", "32bit", true);
    ParticleSystem* system = Start(&blended);
    Frames(1);
    system->SetVisible(false);
    Frames(1);
    EXPECT_THAT(Captured(320, 240), ::testing::ElementsAre(255, 0, 0));
}
