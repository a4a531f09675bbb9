#pragma once

#include "engine/gui/GUIEditBoxSettings.h"
#include "gui_tools/controls/GUIControl.h"

namespace Halvard {
class GUIEditBox;
}

namespace GUITools {

class GUIFontTool;

// The control of an "edit_box" element. Its font, text colour, offset,
// caret and limits are pushed into the edit box in every visible frame, so
// they win over anything set on the edit box directly. The box's model
// frames show its state, so showing and hiding never play them. Owns its
// edit box; the font tool must outlive it.
class GUIEditBoxControl : public GUIControl {
public:
    GUIEditBoxControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, const GUIFontTool* fonts,
                      Halvard::GUIWindow* parent, const GUIControlDescription& description);
    ~GUIEditBoxControl() override;

    void Update() override;

    // An empty or unknown name leaves the box without a font (index -1).
    void SetFont(const std::string& name);
    void SetFontColor(const Halvard::Vector4& color) { settings_.textColor = color; }
    void SetTextOffset(const Halvard::Vector2& offset) { settings_.textOffset = offset; }
    void SetCursorCharacter(wchar_t character) { settings_.caretCharacter = character; }
    void SetMaxCharacterCount(Halvard::u32 count) { settings_.maxLength = count; }
    void SetMaxTextLength(float length) { settings_.maxWidth = length; }
    void SetVisibleTextWidth(float width) { settings_.visibleWidth = width; }

    Halvard::GUIEditBox* GetEditBox() const { return editBox_; }
    const std::string& GetFontName() const { return fontName_; }
    Halvard::i32 GetFontIndex() const { return fontIndex_; }
    // The text settings the box is given every visible frame.
    const Halvard::GUIEditBoxSettings& GetSettings() const { return settings_; }

private:
    const GUIFontTool* fonts_;
    Halvard::GUIEditBox* editBox_ = nullptr;
    std::string fontName_;
    Halvard::i32 fontIndex_ = -1;
    Halvard::GUIEditBoxSettings settings_;
};

} // namespace GUITools
