#include "engine/gui/GUIManager.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIEditBoxSettings.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/TestEngine.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace Halvard;

namespace {

constexpr u32 kFontId = 3;
constexpr Vector2 kFullUv(1.0f, 1.0f);
constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

template <class Widget>
int SlotOf(const ObjectManager<Widget>& table, const GUIWindow* widget)
{
    const auto& slots = table.GetObjects();
    const auto found = std::find(slots.begin(), slots.end(), widget);
    return found == slots.end() ? -1 : static_cast<int>(found - slots.begin());
}

// One widget kind as the GUI manager makes, keeps and destroys it. Destroy
// takes any widget: one of another kind reaches the operation as the kind's
// type when it is one (a check box is a button) and as null otherwise.
struct WidgetKind {
    const char* name;
    std::function<GUIWindow*(GUIManager&, const GUIPlacement&)> fromShader;
    std::function<GUIWindow*(GUIManager&, const GUIPlacement&)> fromModel;
    std::function<void(GUIManager&, GUIWindow*)> destroy;
    // The widget's slot in the kind's table, -1 when it is not there.
    std::function<int(const GUIManager&, const GUIWindow*)> slot;
};

template <class Widget>
std::function<void(GUIManager&, GUIWindow*)> Destroyer(void (GUIManager::*destroy)(Widget*))
{
    return [destroy](GUIManager& gui, GUIWindow* widget) { (gui.*destroy)(dynamic_cast<Widget*>(widget)); };
}

template <class Widget>
std::function<int(const GUIManager&, const GUIWindow*)> Slotter(
    const ObjectManager<Widget>& (GUIManager::*table)() const)
{
    return [table](const GUIManager& gui, const GUIWindow* widget) { return SlotOf((gui.*table)(), widget); };
}

GUIEditBoxSettings EditBoxAt(const GUIPlacement& placement)
{
    GUIEditBoxSettings settings;
    settings.flags = placement.flags;
    settings.position = placement.position;
    settings.size = placement.size;
    settings.parent = placement.parent;
    settings.fontId = kFontId;
    return settings;
}

const GUISliderTrack kTrack{false, Vector2(0.0f, 0.0f), Vector2(0.5f, 0.0f), 5};

// In the order the input and drawing steps walk the tables.
std::vector<WidgetKind> Kinds()
{
    const ShaderDescriptor plain = MakeDefaultShaderDescriptor();
    return {
        {"window",
         [plain](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateWindowFromShader(p.flags, p.position, p.size, plain, p.parent, kFullUv);
         },
         [](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateWindowFromModel(p.flags, p.position, p.size, nullptr, p.parent);
         },
         Destroyer(&GUIManager::DestroyWindow), Slotter(&GUIManager::GetWindows)},
        {"button",
         [plain](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateButton(p.flags, p.position, p.size, plain, p.parent, kFullUv);
         },
         [](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateButtonFromModel(p.flags, p.position, p.size, nullptr, p.parent);
         },
         Destroyer(&GUIManager::DestroyButton), Slotter(&GUIManager::GetButtons)},
        {"check box",
         [plain](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateCheckBox(p.flags, p.position, p.size, plain, p.parent, kFullUv);
         },
         [](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateCheckBoxFromModel(p.flags, p.position, p.size, nullptr, p.parent);
         },
         Destroyer(&GUIManager::DestroyCheckBox), Slotter(&GUIManager::GetCheckBoxes)},
        {"edit box",
         [plain](GUIManager& gui, const GUIPlacement& p) { return gui.CreateEditBox(EditBoxAt(p), plain, kFullUv); },
         [](GUIManager& gui, const GUIPlacement& p) { return gui.CreateEditBoxFromModel(EditBoxAt(p), nullptr); },
         Destroyer(&GUIManager::DestroyEditBox), Slotter(&GUIManager::GetEditBoxes)},
        {"slider",
         [plain](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateSliderFromShader(p, kTrack, plain, kFullUv);
         },
         [](GUIManager& gui, const GUIPlacement& p) { return gui.CreateSlider(p, nullptr, kTrack); },
         Destroyer(&GUIManager::DestroySlider), Slotter(&GUIManager::GetSliders)},
        {"scroll bar",
         [plain](GUIManager& gui, const GUIPlacement& p) {
             return gui.CreateScrollFromShader(p, kTrack, plain, kFullUv);
         },
         [](GUIManager& gui, const GUIPlacement& p) { return gui.CreateScroll(p, nullptr, kTrack); },
         Destroyer(&GUIManager::DestroyScroll), Slotter(&GUIManager::GetScrolls)},
    };
}

} // namespace

TEST(GUIManagerTablesTest, EachKindLivesInItsOwnTableAndItsFreedSlotIsReusedFirst)
{
    Testing::TestEngine engine;
    GUIManager& gui = *engine->GetGUIManager();
    const std::vector<WidgetKind> kinds = Kinds();
    const GUIPlacement placement{GUIWindow::kShown, Vector2(1.0f, 1.0f), Vector2(1.0f, 0.5f), nullptr};
    for (const WidgetKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        GUIWindow* quad = kind.fromShader(gui, placement);
        GUIWindow* copy = kind.fromModel(gui, placement);
        ASSERT_NE(quad, nullptr);
        EXPECT_NE(quad->GetModel(), nullptr);
        EXPECT_EQ(copy->GetModel(), nullptr);
        const int copySlot = kind.slot(gui, copy);
        EXPECT_GE(kind.slot(gui, quad), 0);
        EXPECT_GE(copySlot, 0);
        // Only the kind's own destroy takes it; it sits in no other table.
        for (const WidgetKind& other : kinds) {
            if (&other == &kind)
                continue;
            EXPECT_EQ(other.slot(gui, quad), -1) << other.name;
            other.destroy(gui, quad);
            EXPECT_GE(kind.slot(gui, quad), 0) << "destroyed through " << other.name;
        }
        kind.destroy(gui, copy);
        EXPECT_EQ(kind.slot(gui, copy), -1);
        GUIWindow* next = kind.fromShader(gui, placement);
        EXPECT_EQ(kind.slot(gui, next), copySlot);
        kind.destroy(gui, nullptr);
        kind.destroy(gui, quad);
        kind.destroy(gui, next);
        EXPECT_EQ(kind.slot(gui, quad), -1);
        EXPECT_EQ(kind.slot(gui, next), -1);
    }
    EXPECT_EQ(gui.GetButtons().GetCount() + gui.GetCheckBoxes().GetCount() + gui.GetEditBoxes().GetCount() +
                  gui.GetSliders().GetCount() + gui.GetScrolls().GetCount(),
              0u);
}

// Every kind sees the same cursor, and the drawing step reaches the tables
// in the order windows, buttons, check boxes, edit boxes, sliders, scroll
// bars: the font makes its depth copies in the order texts are drawn.
TEST(GUIManagerTablesTest, TheStepsWalkEveryTableInItsOrder)
{
    Testing::TestEngine engine;
    GUIManager& gui = *engine->GetGUIManager();
    Testing::AddEvenFont(engine.Folder(), *gui.GetFontManager(), kFontId, 0.1f);
    gui.Update();
    const Vector2 cursor = gui.GetCursorPosition();
    GUIWindow* panel =
        gui.CreateWindowFromModel(GUIWindow::kShown, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr, nullptr);
    const std::vector<WidgetKind> kinds = Kinds();
    std::vector<GUIWindow*> widgets;
    // Made from the last kind to the first, each a layer nearer than the
    // kind walked before it, so neither creation nor depth gives the order.
    const GUIPlacement around{GUIWindow::kShown, cursor - Vector2(0.5f, 0.5f), Vector2(1.0f, 1.0f), panel};
    for (auto kind = kinds.rbegin(); kind != kinds.rend(); ++kind) {
        GUIWindow* widget = kind->fromModel(gui, around);
        widget->SetLayer(static_cast<i32>(widgets.size()) + 1);
        widgets.insert(widgets.begin(), widget);
    }
    gui.Update();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_TRUE(widgets[i]->over) << kinds[i].name;
        widgets[i]->AddText(0, kFontId, Vector2(0.0f, 0.0f), kWhite, L"A", 0.0f, -1.0f);
    }
    gui.Render();
    const auto& copies = gui.GetFontManager()->GetDepthCopies();
    ASSERT_EQ(copies.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_NEAR(copies[i]->GetDepth(), widgets[i]->GetDepth() - 0.005f, 1e-4f) << kinds[i].name;
}
