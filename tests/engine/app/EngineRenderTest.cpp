#include "engine/app/Engine.h"
#include "engine/core/Image.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "platform/video/GLVideoSystem.h"

#include "tests/support/FileBytes.h"
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

    // A coloured triangle in front of the default camera, registered with
    // the model manager and hidden until a frame asks for it.
    void MakeTriangle(u32 color)
    {
        triangle = engine->GetModelManager()->CreateModel(Model::kColored | Model::kTriangleList, 3, 3, 1, nullptr,
                                                           nullptr);
        ColoredVertex* v = triangle->GetVertexBuffer().Lock<ColoredVertex>(0, 3);
        v[0] = ColoredVertex{-2.0f, -2.0f, -2.0f, 0, 0, 1, color, 0, 0};
        v[1] = ColoredVertex{2.0f, -2.0f, -2.0f, 0, 0, 1, color, 0, 0};
        v[2] = ColoredVertex{0.0f, 2.0f, -2.0f, 0, 0, 1, color, 0, 0};
        triangle->GetVertexBuffer().Unlock();
        const u32 order[] = {0, 1, 2};
        triangle->GetIndexBuffer().SetIndices(0, 3, order);
        triangle->ComputeBoundingVolume(triangle->boundingBox, false);
    }

    // One frame as the application runs it; the triangle only on request.
    void Frame(bool withTriangle)
    {
        engine->BeginFrame();
        if (withTriangle)
            triangle->SetFlags(Model::kVisible);
        else
            triangle->ClearFlags(Model::kVisible);
        engine->EndFrame(0);
    }

    // Red, green, blue and alpha of the captured pixel, counted from the
    // bottom left.
    std::vector<u8> Captured(u32 x, u32 y)
    {
        Render().CaptureScreen(image);
        EXPECT_EQ(image.GetWidth(), 640u);
        EXPECT_EQ(image.GetBitsPerPixel(), 32u);
        return Testing::PixelBytes(image, x, y);
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::TestEngine engine;
    Model* triangle = nullptr;
    Image image;
};

} // namespace

TEST_F(EngineRenderTest, TheFrameEndPresentsWhatWasDrawn)
{
    ASSERT_TRUE(Render().IsDeviceReady());
    MakeTriangle(0xFF00FF00u);
    Frame(true);
    EXPECT_THAT(Captured(320, 240), ElementsAre(0, 255, 0, 255));
    EXPECT_THAT(Captured(0, 479), ElementsAre(0, 0, 0, 255));
}

TEST_F(EngineRenderTest, EachFrameStartsFromTheClearColour)
{
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

    MakeTriangle(0xFF0000FFu);
    Frame(true);
    EXPECT_TRUE(Render().IsDeviceReady());
    EXPECT_THAT(Captured(320, 240), ElementsAre(0, 0, 255, 255));
}
