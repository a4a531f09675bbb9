#include "gui_tools/GUIControlReader.h"

#include "game_tools/XMLNode.h"
#include "game_tools/XMLValue.h"
#include "gui_tools/controls/GUIControl.h"
#include "gui_tools/controls/GUIEditBoxControl.h"
#include "gui_tools/controls/GUIScrollControl.h"
#include "gui_tools/controls/GUISliderControl.h"
#include "gui_tools/controls/GUITextControl.h"

#include <algorithm>

using namespace Halvard;

namespace GUITools {

namespace {

constexpr wchar_t kBlankCaret = L' ';

} // namespace

GameTools::XMLValue* GUIControlReader::Find(const std::string& attribute) const
{
    for (const GameTools::XMLNode* node : nodes_) {
        if (GameTools::XMLValue* value = node->GetAttribute(attribute))
            return value;
    }
    return nullptr;
}

bool GUIControlReader::Read(const std::string& attribute, std::string& out) const
{
    return ReadValue(attribute, out, &GameTools::XMLValue::GetString);
}

bool GUIControlReader::Read(const std::string& attribute, std::wstring& out) const
{
    return ReadValue(attribute, out, &GameTools::XMLValue::GetWideString);
}

bool GUIControlReader::Read(const std::string& attribute, i32& out) const
{
    return ReadValue(attribute, out, &GameTools::XMLValue::GetInt);
}

bool GUIControlReader::Read(const std::string& attribute, float& out) const
{
    return ReadValue(attribute, out, &GameTools::XMLValue::GetFloat);
}

bool GUIControlReader::Read(const std::string& attribute, bool& out) const
{
    return ReadValue(attribute, out, &GameTools::XMLValue::GetBool);
}

bool GUIControlReader::Read(const std::string& attribute, Vector2& out) const
{
    return ReadValue(attribute, out, &GameTools::XMLValue::GetVector2);
}

bool GUIControlReader::Read(const std::string& attribute, Vector4& out) const
{
    return ReadValue(attribute, out, &GameTools::XMLValue::GetVector4);
}

GUIControlDescription GUIControlReader::ReadDescription(const std::string& fullName) const
{
    GUIControlDescription description;
    description.name = fullName;
    Read("model", description.model);
    Read("model_start_frame", description.modelStartFrame);
    Read("model_end_frame", description.modelEndFrame);
    Read("shader", description.shader);
    Read("uv", description.uv);
    Read("animator_model", description.animatorModel);
    Read("animator_model_start_frame", description.animatorModelStartFrame);
    Read("animator_model_end_frame", description.animatorModelEndFrame);
    return description;
}

void GUIControlReader::ApplyCommon(GUIControl& control) const
{
    Apply<std::string>("show_action", [&](const std::string& v) { control.SetShowAction(v); });
    Apply<std::string>("hide_action", [&](const std::string& v) { control.SetHideAction(v); });
    Apply<i32>("height", [&](i32 v) { control.SetHeight(v); });
    Apply<Vector2>("position", [&](const Vector2& v) { control.SetPosition(v); });
    Apply<Vector2>("size", [&](const Vector2& v) { control.SetSize(v); });
    Apply<Vector2>("selection_position", [&](const Vector2& v) { control.SetSelectionPosition(v); });
    Apply<Vector2>("selection_size", [&](const Vector2& v) { control.SetSelectionSize(v); });
}

void GUIControlReader::ApplyText(GUITextControl& control) const
{
    Apply<std::string>("alignment_h", [&](const std::string& v) { control.SetAlignmentH(v); });
    Apply<std::string>("alignment_v", [&](const std::string& v) { control.SetAlignmentV(v); });
    Apply<std::string>("font", [&](const std::string& v) { control.SetFont(v); });
    Apply<std::string>("text", [&](const std::string& v) { control.SetText(v); });
    Apply<Vector4>("color", [&](const Vector4& v) { control.SetColor(v); });
    Apply<float>("angle", [&](float v) { control.SetAngle(v); });
    Apply<float>("font_size", [&](float v) {
        control.SetFontSize(v);
        control.UpdateLayout();
    });
    Apply<bool>("multiline", [&](bool v) {
        control.SetMultiline(v);
        control.UpdateLayout();
    });
    Apply<float>("line_space", [&](float v) { control.SetLineSpace(v); });
    Apply<bool>("printing_mode", [&](bool v) { control.SetPrintingMode(v); });
    Apply<float>("printing_speed", [&](float v) { control.SetPrintingSpeed(v); });
    Apply<float>("max_printing_time", [&](float v) { control.SetMaxPrintingTime(v); });
    Apply<bool>("auto_font_size", [&](bool v) {
        control.SetAutoFontSize(v);
        control.UpdateLayout();
    });
}

// A negative character count would wrap to a huge limit: it allows none.
void GUIControlReader::ApplyEditBox(GUIEditBoxControl& control) const
{
    Apply<std::string>("font", [&](const std::string& v) { control.SetFont(v); });
    Apply<Vector4>("font_color", [&](const Vector4& v) { control.SetFontColor(v); });
    Apply<Vector2>("text_offset", [&](const Vector2& v) { control.SetTextOffset(v); });
    Apply<std::wstring>("cursor_character",
                        [&](const std::wstring& v) { control.SetCursorCharacter(v.empty() ? kBlankCaret : v[0]); });
    Apply<i32>("max_character_count", [&](i32 v) { control.SetMaxCharacterCount(static_cast<u32>(std::max(v, 0))); });
    Apply<float>("max_text_length", [&](float v) { control.SetMaxTextLength(v); });
    Apply<float>("visible_text_width", [&](float v) { control.SetVisibleTextWidth(v); });
}

void GUIControlReader::ApplySlider(GUISliderControl& control) const
{
    control.CreateThumb(ReadOr<std::string>("toddler_model", {}), ReadOr<std::string>("toddler_shader", {}),
                        ReadOr("toddler_uv", Vector2(1.0f, 1.0f)));
    Apply<Vector2>("toddler_size", [&](const Vector2& v) { control.SetThumbSize(v); });
    Apply<Vector2>("toddler_min_position", [&](const Vector2& v) { control.SetTrackStart(v); });
    Apply<Vector2>("toddler_max_position", [&](const Vector2& v) { control.SetTrackEnd(v); });
    Apply<std::string>("orientation", [&](const std::string& v) { control.SetOrientation(v); });
    Apply<Vector2>("toddler_selection_position", [&](const Vector2& v) { control.SetThumbSelectionPosition(v); });
    Apply<Vector2>("toddler_selection_size", [&](const Vector2& v) { control.SetThumbSelectionSize(v); });
}

void GUIControlReader::ApplyScroll(GUIScrollControl& control) const
{
    ApplyArrow(control, GUIScrollControl::kIncrease, "increase_button_");
    ApplyArrow(control, GUIScrollControl::kDecrease, "decrease_button_");
    Apply<std::string>("buttons_alignment", [&](const std::string& v) { control.SetButtonsAlignment(v); });
}

void GUIControlReader::ApplyArrow(GUIScrollControl& control, int kind, const std::string& prefix) const
{
    const auto arrow = static_cast<GUIScrollControl::ArrowKind>(kind);
    control.CreateArrow(arrow, ReadOr<std::string>(prefix + "model", {}), ReadOr<std::string>(prefix + "shader", {}),
                        ReadOr(prefix + "uv", Vector2(1.0f, 1.0f)));
    Apply<Vector2>(prefix + "size", [&](const Vector2& v) { control.SetArrowSize(arrow, v); });
    Apply<Vector2>(prefix + "position", [&](const Vector2& v) { control.SetArrowPosition(arrow, v); });
    Apply<Vector2>(prefix + "selection_position",
                   [&](const Vector2& v) { control.SetArrowSelectionPosition(arrow, v); });
    Apply<Vector2>(prefix + "selection_size", [&](const Vector2& v) { control.SetArrowSelectionSize(arrow, v); });
}

} // namespace GUITools
