#pragma once

#include "gui_tools/controls/GUIControl.h"

#include <string>
#include <vector>

namespace Halvard {
class GUIFont;
class GUIFontManager;
class GUITextMeasure;
} // namespace Halvard

namespace GUITools {

class GUIFontTool;
class GUITextTool;

// The control of a "text_label" element: a text looked up by key (or given
// literally) in a font chosen by name, aligned inside the control's
// rectangle, optionally wrapped to its width, shrunk until it fits and
// printed character by character. "%NAME%" placeholders are filled from
// the parameters. The text is laid out only when it, the font, the
// parameters or the sizing settings change; every visible frame queues one
// text per line on the widget. Owns its widget; the tools must outlive it.
class GUITextControl : public GUIControl {
public:
    // The smallest size auto font size shrinks a text to.
    static constexpr float kSmallestAutoSize = 8.0f;

    GUITextControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, const GUIFontTool* fonts,
                   const GUITextTool* texts, Halvard::GUIWindow* parent, const GUIControlDescription& description);
    ~GUITextControl() override;

    void Update() override;

    // Composes the text from the key (see GUITextComposer) and lays it out.
    void SetText(const std::string& key);
    // Shows the text as it is.
    void SetRawText(const std::wstring& text);
    // An unknown name leaves the control without a font: nothing is laid
    // out or drawn until a known font is set.
    void SetFont(const std::string& name);
    // Fills every "%" + name + "%" of the text; a second value for the same
    // name replaces the first.
    void SetParameter(const std::wstring& name, const std::wstring& value);
    void UpdateLayout();

    // Words matched as substrings: "left", "right", else centred; "top",
    // "bottom", else centred.
    void SetAlignmentH(const std::string& word) { alignmentH_ = word; }
    void SetAlignmentV(const std::string& word) { alignmentV_ = word; }
    void SetColor(const Halvard::Vector4& color) { color_ = color; }
    void SetAngle(float angle) { angle_ = angle; }
    // 0 or less: the font's own size. The three below take effect at the
    // next layout.
    void SetFontSize(float size) { fontSize_ = size; }
    void SetMultiline(bool multiline) { multiline_ = multiline; }
    void SetAutoFontSize(bool autoFontSize) { autoFontSize_ = autoFontSize; }
    void SetLineSpace(float space) { lineSpace_ = space; }
    void SetPrintingMode(bool printing) { printingMode_ = printing; }
    // Characters per second.
    void SetPrintingSpeed(float speed) { printingSpeed_ = speed; }
    // Seconds a whole text may take at most.
    void SetMaxPrintingTime(float seconds) { maxPrintingTime_ = seconds; }

    const std::string& GetTextKey() const { return textKey_; }
    const std::wstring& GetText() const { return text_; }
    const std::string& GetFontName() const { return fontName_; }
    Halvard::i32 GetFontIndex() const { return fontIndex_; }
    const std::vector<std::wstring>& GetLines() const { return lines_; }
    Halvard::u32 GetCharacterCount() const { return characterCount_; }
    float GetEffectiveSize() const { return effectiveSize_; }
    float GetPrinted() const { return printed_; }
    bool IsPrintingDone() const { return printingDone_; }
    bool IsMultiline() const { return multiline_; }
    const Halvard::Vector4& GetColor() const { return color_; }

private:
    std::wstring SourceText() const;
    // One pass of the layout at the effective size; the widest line's width.
    float BuildLines(const std::wstring& source);
    void WrapLine(std::wstring& line, std::size_t& blank, Halvard::GUITextMeasure& measure);
    float Measure(const std::wstring& text) const;
    void Draw();
    Halvard::u32 AlignmentFlags(std::size_t lineCount, float& y) const;
    void AdvancePrinting();
    void QueueLines(const std::vector<std::wstring>& lines, Halvard::u32 alignment, float y);
    void QueuePrinted(const std::wstring& line, Halvard::u32 alignment, const Halvard::Vector2& at,
                      const Halvard::Vector4& color, float& remaining);

    Halvard::GUIFontManager* fontManager_;
    const GUIFontTool* fonts_;
    const GUITextTool* texts_;
    std::string alignmentH_ = "left";
    std::string alignmentV_ = "bottom";
    std::string fontName_;
    Halvard::i32 fontIndex_ = -1;
    Halvard::GUIFont* font_ = nullptr;
    std::string textKey_;
    std::wstring text_;
    Halvard::Vector4 color_{1.0f, 1.0f, 1.0f, 1.0f};
    float angle_ = 0.0f;
    float fontSize_ = -1.0f;
    bool multiline_ = false;
    float lineSpace_ = 0.0f;
    bool printingMode_ = false;
    float printingSpeed_ = 1.0f;
    float maxPrintingTime_ = 100000.0f;
    bool autoFontSize_ = false;
    std::vector<std::wstring> lines_;
    Halvard::u32 characterCount_ = 0;
    float printed_ = 0.0f;
    bool printingDone_ = true;
    std::vector<std::wstring> previousLines_;
    std::vector<std::wstring> parameterNames_;
    std::vector<std::wstring> parameterValues_;
    float effectiveSize_ = 0.0f;
};

} // namespace GUITools
