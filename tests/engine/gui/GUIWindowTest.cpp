#include "engine/gui/GUIWindow.h"


#include <gtest/gtest.h>

using namespace Halvard;

namespace {

constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);
// Windows without picture, fonts or sounds: the tree, the flags and the
// hit test need none of them.
const GUIServices kBare{};

GUIPlacement Place(u32 flags, const Vector2& position, const Vector2& size, GUIWindow* parent)
{
    return GUIPlacement{flags, position, size, parent};
}

} // namespace

TEST(GUIWindowTest, HidingAParentHidesItsSubtreeAndShowingItShowsOnlyShownChildren)
{
    GUIWindow parent(kBare, Place(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(2.0f, 1.0f), nullptr), nullptr);
    GUIWindow shownChild(kBare, Place(GUIWindow::kShown, Vector2(0.5f, 0.0f), Vector2(1.0f, 1.0f), &parent), nullptr);
    GUIWindow hiddenChild(kBare, Place(0, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), &parent), nullptr);
    EXPECT_TRUE(shownChild.visible);
    EXPECT_FALSE(hiddenChild.visible);
    parent.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(shownChild.visible);
    parent.SetFlags(GUIWindow::kShown);
    EXPECT_TRUE(shownChild.visible);
    EXPECT_FALSE(hiddenChild.visible);
    EXPECT_FLOAT_EQ(shownChild.GetAbsolutePosition().x, 1.5f);
}

TEST(GUIWindowTest, SettingFlagsOfWhichOneIsAlreadySetChangesNothing)
{
    GUIWindow window(kBare, Place(GUIWindow::kLayerFront, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr), nullptr);
    window.SetFlags(GUIWindow::kShown | GUIWindow::kLayerFront);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.GetFlags(), static_cast<u32>(GUIWindow::kLayerFront));
}

TEST(GUIWindowTest, TheCursorMustLieStrictlyInside)
{
    GUIWindow window(kBare, Place(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(2.0f, 1.0f), nullptr), nullptr);
    EXPECT_TRUE(window.ProcessInput(Vector2(1.0f, 1.5f), false, false));
    EXPECT_FALSE(window.over);
    window.ProcessInput(Vector2(1.01f, 1.5f), false, false);
    EXPECT_TRUE(window.over);
    window.ClearFlags(GUIWindow::kShown);
    EXPECT_FALSE(window.ProcessInput(Vector2(1.5f, 1.5f), false, false));
    EXPECT_FALSE(window.over);
}

TEST(GUIWindowTest, TextsLastOneFrameAndAHiddenWindowDropsThem)
{
    GUIWindow window(kBare, Place(GUIWindow::kShown, Vector2(0.0f, 0.0f), Vector2(1.0f, 1.0f), nullptr), nullptr);
    window.AddText(0, 1, Vector2(0.0f, 0.0f), kWhite, L"", 0.0f, -1.0f);
    EXPECT_TRUE(window.GetTexts().empty());
    window.AddText(0, 1, Vector2(0.0f, 0.0f), kWhite, L"shown", 0.0f, -1.0f);
    ASSERT_EQ(window.GetTexts().size(), 1u);
    EXPECT_TRUE(window.Draw());
    EXPECT_TRUE(window.GetTexts().empty());
    window.ClearFlags(GUIWindow::kShown);
    window.AddText(0, 1, Vector2(0.0f, 0.0f), kWhite, L"hidden", 0.0f, -1.0f);
    EXPECT_FALSE(window.Draw());
    window.SetFlags(GUIWindow::kShown);
    EXPECT_TRUE(window.GetTexts().empty());
}

TEST(GUIWindowTest, AChildOutlivingItsParentBecomesTopLevel)
{
    auto parent = std::make_unique<GUIWindow>(
        kBare, Place(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(1.0f, 1.0f), nullptr), nullptr);
    GUIWindow child(kBare, Place(GUIWindow::kShown, Vector2(0.5f, 0.5f), Vector2(1.0f, 1.0f), parent.get()), nullptr);
    parent.reset();
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_TRUE(child.visible);
    EXPECT_FLOAT_EQ(child.GetAbsolutePosition().x, 0.5f);
}

TEST(GUIWindowTest, LayerFlagsChooseTheDepthOfATopLevelWindowOnly)
{
    GUIWindow window(kBare, Place(GUIWindow::kLayerFront | GUIWindow::kLayerMiddle, Vector2(), Vector2(), nullptr),
                     nullptr);
    EXPECT_FLOAT_EQ(window.GetDepth(), -10.0f);
    window.ClearFlags(GUIWindow::kLayerMiddle);
    EXPECT_FLOAT_EQ(window.GetDepth(), -15.0f);
    GUIWindow back(kBare, Place(GUIWindow::kLayerBack, Vector2(), Vector2(), nullptr), nullptr);
    EXPECT_FLOAT_EQ(back.GetDepth(), -30.0f);
    GUIWindow plain(kBare, Place(0, Vector2(), Vector2(), nullptr), nullptr);
    EXPECT_FLOAT_EQ(plain.GetDepth(), -15.0f);
}

TEST(GUIWindowTest, ChildrenFollowTheirParentsDepthWhenItsLayerIsSetAgain)
{
    GUIWindow parent(kBare, Place(GUIWindow::kLayerFront, Vector2(), Vector2(), nullptr), nullptr);
    GUIWindow child(kBare, Place(GUIWindow::kLayerBack, Vector2(), Vector2(), nullptr), nullptr);
    GUIWindow grandchild(kBare, Place(0, Vector2(), Vector2(), &child), nullptr);
    child.SetLayer(2);
    child.SetParent(&parent);
    // Joining a parent drops the child's own layer bits.
    EXPECT_EQ(child.GetFlags(), 0u);
    EXPECT_FLOAT_EQ(child.GetDepth(), -10.02f);
    EXPECT_FLOAT_EQ(grandchild.GetDepth(), -10.03f);
    parent.ClearFlags(GUIWindow::kLayerFront);
    EXPECT_FLOAT_EQ(parent.GetDepth(), -15.0f);
    EXPECT_FLOAT_EQ(child.GetDepth(), -10.02f);
    parent.SetLayer(7);
    EXPECT_FLOAT_EQ(child.GetDepth(), -15.02f);
    EXPECT_FLOAT_EQ(grandchild.GetDepth(), -15.03f);
}

TEST(GUIWindowTest, TheHitAreaReplacesTheRectangle)
{
    GUIWindow window(kBare, Place(GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(2.0f, 1.0f), nullptr), nullptr);
    window.hitAreaEnabled = true;
    window.hitAreaOffset = Vector2(2.0f, 0.0f);
    window.hitAreaSize = Vector2(1.0f, 1.0f);
    window.ProcessInput(Vector2(1.5f, 1.5f), false, false);
    EXPECT_FALSE(window.over);
    window.ProcessInput(Vector2(3.5f, 1.5f), false, false);
    EXPECT_TRUE(window.over);
}
