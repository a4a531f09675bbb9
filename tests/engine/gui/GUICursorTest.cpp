#include "engine/gui/GUICursor.h"

#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/TestEngine.h"
#include "tests/support/VectorMatchers.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Halvard;
using Testing::IsNearVector2;
using Testing::IsVector2;

namespace {

// Cursors on a real engine's 800 x 600 window, the mouse moved by window
// events as SDL delivers them.
class GUICursorTest : public testing::Test {
protected:
    GUICursorTest() : engine(Options())
    {
        Testing::ResetInput();
        camera = engine->GetCameraManager()->CreateCamera(true);
        SetSpace(800.0f, 600.0f);
        services.messages = engine->GetMessageManager();
        services.window = engine->GetWindow();
        services.models = engine->GetModelManager();
        services.controls = engine->GetControls();
        services.camera = camera;
    }

    ~GUICursorTest() override
    {
        engine->GetCameraManager()->DestroyCamera(camera);
        Testing::ResetInput();
    }

    static Testing::TestEngineOptions Options()
    {
        Testing::TestEngineOptions options;
        options.videoMode = "800x600x32";
        return options;
    }

    void SetSpace(float width, float height)
    {
        camera->orthographicWidth = width;
        camera->orthographicHeight = height;
    }

    void MoveMouse(Sint32 x, Sint32 y)
    {
        Testing::Dispatch({Testing::MouseMotion(x, y, 0, 0, Testing::WindowIdOf(*engine->GetWindow()))});
    }

    Testing::TestEngine engine;
    Camera* camera = nullptr;
    GUIServices services;
};

} // namespace

TEST_F(GUICursorTest, TheMouseMapsOntoTheGUISpaceWithYTurnedUp)
{
    struct Case {
        Vector2 space;
        Sint32 x, y;
        Vector2 expected;
    };
    const Case cases[] = {
        {{800.0f, 600.0f}, 0, 0, {0.0f, 599.0f}},
        {{800.0f, 600.0f}, 799, 599, {799.0f, 0.0f}},
        {{4.0f, 3.0f}, 0, 0, {0.0f, 2.995f}},
        {{4.0f, 3.0f}, 799, 599, {3.995f, 0.0f}},
    };
    GUICursor cursor(services, nullptr);
    ASSERT_EQ(engine->GetWindow()->GetClientWidth(), 800u);
    for (const Case& c : cases) {
        SetSpace(c.space.x, c.space.y);
        MoveMouse(c.x, c.y);
        cursor.Update();
        EXPECT_THAT(cursor.position, IsNearVector2(c.expected.x, c.expected.y, 1e-4f)) << c.x << ", " << c.y;
    }
}

TEST_F(GUICursorTest, AMinimisedWindowKeepsTheLastPosition)
{
    GUICursor cursor(services, nullptr);
    MoveMouse(100, 100);
    cursor.Update();
    Testing::Dispatch({Testing::WindowEvent(SDL_WINDOWEVENT_MINIMIZED)});
    ASSERT_TRUE(engine->GetWindow()->IsMinimized());
    MoveMouse(300, 300);
    cursor.Update();
    EXPECT_THAT(cursor.position, IsVector2(100.0f, 499.0f));
    EXPECT_TRUE(std::isfinite(cursor.position.x) && std::isfinite(cursor.position.y));
    Testing::Dispatch({Testing::WindowEvent(SDL_WINDOWEVENT_RESTORED)});
    cursor.Update();
    EXPECT_THAT(cursor.position, IsVector2(300.0f, 299.0f));
}

TEST_F(GUICursorTest, TheQuadHangsBelowTheHotSpotAndShowsOnlyWhileVisible)
{
    GUICursor cursor(services, MakeDefaultShaderDescriptor(), 32.0f);
    Model* model = cursor.GetModel();
    ASSERT_NE(model, nullptr);
    EXPECT_FLOAT_EQ(model->depth, -30.1f);
    EXPECT_EQ(model->GetCamera(), camera);
    cursor.position = Vector2(200.0f, 300.0f);
    cursor.Draw();
    EXPECT_EQ(model->GetFlags() & Model::kVisible, 0u);
    cursor.visible = true;
    cursor.Draw();
    EXPECT_NE(model->GetFlags() & Model::kVisible, 0u);
    const Matrix4 world = model->worldMatrix;
    const auto place = [&](float x, float y) {
        return Vector2(world.m[0] * x + world.m[1] * y + world.m[3], world.m[4] * x + world.m[5] * y + world.m[7]);
    };
    // The quad's corners (0, 0) and (s, -s): the picture's top left at the
    // hot spot, its bottom right below and to the right.
    EXPECT_THAT(place(0.0f, 0.0f), IsVector2(200.0f, 300.0f));
    EXPECT_THAT(place(32.0f, -32.0f), IsVector2(232.0f, 268.0f));
}

TEST_F(GUICursorTest, ACopiedModelGoesToTheWidgetListOnTheGUICamera)
{
    Model* source = engine->GetModelManager()->CreateModel(0xC11, 4, 4, 1, nullptr, nullptr);
    source->SetFlags(Model::kLit | Model::kDepthTest);
    const u32 modelsBefore = engine->GetModelManager()->GetModels().GetCount();
    {
        GUICursor cursor(services, source);
        Model* copy = cursor.GetModel();
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, source);
        EXPECT_EQ(copy->GetFlags() & 0x400C0u, 0u);
        EXPECT_EQ(copy->GetFlags() & 0xC00u, 0xC00u);
        EXPECT_EQ(copy->GetCamera(), camera);
        EXPECT_FLOAT_EQ(copy->depth, -30.1f);
        EXPECT_EQ(engine->GetModelManager()->GetModels().GetCount(), modelsBefore + 1);
    }
    EXPECT_EQ(engine->GetModelManager()->GetModels().GetCount(), modelsBefore);
    engine->GetModelManager()->DestroyModel(source);
}
