#include "gui_tools/controls/GUIEditBoxControl.h"

#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIManager.h"
#include "gui_tools/GUIFontTool.h"

using namespace Halvard;

namespace GUITools {

namespace {

u32 FontId(i32 index) { return index < 0 ? GUIEditBoxSettings::kNoFont : static_cast<u32>(index); }

} // namespace

GUIEditBoxControl::GUIEditBoxControl(Engine* engine, GameTools::DataKeeper* resources, const GUIFontTool* fonts,
                                     GUIWindow* parent, const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name), fonts_(fonts)
{
    const GUIPlacement at = Placement(parent);
    settings_.flags = at.flags;
    settings_.position = at.position;
    settings_.size = at.size;
    settings_.parent = parent;
    settings_.fontId = FontId(fontIndex_);
    GUIManager* gui = GetGUIManager();
    editBox_ = MakePicture(
        description.model, description.shader, description.uv,
        [&](const ShaderDescriptor& shader, const Vector2& uv) { return gui->CreateEditBox(settings_, shader, uv); },
        [&](const Model* model) { return gui->CreateEditBoxFromModel(settings_, model); });
    Init(editBox_, description);
    DropModelAnimation();
}

GUIEditBoxControl::~GUIEditBoxControl() { GetGUIManager()->DestroyEditBox(editBox_); }

void GUIEditBoxControl::SetFont(const std::string& name)
{
    fontName_ = name;
    fontIndex_ = name.empty() ? -1 : fonts_->GetFontIndex(name);
    settings_.fontId = FontId(fontIndex_);
}

void GUIEditBoxControl::Update()
{
    GUIControl::Update();
    if (editBox_->visible)
        editBox_->Configure(settings_);
}

} // namespace GUITools
