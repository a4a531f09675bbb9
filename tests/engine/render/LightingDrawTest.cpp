#include "engine/app/Engine.h"
#include "engine/core/Image.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/VertexBuffer.h"
#include "platform/video/GLVideoSystem.h"

#include "tests/support/LogProbe.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/TestEngine.h"
#include "tools/ImageWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace Halvard;
using ::testing::Contains;
using ::testing::HasSubstr;

namespace {

constexpr float kHalfSize = 2.0f;
constexpr float kLightHeight = 2.0f;
constexpr float kLightDiffuse = 0.8f;
constexpr float kLinearAttenuation = 0.1f;
const u8 kTexel[3] = {200, 160, 120};

struct Rgb {
    int r, g, b;
};

// A 4 x 4 quad on the plane z = 0, facing +z, textured through a shader and
// drawn through the real window and OpenGL backends with the engine's
// cameras and lights.
class LightingDrawTest : public ::testing::Test {
protected:
    LightingDrawTest()
    {
        std::vector<u8> rows;
        for (int i = 0; i < 16; ++i)
            rows.insert(rows.end(), {kTexel[2], kTexel[1], kTexel[0]});
        engine.Folder().WriteFile("data\\plain.bmp", Tools::BmpFile(4, 4, 24, rows));
        shader = engine->GetShaderManager()->CreateShaderUser(MakeShaderDescriptor("plain.bmp", "", false));

        vertices = Render().CreateVertexBuffer(0, false, 4);
        PlainVertex* v = vertices->Lock<PlainVertex>(0, 4);
        v[0] = PlainVertex{-kHalfSize, -kHalfSize, 0, 0, 0, 1, 0, 0};
        v[1] = PlainVertex{kHalfSize, -kHalfSize, 0, 0, 0, 1, 1, 0};
        v[2] = PlainVertex{-kHalfSize, kHalfSize, 0, 0, 0, 1, 0, 1};
        v[3] = PlainVertex{kHalfSize, kHalfSize, 0, 0, 0, 1, 1, 1};
        vertices->Unlock();
        indices = Render().CreateIndexBuffer(0, 4);
        const u32 order[] = {0, 1, 2, 3};
        indices->SetIndices(0, 4, order);

        light = engine->GetLightManager()->CreateLight();
        light->position = Vector3(0.0f, 0.0f, kLightHeight);
        light->ambient = Vector4(0.0f, 0.0f, 0.0f, 1.0f);
        light->specular = Vector4(0.0f, 0.0f, 0.0f, 1.0f);
        light->diffuse = Vector4(kLightDiffuse, kLightDiffuse, kLightDiffuse, 1.0f);
        light->linearAttenuation = kLinearAttenuation;
    }

    RenderSystem_D3D7& Render() { return static_cast<RenderSystem_D3D7&>(*engine->GetRenderSystem()); }

    // One frame of the quad seen by the camera, lit or not, captured.
    void Draw(Image& image, Camera* camera, bool lit)
    {
        engine->BeginFrame();
        engine->UpdateManagers();
        RenderSystem_D3D7& render = Render();
        render.BeginScene();
        engine->GetCameraManager()->ApplyCamera(camera, false);
        engine->GetLightManager()->SetLighting(lit);
        shader->Apply();
        render.DrawIndexedPrimitive(true, *indices, *vertices, 2);
        render.EndScene();
        render.CaptureScreen(image);
    }

    Rgb PixelAt(const Image& image, Camera* camera, const Vector3& world)
    {
        Vector2 screen(0.0f, 0.0f);
        engine->GetCameraManager()->ProjectPoint(screen, camera, world);
        const u32 x = static_cast<u32>(screen.x);
        const u32 y = static_cast<u32>(screen.y);
        const u8* p = image.GetData() + (static_cast<std::size_t>(y) * image.GetWidth() + x) * 4u;
        return Rgb{p[0], p[1], p[2]};
    }

    // Lighting is worked out at the corners, which all lie at the same
    // distance and angle from the light above the centre, so the whole quad
    // takes the same share of the light.
    static float CornerLighting()
    {
        const float distance = std::sqrt(2.0f * kHalfSize * kHalfSize + kLightHeight * kLightHeight);
        const float cosine = kLightHeight / distance;
        return kLightDiffuse * cosine / (1.0f + kLinearAttenuation * distance);
    }

    static void ExpectScaled(const Rgb& lit, const Rgb& unlit, float factor)
    {
        EXPECT_NEAR(lit.r, unlit.r * factor, 3.0f);
        EXPECT_NEAR(lit.g, unlit.g * factor, 3.0f);
        EXPECT_NEAR(lit.b, unlit.b * factor, 3.0f);
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::TestEngine engine;
    ShaderUser* shader = nullptr;
    std::unique_ptr<VertexBuffer> vertices;
    std::unique_ptr<IndexBuffer> indices;
    Light* light = nullptr;
};

} // namespace

TEST_F(LightingDrawTest, PointLightScalesTheTextureAsPredicted)
{
    Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    camera->SetPosition(Vector3(0.0f, 0.0f, 10.0f));

    Image unlit;
    Draw(unlit, camera, false);
    const Rgb plain = PixelAt(unlit, camera, Vector3(0.0f, 0.0f, 0.0f));
    EXPECT_NEAR(plain.r, kTexel[0], 2);
    EXPECT_NEAR(plain.g, kTexel[1], 2);
    EXPECT_NEAR(plain.b, kTexel[2], 2);

    Image lit;
    Draw(lit, camera, true);
    const float factor = CornerLighting();
    ExpectScaled(PixelAt(lit, camera, Vector3(0.0f, 0.0f, 0.0f)), plain, factor);
    ExpectScaled(PixelAt(lit, camera, Vector3(1.5f, -1.5f, 0.0f)), PixelAt(unlit, camera, Vector3(1.5f, -1.5f, 0.0f)),
                 factor);
    const Rgb outside = PixelAt(lit, camera, Vector3(3.0f, 0.0f, 0.0f));
    EXPECT_EQ(outside.r + outside.g + outside.b, 0);
}

TEST_F(LightingDrawTest, LightsStayInTheWorldWhenTheCameraChanges)
{
    CameraManager& cameras = *engine->GetCameraManager();
    Camera* first = cameras.GetDefaultCamera();
    first->SetPosition(Vector3(0.0f, 0.0f, 10.0f));
    Camera* second = cameras.CreateCamera(false);
    second->SetPosition(Vector3(1.0f, 1.5f, 12.0f));
    second->orientation = Quaternion(0.0f, 0.0998334f, 0.0f, 0.9950042f);

    const float factor = CornerLighting();
    Image before;
    Draw(before, first, true);
    Image after;
    Draw(after, second, true);
    Image unlit;
    Draw(unlit, second, false);
    for (const Vector3& point : {Vector3(0.0f, 0.0f, 0.0f), Vector3(-1.5f, 1.5f, 0.0f)}) {
        ExpectScaled(PixelAt(after, second, point), PixelAt(unlit, second, point), factor);
        const Rgb a = PixelAt(before, first, point);
        const Rgb b = PixelAt(after, second, point);
        EXPECT_NEAR(a.r, b.r, 2);
        EXPECT_NEAR(a.g, b.g, 2);
    }
}

TEST_F(LightingDrawTest, LightBeyondTheDeviceLightsIsALoggedFailure)
{
    for (int i = 0; i < 8; ++i)
        engine->GetLightManager()->CreateLight();
    engine->UpdateManagers();
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).Texts(MessageManager::kError),
                Contains(HasSubstr("Light_D3D7::Refresh")));
    // The first eight still light the quad.
    Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    camera->SetPosition(Vector3(0.0f, 0.0f, 10.0f));
    Image lit;
    Draw(lit, camera, true);
    EXPECT_GT(PixelAt(lit, camera, Vector3(0.0f, 0.0f, 0.0f)).r, 0);
}
