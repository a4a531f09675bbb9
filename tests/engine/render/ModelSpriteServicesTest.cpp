#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ModelSpriteServices.h"
#include "engine/render/SpriteCanvas.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/SpriteGroupManager.h"

#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;

namespace {

MATCHER_P3(IsVector3, x, y, z, "")
{
    *result_listener << "(" << arg.x << ", " << arg.y << ", " << arg.z << ")";
    return arg.x == static_cast<float>(x) && arg.y == static_cast<float>(y) && arg.z == static_cast<float>(z);
}

class ModelSpriteServicesTest : public ::testing::Test {
protected:
    u32 RegisteredModels() { return engine->GetModelManager()->GetModels().GetCount(); }

    Testing::TestEngine engine;
    ModelSpriteServices services{engine->GetModelManager()};
};

} // namespace

TEST_F(ModelSpriteServicesTest, OnlyRegisteredCanvasesEnterTheModelTableAndLeaveItWithTheCanvas)
{
    const u32 before = RegisteredModels();
    {
        auto drawn = services.CreateCanvas(SpriteGroup::kModelFlags, 8, 12, nullptr, nullptr, true);
        auto kept = services.CreateCanvas(SpriteGroup::kModelFlags, 8, 12, nullptr, nullptr, false);
        EXPECT_EQ(RegisteredModels(), before + 1);
        EXPECT_EQ(drawn->GetModel()->GetName(), "self_made");
        EXPECT_EQ(drawn->GetModel()->GetCamera(), engine->GetCameraManager()->GetDefaultCamera());
        EXPECT_EQ(drawn->GetVertexBuffer(), &drawn->GetModel()->GetVertexBuffer());
        EXPECT_EQ(kept->GetFlags(), drawn->GetFlags());

        auto copy = services.CopyCanvas(*kept);
        EXPECT_EQ(RegisteredModels(), before + 2);
        EXPECT_NE(copy->GetModel(), kept->GetModel());
    }
    EXPECT_EQ(RegisteredModels(), before);
}

TEST_F(ModelSpriteServicesTest, TheViewLooksWhereTheCameraLooks)
{
    Camera* camera = engine->GetCameraManager()->GetDefaultCamera();
    camera->position = Vector3(1.0f, 2.0f, 3.0f);
    engine->BeginFrame();
    engine->EndFrame(0);
    auto canvas = services.CreateCanvas(SpriteGroup::kModelFlags, 4, 6, nullptr, camera, true);
    const SpriteView view = canvas->GetView();
    EXPECT_THAT(view.position, IsVector3(1, 2, 3));
    EXPECT_THAT(view.right, IsVector3(1, 0, 0));
    EXPECT_THAT(view.up, IsVector3(0, 1, 0));
    EXPECT_THAT(view.viewing, IsVector3(0, 0, -1));
}

TEST_F(ModelSpriteServicesTest, AShaderFileThatCannotBeReadGivesThePlainShader)
{
    EXPECT_EQ(services.ReadShaderDescriptor("particles\\none.srf"), nullptr);
    const auto canvas = services.CreateCanvas(SpriteGroup::kModelFlags, 4, 6, nullptr, nullptr, true);
    canvas->SetShader(nullptr);
    EXPECT_NE(canvas->GetShaderUser(), nullptr);
}

TEST_F(ModelSpriteServicesTest, TheEnginesSpriteGroupsAreDrawnByItsModels)
{
    const u32 before = RegisteredModels();
    SpriteGroupManager& groups = *engine->GetSpriteGroupManager();
    SpriteGroup* group = groups.CreateSpriteGroup(3, nullptr, nullptr);
    EXPECT_EQ(RegisteredModels(), before + 1);
    group->AddSprite(Vector3(0.0f, 0.0f, -5.0f), 1.0f, Vector4(1.0f, 1.0f, 1.0f, 1.0f));
    engine->BeginFrame();
    engine->EndFrame(0);
    EXPECT_EQ(group->GetModel()->GetIndexBuffer().GetIndexCount(), 6u);
    EXPECT_EQ(group->GetModel()->GetDrawnPrimitives(), 2u);
    groups.DestroySpriteGroup(group);
    EXPECT_EQ(RegisteredModels(), before);
}
