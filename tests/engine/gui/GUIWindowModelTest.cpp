#include "engine/gui/GUIWindow.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/VertexBuffer.h"
#include "tests/support/ModelHarness.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Halvard;

namespace {

// Windows with pictures on the fake video system.
class GUIWindowModelTest : public testing::Test {
protected:
    GUIWindowModelTest()
    {
        harness.Start();
        services.models = harness.models.get();
    }

    std::unique_ptr<GUIWindow> Quad(u32 flags, const Vector2& uvExtent)
    {
        const GUIPlacement placement{flags, Vector2(1.0f, 2.0f), Vector2(3.0f, 0.5f), nullptr};
        return std::make_unique<GUIWindow>(services, placement, MakeDefaultShaderDescriptor(), uvExtent);
    }

    Testing::ModelHarness harness;
    GUIServices services;
};

} // namespace

TEST_F(GUIWindowModelTest, AnOwnQuadIsAUnitSquareWithTheUvExtentAtItsFarCorner)
{
    const auto window = Quad(GUIWindow::kShown, Vector2(0.5f, 0.25f));
    ASSERT_NE(window->GetModel(), nullptr);
    EXPECT_TRUE(window->HasOwnQuad());
    const VertexBuffer& buffer = window->GetModel()->GetVertexBuffer();
    ASSERT_FALSE(buffer.HasColor());
    const auto* v = reinterpret_cast<const PlainVertex*>(buffer.GetData());
    const float expected[4][4] = {{1, 0, 0.5f, 0}, {1, 1, 0.5f, 0.25f}, {0, 0, 0, 0}, {0, 1, 0, 0.25f}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(v[i].x, expected[i][0]) << i;
        EXPECT_FLOAT_EQ(v[i].y, expected[i][1]) << i;
        EXPECT_FLOAT_EQ(v[i].u, expected[i][2]) << i;
        EXPECT_FLOAT_EQ(v[i].v, expected[i][3]) << i;
    }
    EXPECT_FLOAT_EQ(window->GetModel()->depth, -15.0f);
    EXPECT_NE(window->GetModel()->GetFlags() & Model::kVisible, 0u);
    window->ClearFlags(GUIWindow::kShown);
    EXPECT_EQ(window->GetModel()->GetFlags() & Model::kVisible, 0u);
}

TEST_F(GUIWindowModelTest, DrawingLaysTheModelOverTheRectangleUnderItsLocalMatrix)
{
    const auto window = Quad(GUIWindow::kShown, Vector2(1.0f, 1.0f));
    MatrixTranslation(window->GetModel()->localMatrix, Vector3(0.0f, -1.0f, 0.0f));
    EXPECT_TRUE(window->Draw());
    const Vector3 corner = window->GetModel()->worldMatrix.TransformPoint(Vector3(1.0f, 1.0f, 0.0f));
    EXPECT_FLOAT_EQ(corner.x, 4.0f);
    EXPECT_FLOAT_EQ(corner.y, 2.0f);
    window->placeModel = false;
    window->position = Vector2(9.0f, 9.0f);
    window->Draw();
    EXPECT_FLOAT_EQ(window->GetModel()->worldMatrix.TransformPoint(Vector3(0.0f, 0.0f, 0.0f)).x, 1.0f);
}

TEST_F(GUIWindowModelTest, ColourAndAlphaLiveInTheVerticesOfAColouredModel)
{
    const auto coloured = Quad(GUIWindow::kShown | GUIWindow::kColored, Vector2(1.0f, 1.0f));
    EXPECT_FLOAT_EQ(coloured->GetAlpha(), 1.0f);
    coloured->SetColor(Vector4(0.0f, 0.0f, 0.0f, 1.0f));
    coloured->SetAlpha(0.2f);
    EXPECT_FLOAT_EQ(coloured->GetColor().x, 0.0f);
    EXPECT_NEAR(coloured->GetAlpha(), 0.2f, 1.0f / 255.0f);
    const auto plain = Quad(GUIWindow::kShown, Vector2(1.0f, 1.0f));
    plain->SetColor(Vector4(0.0f, 0.0f, 0.0f, 0.5f));
    EXPECT_FLOAT_EQ(plain->GetColor().x, 1.0f);
    EXPECT_FLOAT_EQ(plain->GetAlpha(), 1.0f);
}

TEST_F(GUIWindowModelTest, ACopiedModelIsDrawnAsAWidgetAndHoldsAFrame)
{
    const auto source = Quad(0, Vector2(1.0f, 1.0f));
    source->GetModel()->SetFlags(Model::kLit | Model::kDepthTest);
    MatrixTranslation(source->GetModel()->localMatrix, Vector3(5.0f, 0.0f, 0.0f));
    const auto copy = std::make_unique<GUIWindow>(
        services, GUIPlacement{GUIWindow::kShown, Vector2(), Vector2(), nullptr}, source->GetModel());
    const u32 flags = copy->GetModel()->GetFlags();
    EXPECT_EQ(flags & (Model::kLit | Model::kDepthTest), 0u);
    EXPECT_EQ(flags & (Model::kSecondList | Model::kFixedDepth | Model::kVisible),
              static_cast<u32>(Model::kSecondList | Model::kFixedDepth | Model::kVisible));
    EXPECT_FLOAT_EQ(copy->GetModel()->localMatrix.m[3], 5.0f);
    EXPECT_FALSE(copy->HasOwnQuad());
    AnimationControl& animation = *copy->GetAnimation();
    animation.HoldFrame(3);
    EXPECT_TRUE(animation.IsHeld());
    EXPECT_EQ(animation.GetFrameA(), 0u);
    animation.Play();
    EXPECT_FALSE(animation.IsHeld());
}
