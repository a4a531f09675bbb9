#pragma once

#include "engine/gui/GUIEditBoxSettings.h"
#include "engine/gui/GUIWindow.h"

namespace Halvard {

class GUIFont;
class Model;
class ShaderDescriptor;

// A window that edits one line of wide text from the key event of each
// frame: insert and overwrite, a caret that blinks, a limit in characters
// and one in measured width, and a shown part that scrolls sideways when the
// text is wider than the box; a change to the text plays the typing sound.
// Takes the timers, the controls, the fonts and the sounds (may be null)
// from the services. Main thread only.
class GUIEditBox : public GUIWindow {
public:
    // A quad of its own drawn with the shader, as GUIWindow's.
    GUIEditBox(const GUIServices& services, const GUIEditBoxSettings& settings, const ShaderDescriptor& shader,
               const Vector2& uvExtent);
    // A copy of the model, or no picture for null.
    GUIEditBox(const GUIServices& services, const GUIEditBoxSettings& settings, const Model* model);

    // Edits the text from this frame's key, then queues the shown part and
    // the caret. False for a hidden box or one without a font.
    bool ProcessInput(const Vector2& cursor, bool held, bool pressed) override;

    // Replaces the text and keeps the caret within it.
    void SetText(const std::wstring& text);
    const std::wstring& GetText() const { return text_; }
    i32 GetCaret() const { return caret_; }
    i32 GetFirstVisible() const { return firstVisible_; }
    bool CanAccept(wchar_t character) const;
    // An identifier without a font (kNoFont among them) leaves the box
    // without one: it neither takes keys nor draws.
    void SetFont(u32 fontId);
    u32 GetFontId() const { return fontId_; }
    GUIFont* GetFont() const { return font_; }
    // Takes the text fields of the settings (font, colour, offset, limits,
    // caret); the placement fields are left alone.
    void Configure(const GUIEditBoxSettings& settings);
    const Vector4& GetTextColor() const { return textColor_; }
    const Vector2& GetTextOffset() const { return textOffset_; }
    const std::wstring& GetCaretText() const { return caretText_; }
    u32 GetMaxLength() const { return maxLength_; }
    float GetMaxWidth() const { return maxWidth_; }
    float GetVisibleWidth() const { return visibleWidth_; }

    // The box takes keys and shows its caret only while this is set; its
    // user may clear it.
    bool active = true;

private:
    i32 CaretLimit() const;
    i32 LastCaret() const;
    float Measure(const std::wstring& text) const;
    void UpdateScroll();
    void ScrollBack();
    void MoveCaretRight();
    // Each true when the text changed.
    bool HandleKey(u16 code);
    bool Backspace();
    bool HandleCharacter(wchar_t character);
    void QueueText(const Vector4& color);

    u32 fontId_ = 0;
    GUIFont* font_ = nullptr;
    Vector4 textColor_{1.0f, 1.0f, 1.0f, 1.0f};
    Vector2 textOffset_{0.0f, 0.0f};
    std::wstring caretText_;
    u32 maxLength_ = 0;
    float maxWidth_ = 0.0f;
    float visibleWidth_ = 0.0f;
    bool overwrite_ = false;
    i32 caret_ = 0;
    i32 firstVisible_ = 0;
    std::wstring text_;
};

} // namespace Halvard
