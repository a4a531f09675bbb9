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

    // The camera leaves the projection to whoever draws; an identity one
    // maps the triangle's corners straight to the screen.
    void SetIdentityProjection()
    {
        const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        Render().GetDevice()->SetTransform(Platform::TransformState::Projection, identity);
    }

    // A coloured triangle over the middle of the screen, drawn through an
    // index buffer.
    void MakeTriangle(u32 color)
    {
        vertices = Render().CreateVertexBuffer(0, true, 3);
        ColoredVertex* v = vertices->Lock<ColoredVertex>(0, 3);
        v[0] = ColoredVertex{-1.0f, -1.0f, -0.5f, 0, 0, 1, color, 0, 0};
        v[1] = ColoredVertex{1.0f, -1.0f, -0.5f, 0, 0, 1, color, 0, 0};
        v[2] = ColoredVertex{0.0f, 1.0f, -0.5f, 0, 0, 1, color, 0, 0};
        vertices->Unlock();
        indices = Render().CreateIndexBuffer(0, 3);
        const u32 order[] = {0, 1, 2};
        indices->SetIndices(0, 3, order);
    }

    // One frame as the application runs it; the triangle only on request.
    void Frame(bool withTriangle)
    {
        engine->BeginFrame();
        Render().BeginScene();
        if (withTriangle)
            Render().DrawIndexedPrimitive(false, *indices, *vertices, 1);
        Render().EndScene();
        engine->EndFrame(0);
    }

    // Red, green, blue and alpha of the captured pixel, counted from the
    // bottom left.
    std::vector<u8> Captured(u32 x, u32 y)
    {
        Render().CaptureScreen(image);
        EXPECT_EQ(image.GetWidth(), 640u);
        EXPECT_EQ(image.GetBitsPerPixel(), 32u);
        const u8* p = image.GetData() + (static_cast<size_t>(y) * image.GetWidth() + x) * 4u;
        return std::vector<u8>(p, p + 4);
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::TestEngine engine;
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
    Image image;
};

} // namespace

TEST_F(EngineRenderTest, TheFrameEndPresentsWhatWasDrawn)
{
    ASSERT_TRUE(Render().IsDeviceReady());
    SetIdentityProjection();
    MakeTriangle(0xFF00FF00u);
    Frame(true);
    EXPECT_THAT(Captured(320, 240), ElementsAre(0, 255, 0, 255));
    EXPECT_THAT(Captured(0, 479), ElementsAre(0, 0, 0, 255));
}

TEST_F(EngineRenderTest, EachFrameStartsFromTheClearColour)
{
    SetIdentityProjection();
    MakeTriangle(0xFFFFFF00u);
    Frame(true);
    ASSERT_THAT(Captured(320, 240), ElementsAre(255, 255, 0, 255));
    Frame(false);
    EXPECT_THAT(Captured(320, 240), ElementsAre(0, 0, 0, 255));
}

TEST_F(EngineRenderTest, TheFrameEndNoticesALostDevice)
{
    video.SimulateDeviceLoss(Platform::VideoResults::kWrongMode);
    engine->EndFrame(0);
    EXPECT_TRUE(Render().IsResetNeeded());
    EXPECT_FALSE(Render().IsDeviceReady());
}

// What the application does when it sees a reset is needed: the device and
// its GL context are made anew and drawing goes on.
TEST_F(EngineRenderTest, ALostDeviceIsResetAndDrawsAgain)
{
    const uint32_t contexts = video.ContextsMade();
    video.SimulateDeviceLoss(Platform::VideoResults::kWrongMode);
    engine->EndFrame(0);
    ASSERT_TRUE(Render().IsResetNeeded());
    Render().Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    EXPECT_TRUE(Render().IsDeviceReady());
    EXPECT_FALSE(Render().IsResetNeeded());
    EXPECT_FALSE(Render().AreTexturesLost());
    EXPECT_EQ(video.ContextsMade(), contexts + 1);

    SetIdentityProjection();
    MakeTriangle(0xFF0000FFu);
    Frame(true);
    EXPECT_TRUE(Render().IsDeviceReady());
    EXPECT_THAT(Captured(320, 240), ElementsAre(0, 0, 255, 255));
}
