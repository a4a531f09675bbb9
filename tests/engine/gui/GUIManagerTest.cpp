#include "engine/gui/GUIManager.h"

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/TestEngine.h"

#include <gtest/gtest.h>

using namespace Halvard;

namespace {

constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

} // namespace

TEST(GUIManagerTest, EachDestroyTakesOnlyWidgetsOfItsOwnTable)
{
    Testing::TestEngine engine;
    GUIManager& gui = *engine->GetGUIManager();
    EXPECT_FLOAT_EQ(gui.GetWidth(), 4.0f);
    EXPECT_FLOAT_EQ(gui.GetHeight(), 3.0f);
    const std::size_t bars = gui.GetSideBars().size();
    GUIWindow* panel = gui.CreateWindowFromShader(0, Vector2(0.0f, 0.0f), Vector2(4.0f, 3.0f),
                                                  MakeDefaultShaderDescriptor(), nullptr, Vector2(1.0f, 1.0f));
    GUIEditBoxSettings lineSettings;
    lineSettings.size = Vector2(4.0f, 0.1f);
    lineSettings.parent = panel;
    lineSettings.textColor = kWhite;
    lineSettings.maxLength = 10;
    lineSettings.maxWidth = 100.0f;
    lineSettings.visibleWidth = 4.0f;
    GUIEditBox* line = gui.CreateEditBox(lineSettings, MakeDefaultShaderDescriptor(), Vector2(1.0f, 1.0f));
    gui.DestroyWindow(line);
    gui.DestroyWindow(nullptr);
    EXPECT_EQ(gui.GetWindows().GetCount(), bars + 1);
    EXPECT_EQ(gui.GetEditBoxes().GetCount(), 1u);
    gui.DestroyEditBox(line);
    EXPECT_EQ(gui.GetEditBoxes().GetCount(), 0u);
}
