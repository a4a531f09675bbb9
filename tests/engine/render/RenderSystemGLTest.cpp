#include "engine/core/Config.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/VertexBuffer.h"
#include "platform/video/GLVideoSystem.h"

#include "tests/support/FileBytes.h"
#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"
#include "tests/support/ScopedVideoSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace Halvard;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The render system on the real OpenGL backend in a real window, 640 x 480
// x 32 windowed. Needs SDL_VIDEODRIVER=offscreen or an X server.
class RenderSystemGLTest : public ::testing::Test {
protected:
    RenderSystemGLTest()
    {
        messages = std::make_unique<Testing::QuietLog>();
        config = std::make_unique<Config>(messages.get(), nullptr, ConfigSettings{.videoMode = "640x480x32"});
        const WindowSettings settings{.title = "Render test", .width = 640, .height = 480};
        window = std::make_unique<Window>(messages.get(), config.get(), settings);
    }

    ~RenderSystemGLTest() override { unsetenv("HALVARD_VIDEO_FAIL_HARDWARE"); }

    RenderSystem_D3D7& Start()
    {
        render = std::make_unique<RenderSystem_D3D7>(messages.get(), config.get(), window.get(), true, false);
        const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        render->GetDevice()->SetTransform(Platform::TransformState::Projection, identity);
        return *render;
    }

    // A triangle of one colour with its apex up, half the screen wide, in
    // front of the camera, drawn in a scene of its own.
    void DrawTriangle(u32 color)
    {
        render->BeginScene();
        DrawInScene(color, -0.5f);
        render->EndScene();
    }

    // The same triangle inside the current scene; with the identity
    // projection its depth is -z.
    void DrawInScene(u32 color, float z)
    {
        std::unique_ptr<VertexBuffer> vertices = render->CreateVertexBuffer(0, true, 3);
        ColoredVertex* v = vertices->Lock<ColoredVertex>(0, 3);
        v[0] = ColoredVertex{-0.5f, -0.5f, z, 0, 0, 1, color, 0, 0};
        v[1] = ColoredVertex{0.5f, -0.5f, z, 0, 0, 1, color, 0, 0};
        v[2] = ColoredVertex{0.0f, 0.5f, z, 0, 0, 1, color, 0, 0};
        vertices->Unlock();
        std::unique_ptr<IndexBuffer> indices = render->CreateIndexBuffer(0, 3);
        const u32 order[] = {0, 1, 2};
        indices->SetIndices(0, 3, order);
        render->DrawIndexedPrimitive(false, *indices, *vertices, 1);
    }

    std::vector<u8> CentrePixel()
    {
        Image image;
        render->CaptureScreen(image);
        return Pixel(image, 320, 240);
    }

    // Red, green, blue and alpha of the pixel, counted from the bottom left.
    static std::vector<u8> Pixel(const Image& image, u32 x, u32 y) { return Testing::PixelBytes(image, x, y); }

    size_t LogCount(const std::string& line) const { return Testing::LogProbe(*messages).Count(line); }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    std::unique_ptr<MessageManager> messages;
    std::unique_ptr<Config> config;
    std::unique_ptr<Window> window;
    std::unique_ptr<RenderSystem_D3D7> render;
};

} // namespace

TEST_F(RenderSystemGLTest, ClearedFrameWithAnIndexedColouredTriangleShowsInTheCapture)
{
    Start();
    DrawTriangle(0xFFFF0000u);
    render->SwapBuffers();
    Image image;
    render->CaptureScreen(image);
    ASSERT_EQ(image.GetWidth(), 640u);
    ASSERT_EQ(image.GetBitsPerPixel(), 32u);
    EXPECT_THAT(Pixel(image, 320, 240), ElementsAre(255, 0, 0, 255));
    EXPECT_THAT(Pixel(image, 320, 330), ElementsAre(255, 0, 0, 255));
    EXPECT_THAT(Pixel(image, 200, 150), ElementsAre(255, 0, 0, 255));
    EXPECT_THAT(Pixel(image, 200, 330), ElementsAre(0, 0, 0, 255));
    EXPECT_THAT(Pixel(image, 0, 0), ElementsAre(0, 0, 0, 255));
    EXPECT_THAT(Testing::LogProbe(*messages).Texts(MessageManager::kError), IsEmpty());
}

TEST_F(RenderSystemGLTest, PresentingAgainWithoutDrawingKeepsTheFrame)
{
    Start();
    DrawTriangle(0xFF0000FFu);
    render->SwapBuffers();
    render->SwapBuffers();
    Image image;
    render->CaptureScreen(image);
    EXPECT_THAT(Pixel(image, 320, 240), ElementsAre(0, 0, 255, 255));
}

TEST_F(RenderSystemGLTest, CulledWindingDrawsNothing)
{
    Start();
    render->SetCullMode(RenderSystem::kCullCounterClockwise);
    DrawTriangle(0xFFFF0000u);
    Image image;
    render->CaptureScreen(image);
    EXPECT_THAT(Pixel(image, 320, 240), ElementsAre(0, 0, 0, 255));
    render->SetCullMode(RenderSystem::kCullClockwise);
    DrawTriangle(0xFFFF0000u);
    render->CaptureScreen(image);
    EXPECT_THAT(Pixel(image, 320, 240), ElementsAre(255, 0, 0, 255));
}

TEST_F(RenderSystemGLTest, ForcedDeviceLossGoesThroughTheResetAndDrawsAgain)
{
    Start();
    DrawTriangle(0xFFFF0000u);
    const uint32_t contexts = video.ContextsMade();
    video.SimulateDeviceLoss(Platform::VideoResults::kWrongMode);
    render->Refresh();
    ASSERT_TRUE(render->IsResetNeeded());
    EXPECT_FALSE(render->IsDeviceReady());
    render->Reset(RenderSystem::kResetDevice | RenderSystem::kResetTextures);
    EXPECT_TRUE(render->IsDeviceReady());
    EXPECT_FALSE(render->IsResetNeeded());
    EXPECT_EQ(LogCount("\nReseting Direct3D device:\n"), 1u);
    EXPECT_EQ(LogCount("...Creating DirectDraw...\n"), 2u);
    EXPECT_EQ(video.ContextsMade(), contexts + 1);

    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    render->GetDevice()->SetTransform(Platform::TransformState::Projection, identity);
    DrawTriangle(0xFF00FF00u);
    render->Refresh();
    render->SwapBuffers();
    Image image;
    render->CaptureScreen(image);
    EXPECT_THAT(Pixel(image, 320, 240), ElementsAre(0, 255, 0, 255));
}

TEST_F(RenderSystemGLTest, FailingHardwareCreationFallsBackToTheSoftwareRasterizer)
{
    setenv("HALVARD_VIDEO_FAIL_HARDWARE", "1", 1);
    Start();
    const auto& device = static_cast<const DeviceInfo_D3D7&>(*render->GetChosenDevice());
    EXPECT_EQ(device.type, Platform::DeviceType::Software);
    std::vector<std::string> log = Testing::LogProbe(*messages).Texts();
    log.erase(log.begin(), std::find(log.begin(), log.end(), "...Creating Direct3D device...\n"));
    ASSERT_GE(log.size(), 17u);
    log.resize(17);
    EXPECT_THAT(log, ElementsAre("...Creating Direct3D device...\n", "...Releasing device...\n",
                                 "...Releasing surfaces...\n", "...Releasing Direct3D...\n",
                                 "...Releasing DirectDraw...\n",
                                 "\nError: RenderSystem_D3D7: Failed to create Direct3D device!\n\n",
                                 "\nWarning: ......RenderSystem_D3D7: Switching to the software rasterizer!\n\n",
                                 "...Creating DirectDraw...\n", "......Setting cooperative level...\n",
                                 "......Creating screen buffers...\n", "...Creating Direct3D...\n",
                                 "...Creating Direct3D device...\n", "......Setting viewport...\n",
                                 "......Creating Z Buffer...\n", std::string(56, '.') + "\n",
                                 "......Capabilities:\n", ::testing::StartsWith(".........Maximal texture units: ")));
    DrawTriangle(0xFFFF0000u);
    Image image;
    render->CaptureScreen(image);
    EXPECT_THAT(Pixel(image, 320, 240), ElementsAre(255, 0, 0, 255));
}

TEST_F(RenderSystemGLTest, NearerTrianglesHideFartherOnesWithTheDepthTestOn)
{
    Start();
    render->SetZ(true);
    render->BeginScene();
    DrawInScene(0xFFFF0000u, -0.25f);
    DrawInScene(0xFF00FF00u, -0.75f);
    render->EndScene();
    EXPECT_THAT(CentrePixel(), ElementsAre(255, 0, 0, 255));

    render->SetZ(false);
    render->BeginScene();
    DrawInScene(0xFFFF0000u, -0.25f);
    DrawInScene(0xFF00FF00u, -0.75f);
    render->EndScene();
    EXPECT_THAT(CentrePixel(), ElementsAre(0, 255, 0, 255));
}

// The stencil counts the pixels drawn since the clear and lets only the
// untouched ones through.
TEST_F(RenderSystemGLTest, WithTheStencilOnEachPixelIsDrawnOnceUntilTheNextClear)
{
    Start();
    ASSERT_TRUE(render->IsStencilPresent());
    render->SetStencil(true);
    render->BeginScene();
    DrawInScene(0xFFFF0000u, -0.5f);
    DrawInScene(0xFF00FF00u, -0.5f);
    render->EndScene();
    EXPECT_THAT(CentrePixel(), ElementsAre(255, 0, 0, 255));

    DrawTriangle(0xFF00FF00u);
    EXPECT_THAT(CentrePixel(), ElementsAre(0, 255, 0, 255));
}

TEST_F(RenderSystemGLTest, SourceAlphaBlendingMixesWithWhatIsThere)
{
    Start();
    render->SetAlphaBlend(true);
    render->SetBlend(4, 5);
    render->BeginScene();
    DrawInScene(0x80FFFFFFu, -0.5f);
    render->EndScene();
    const std::vector<u8> pixel = CentrePixel();
    for (int channel = 0; channel < 3; ++channel) {
        EXPECT_GE(pixel[channel], 126) << channel;
        EXPECT_LE(pixel[channel], 130) << channel;
    }
}

// The device keeps copies of the arrays it draws; every draw must still show
// them as they are at that draw: changed through a lock, read further once
// the index count grew, written while still locked, or made anew where freed
// ones lay.
TEST_F(RenderSystemGLTest, EveryDrawShowsTheBuffersAsTheyAreAtThatDraw)
{
    Start();
    const auto fill = [](VertexBuffer& buffer, u32 color) {
        ColoredVertex* v = buffer.Lock<ColoredVertex>(0, 6);
        for (int side = 0; side < 2; ++side) {
            const float x = side == 0 ? -0.5f : 0.5f;
            v[3 * side] = ColoredVertex{x - 0.4f, -0.5f, -0.5f, 0, 0, 1, color, 0, 0};
            v[3 * side + 1] = ColoredVertex{x + 0.4f, -0.5f, -0.5f, 0, 0, 1, color, 0, 0};
            v[3 * side + 2] = ColoredVertex{x, 0.5f, -0.5f, 0, 0, 1, color, 0, 0};
        }
        return v;
    };
    const auto make = [&](u32 color) {
        std::unique_ptr<VertexBuffer> vertices = render->CreateVertexBuffer(0, true, 6);
        fill(*vertices, color);
        vertices->Unlock();
        return vertices;
    };
    std::unique_ptr<VertexBuffer> vertices = make(0xFFFF0000u);
    std::unique_ptr<IndexBuffer> indices = render->CreateIndexBuffer(0, 6);
    const u32 order[] = {0, 1, 2, 3, 4, 5};
    indices->SetIndices(0, 6, order);
    indices->SetIndexCount(3);
    // The centres of the left and the right triangle.
    const auto frame = [&](u32 triangles) {
        render->BeginScene();
        render->DrawIndexedPrimitive(false, *indices, *vertices, triangles);
        render->EndScene();
        Image image;
        render->CaptureScreen(image);
        return std::vector<std::vector<u8>>{Pixel(image, 160, 240), Pixel(image, 480, 240)};
    };
    const std::vector<u8> black = {0, 0, 0, 255};
    const std::vector<u8> red = {255, 0, 0, 255};
    const std::vector<u8> green = {0, 255, 0, 255};
    const std::vector<u8> blue = {0, 0, 255, 255};
    const std::vector<u8> white = {255, 255, 255, 255};

    EXPECT_THAT(frame(1), ElementsAre(red, black));
    EXPECT_THAT(frame(1), ElementsAre(red, black)) << "drawn again unchanged";
    vertices->SetColor(0.0f, 1.0f, 0.0f, 1.0f);
    EXPECT_THAT(frame(1), ElementsAre(green, black)) << "changed through a lock";
    indices->SetIndexCount(6);
    EXPECT_THAT(frame(2), ElementsAre(green, green)) << "more indices read";
    ColoredVertex* locked = fill(*vertices, 0xFF0000FFu);
    EXPECT_THAT(frame(2), ElementsAre(blue, blue)) << "written while locked";
    for (int i = 0; i < 6; ++i)
        locked[i].color = 0xFFFFFFFFu;
    EXPECT_THAT(frame(2), ElementsAre(white, white)) << "written again, still locked";
    vertices->Unlock();
    vertices.reset();
    vertices = make(0xFF0000FFu);
    EXPECT_THAT(frame(2), ElementsAre(blue, blue)) << "a new buffer";
    EXPECT_THAT(Testing::LogProbe(*messages).Texts(MessageManager::kError), IsEmpty());
}

namespace {

// Buffers sent once may share storage on the device: drawing several in one
// frame, changing one and drawing them again shows each as it is, and one
// buffer's change or end leaves the others whole.
TEST_F(RenderSystemGLTest, BuffersDrawnTogetherStayApartWhenOneChangesOrGoes)
{
    Start();
    const auto make = [&](float x, u32 color) {
        std::unique_ptr<VertexBuffer> vertices = render->CreateVertexBuffer(0, true, 3);
        ColoredVertex* v = vertices->Lock<ColoredVertex>(0, 3);
        v[0] = ColoredVertex{x - 0.2f, -0.5f, -0.5f, 0, 0, 1, color, 0, 0};
        v[1] = ColoredVertex{x + 0.2f, -0.5f, -0.5f, 0, 0, 1, color, 0, 0};
        v[2] = ColoredVertex{x, 0.5f, -0.5f, 0, 0, 1, color, 0, 0};
        vertices->Unlock();
        return vertices;
    };
    std::vector<std::unique_ptr<VertexBuffer>> buffers;
    const float places[] = {-0.6f, 0.0f, 0.6f};
    for (float x : places)
        buffers.push_back(make(x, 0xFFFF0000u));
    std::unique_ptr<IndexBuffer> indices = render->CreateIndexBuffer(0, 3);
    const u32 order[] = {0, 1, 2};
    indices->SetIndices(0, 3, order);
    indices->SetIndexCount(3);
    const auto frame = [&] {
        render->BeginScene();
        for (const std::unique_ptr<VertexBuffer>& buffer : buffers)
            if (buffer)
                render->DrawIndexedPrimitive(false, *indices, *buffer, 1);
        render->EndScene();
        Image image;
        render->CaptureScreen(image);
        std::vector<std::vector<u8>> seen;
        for (float x : places)
            seen.push_back(Pixel(image, static_cast<u32>((x + 1.0f) * 320.0f), 240));
        return seen;
    };
    const std::vector<u8> black = {0, 0, 0, 255};
    const std::vector<u8> red = {255, 0, 0, 255};
    const std::vector<u8> green = {0, 255, 0, 255};

    EXPECT_THAT(frame(), ElementsAre(red, red, red));
    buffers[1]->SetColor(0.0f, 1.0f, 0.0f, 1.0f);
    EXPECT_THAT(frame(), ElementsAre(red, green, red)) << "the middle one changed";
    buffers[0].reset();
    buffers[0] = make(-0.6f, 0xFF00FF00u);
    EXPECT_THAT(frame(), ElementsAre(green, green, red)) << "the first one made anew";
    buffers[2].reset();
    EXPECT_THAT(frame(), ElementsAre(green, green, black)) << "the last one gone";
    EXPECT_THAT(Testing::LogProbe(*messages).Texts(MessageManager::kError), IsEmpty());
}

} // namespace
