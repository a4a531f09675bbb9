#include "engine/core/Engine.h"
#include "engine/core/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "platform/video/GLVideoSystem.h"

#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using ::testing::ElementsAre;

namespace {

// The engine on the real window and OpenGL backends.
class EngineRenderTest : public ::testing::Test {
protected:
    RenderSystem_D3D7& Render() { return static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem()); }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::TestEngine engine;
};

} // namespace

TEST_F(EngineRenderTest, TheFrameEndPresentsWhatWasDrawn)
{
    RenderSystem_D3D7& render = Render();
    ASSERT_TRUE(render.IsDeviceReady());
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    render.GetDevice()->SetTransform(Platform::TransformState::Projection, identity);
    std::unique_ptr<VertexBuffer> vertices = render.CreateVertexBuffer(0, true, 3);
    ColoredVertex* v = vertices->Lock<ColoredVertex>(0, 3);
    v[0] = ColoredVertex{-1.0f, -1.0f, -0.5f, 0, 0, 1, 0xFF00FF00u, 0, 0};
    v[1] = ColoredVertex{1.0f, -1.0f, -0.5f, 0, 0, 1, 0xFF00FF00u, 0, 0};
    v[2] = ColoredVertex{0.0f, 1.0f, -0.5f, 0, 0, 1, 0xFF00FF00u, 0, 0};
    vertices->Unlock();
    std::unique_ptr<IndexBuffer> indices = render.CreateIndexBuffer(0, 3);
    const u32 order[] = {0, 1, 2};
    indices->SetIndices(0, 3, order);

    engine->BeginFrame();
    render.BeginScene();
    render.DrawIndexedPrimitive(false, *indices, *vertices, 1);
    render.EndScene();
    engine->EndFrame(0);

    Image image;
    render.CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), 640u);
    const u8* centre = image.GetData() + (240u * 640u + 320u) * 4u;
    EXPECT_THAT(std::vector<u8>(centre, centre + 4), ElementsAre(0, 255, 0, 255));
    const u8* topLeft = image.GetData() + 479u * 640u * 4u;
    EXPECT_THAT(std::vector<u8>(topLeft, topLeft + 4), ElementsAre(0, 0, 0, 255));
}

TEST_F(EngineRenderTest, TheFrameEndNoticesALostDevice)
{
    video.SimulateDeviceLoss(Platform::VideoResults::kWrongMode);
    engine->EndFrame(0);
    EXPECT_TRUE(Render().IsResetNeeded());
    EXPECT_FALSE(Render().IsDeviceReady());
}
