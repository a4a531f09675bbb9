#include "engine/core/Image.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "platform/video/GLVideoSystem.h"
#include "tools/ModelWriter.h"

#include "tests/support/GoldenImage.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Halvard;

namespace {

struct Rgb {
    int r, g, b;
};

constexpr u32 kShrink = 8;
constexpr int kGoldenTolerance = 6;
constexpr int kProbeTolerance = 3;
constexpr u32 kSourceAlpha = 4;
constexpr u32 kInverseSourceAlpha = 5;

std::filesystem::path GoldenPath()
{
    return std::filesystem::path(TAMRISK_TESTS_SOURCE_DIR) / "engine" / "render" / "golden" / "model_scene.ppm";
}

// A static box, a vertex-animated box caught halfway between its frames, a
// skinned box carried by its bone, a translucent box over a white one and
// two overlapping shadows drawn with the stencil on, all unlit, seen by the
// default camera through the real window and OpenGL backends.
class ModelDrawTest : public ::testing::Test {
protected:
    ModelDrawTest() { manager = engine->GetModelManager(); }

    void WriteModel(const std::string& name, const Tools::ModelFileData& data)
    {
        const std::vector<std::uint8_t> bytes = Tools::BuildModelFile(data);
        engine.Folder().WriteFile("data\\" + name, std::string(bytes.begin(), bytes.end()));
    }

    Model* FromFile(const std::string& name, const Vector4& color)
    {
        Model* model = manager->CreateModelFromFile(
            name, nullptr, Model::kVisible | Model::kColored | Model::kDepthTest | Model::kFirstList);
        model->SetColor(color);
        return model;
    }

    Model* Box(const Vector3& min, const Vector3& max, const Vector4& color, const ShaderDescriptor* shader = nullptr,
               u32 extraFlags = 0)
    {
        const float lo[3] = {min.x, min.y, min.z};
        const float hi[3] = {max.x, max.y, max.z};
        Model* box = manager->CreateModelFromArrays(lo, hi, shader, nullptr, Model::kColored | extraFlags);
        box->ClearFlags(Model::kLit);
        box->SetColor(color);
        return box;
    }

    void BuildScene()
    {
        WriteModel("static.hml", Tools::MakeBoxModelData({-6, 2, -11}, {-4, 4, -9}));
        FromFile("static.hml", Vector4(1, 0, 0, 1));

        Tools::ModelFileData animated = Tools::MakeBoxModelData({-2.5f, 2, -11}, {-0.5f, 4, -9});
        animated.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
        animated.frameCount = 2;
        const Tools::ModelFileData moved = Tools::MakeBoxModelData({1.5f, 2, -11}, {3.5f, 4, -9});
        animated.vertices.insert(animated.vertices.end(), moved.vertices.begin(), moved.vertices.end());
        animated.bounds.push_back(moved.bounds[0]);
        WriteModel("animated.hml", animated);
        FromFile("animated.hml", Vector4(0, 1, 0, 1))->GetAnimationControl().time = 0.5f;

        const Tools::ModelFileData shape = Tools::MakeBoxModelData({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
        Tools::ModelFileData skinned;
        skinned.flags = Tools::kModelSkinned | Tools::kModelTriangleList;
        skinned.bones = {Tools::ModelFileBone{0, "carrier", {0, 0, 0}, {-1, -1, -1}, {1, 1, 1}, 0, 0}};
        skinned.keys = {Tools::ModelFileKey{{5, 3, -10}, {0, 0, 0, 1}, {2, 2, 2}}};
        skinned.indices = shape.indices;
        skinned.vertexCount = shape.vertexCount;
        for (const Tools::ModelFileVertex& vertex : shape.vertices)
            skinned.skinVertices.push_back(
                Tools::ModelFileSkinVertex{vertex.u, vertex.v, {{0, 1.0f, vertex.normal, vertex.position}}});
        skinned.bounds = {Tools::ModelFileBounds{}};
        WriteModel("skinned.hml", skinned);
        FromFile("skinned.hml", Vector4(0, 0, 1, 1));

        ShaderDescriptor blend(ShaderDescriptor::kAlphaBlending);
        blend.SetBlendFactor(0, kSourceAlpha);
        blend.SetBlendFactor(1, kInverseSourceAlpha);
        Box(Vector3(-7, -5.5f, -12.05f), Vector3(-2, -0.5f, -11.95f), Vector4(1, 1, 1, 1));
        Box(Vector3(-6, -4, -10.05f), Vector3(-4, -2, -9.95f), Vector4(1, 0, 0, 0.5f), &blend, Model::kSecondList);

        Box(Vector3(1.5f, -5.5f, -12.05f), Vector3(6.5f, -0.5f, -11.95f), Vector4(0.8f, 0.8f, 0.8f, 1));
        const u32 shadow = Model::kSecondList | Model::kStencil | Model::kNoDepthWrite;
        Box(Vector3(2.5f, -4, -10.05f), Vector3(4.5f, -2, -9.95f), Vector4(0, 0, 0, 0.5f), &blend, shadow);
        Box(Vector3(3.5f, -4, -10.05f), Vector3(5.5f, -2, -9.95f), Vector4(0, 0, 0, 0.5f), &blend, shadow);
    }

    void DrawFrame()
    {
        engine->BeginFrame();
        engine->EndFrame(0);
        engine->GetRenderSystem()->CaptureScreen(image);
    }

    Rgb PixelAt(const Vector3& world)
    {
        Vector2 screen(0.0f, 0.0f);
        CameraManager& cameras = *engine->GetCameraManager();
        cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), world);
        const u8* p = image.GetData() +
                      (static_cast<std::size_t>(screen.y) * image.GetWidth() + static_cast<u32>(screen.x)) * 4u;
        return Rgb{p[0], p[1], p[2]};
    }

    static void ExpectColour(const Rgb& pixel, int r, int g, int b, const char* what)
    {
        EXPECT_NEAR(pixel.r, r, kProbeTolerance) << what;
        EXPECT_NEAR(pixel.g, g, kProbeTolerance) << what;
        EXPECT_NEAR(pixel.b, b, kProbeTolerance) << what;
    }

    Platform::GLVideoSystem video;
    Testing::ScopedVideoSystem installed{video};
    Testing::TestEngine engine{{.stencilRequest = true}};
    ModelManager* manager = nullptr;
    Image image;
};

} // namespace

TEST_F(ModelDrawTest, SceneOfEveryKindOfModelMatchesItsProbesAndTheGoldenImage)
{
    ASSERT_TRUE(engine->GetRenderSystem()->IsStencilPresent());
    BuildScene();
    DrawFrame();
    EXPECT_EQ(manager->GetDrawnModelCount(), 8u);

    ExpectColour(PixelAt(Vector3(-5, 3, -9)), 255, 0, 0, "static box");
    ExpectColour(PixelAt(Vector3(0.5f, 3, -9)), 0, 255, 0, "animated box halfway");
    ExpectColour(PixelAt(Vector3(-2.2f, 3, -9)), 0, 0, 0, "animated box's first frame is left behind");
    ExpectColour(PixelAt(Vector3(5, 3, -9)), 0, 0, 255, "skinned box at its bone");
    ExpectColour(PixelAt(Vector3(-5, -3, -9.95f)), 255, 128, 128, "translucent over white");
    ExpectColour(PixelAt(Vector3(3, -3, -9.95f)), 102, 102, 102, "one shadow");
    ExpectColour(PixelAt(Vector3(4, -3, -9.95f)), 102, 102, 102, "two shadows darken once");
    ExpectColour(PixelAt(Vector3(4, -1, -11.95f)), 204, 204, 204, "no shadow");

    EXPECT_TRUE(Testing::GoldenImage(GoldenPath(), kShrink, kGoldenTolerance).Matches(image));
}
