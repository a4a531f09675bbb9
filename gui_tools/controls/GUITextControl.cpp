#include "gui_tools/controls/GUITextControl.h"

#include "engine/app/Engine.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUITextMeasure.h"
#include "engine/gui/GUIWindow.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/controls/GUITextComposer.h"

#include <algorithm>
#include <cmath>

using namespace Halvard;

namespace GUITools {

namespace {

constexpr float kTolerance = 0.0001f;
constexpr u32 kMostShrinkSteps = static_cast<u32>(GUIFontTool::kMostSize);
constexpr wchar_t kCarriageReturn = 13;
constexpr wchar_t kLineFeed = 10;
constexpr wchar_t kBlank = 32;

bool Holds(const std::string& word, const char* part) { return word.find(part) != std::string::npos; }

u32 CountCharacters(const std::vector<std::wstring>& lines)
{
    u32 count = 0;
    for (const std::wstring& line : lines)
        count += static_cast<u32>(line.size());
    return count;
}

} // namespace

GUITextControl::GUITextControl(Engine* engine, GameTools::DataKeeper* resources, const GUIFontTool* fonts,
                               const GUITextTool* texts, GUIWindow* parent, const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name), fontManager_(engine->GetGUIManager()->GetFontManager()),
      fonts_(fonts), texts_(texts)
{
    Init(CreateWindowWidget(parent, description), description);
}

GUITextControl::~GUITextControl() { GetGUIManager()->DestroyWindow(GetWindow()); }

void GUITextControl::SetText(const std::string& key)
{
    if (printingMode_ && key != textKey_)
        printingDone_ = false;
    textKey_ = key;
    text_ = GUITextComposer::Compose(key, *texts_);
    UpdateLayout();
}

void GUITextControl::SetRawText(const std::wstring& text)
{
    if (printingMode_ && text != text_)
        printingDone_ = false;
    text_ = text;
    textKey_ = "'" + ToString(text) + "'";
    UpdateLayout();
}

void GUITextControl::SetFont(const std::string& name)
{
    fontName_ = name;
    fontIndex_ = fonts_->GetFontIndex(name);
    font_ = fontIndex_ < 0 ? nullptr : fontManager_->GetFont(static_cast<u32>(fontIndex_));
    UpdateLayout();
}

void GUITextControl::SetParameter(const std::wstring& name, const std::wstring& value)
{
    const auto found = std::find(parameterNames_.begin(), parameterNames_.end(), name);
    if (found != parameterNames_.end()) {
        parameterValues_[found - parameterNames_.begin()] = value;
    } else {
        parameterNames_.push_back(name);
        parameterValues_.push_back(value);
    }
    UpdateLayout();
}

std::wstring GUITextControl::SourceText() const
{
    std::wstring source = text_;
    for (std::size_t i = 0; i < parameterNames_.size(); ++i)
        ReplaceAllW(source, L"%" + parameterNames_[i] + L"%", parameterValues_[i]);
    return source;
}

// Auto font size shrinks the text a unit at a time until it fits the
// control or reaches the smallest size. The steps are counted: from a size
// so large that taking a unit leaves it as it was, the size never shrinks,
// and no font or description may be larger than the count covers.
void GUITextControl::UpdateLayout()
{
    if (font_ == nullptr)
        return;
    if (printingMode_)
        previousLines_ = lines_;
    if (textKey_.empty()) {
        lines_.clear();
        characterCount_ = 0;
        return;
    }
    const std::wstring source = SourceText();
    effectiveSize_ = fontSize_ > 0.0f ? fontSize_ : font_->GetSize();
    for (u32 step = 0;; ++step) {
        if (step > 0)
            effectiveSize_ = std::max(effectiveSize_ - 1.0f, 0.0f);
        const float width = BuildLines(source);
        if (lines_.empty() || !autoFontSize_ || effectiveSize_ <= kSmallestAutoSize || step == kMostShrinkSteps)
            return;
        if (GetSize().x < width)
            continue;
        const auto count = static_cast<float>(lines_.size());
        const float height = count * effectiveSize_ + (count - 1.0f) * lineSpace_;
        if (GetSize().y >= height)
            return;
    }
}

// The current line's width grows with it and its last blank is kept, so
// that a line costs each of its characters the same whatever its length.
float GUITextControl::BuildLines(const std::wstring& source)
{
    lines_.clear();
    std::wstring line;
    std::size_t blank = std::wstring::npos;
    GUITextMeasure measure(*font_, angle_, effectiveSize_);
    for (const wchar_t character : source) {
        if (character == kCarriageReturn)
            continue;
        if (character == kLineFeed) {
            lines_.push_back(line);
            line.clear();
            blank = std::wstring::npos;
            measure.Clear();
            continue;
        }
        line += character;
        if (!multiline_)
            continue;
        if (character == kBlank)
            blank = line.size() - 1;
        measure.Add(character);
        WrapLine(line, blank, measure);
    }
    const std::wstring last = TrimCopyW(line);
    if (!last.empty())
        lines_.push_back(last);
    characterCount_ = CountCharacters(lines_);
    float width = 0.0f;
    for (const std::wstring& each : lines_)
        width = std::max(width, Measure(each));
    return width;
}

// The line being built keeps the blank it was broken at, so the next
// word's width counts it until the line is appended trimmed. A line broken
// at its first character stays as it is.
void GUITextControl::WrapLine(std::wstring& line, std::size_t& blank, GUITextMeasure& measure)
{
    if (GetSize().x >= measure.GetExtent().x || blank == std::wstring::npos || blank == 0)
        return;
    const std::wstring head = TrimCopyW(line.substr(0, blank));
    if (!head.empty())
        lines_.push_back(head);
    line.erase(0, blank);
    blank = 0;
    measure.Clear();
    for (const wchar_t character : line)
        measure.Add(character);
}

float GUITextControl::Measure(const std::wstring& text) const
{
    return font_->MeasureText(text, angle_, effectiveSize_).x;
}

void GUITextControl::Update()
{
    GUIControl::Update();
    if (GetWindow()->visible) {
        Draw();
    } else if (printingMode_) {
        previousLines_.clear();
        printed_ = 0.0f;
        printingDone_ = false;
    }
}

void GUITextControl::Draw()
{
    if (fontName_.empty() || textKey_.empty() || lines_.empty() || font_ == nullptr)
        return;
    const bool erasing = printingMode_ && !previousLines_.empty();
    const std::vector<std::wstring>& lines = erasing ? previousLines_ : lines_;
    float y = 0.0f;
    const u32 alignment = AlignmentFlags(lines.size(), y);
    const float remaining = printed_;
    if (printingMode_)
        AdvancePrinting();
    // Text positions are measured at the size the lines are drawn with.
    const float ownSize = font_->GetSize();
    font_->SetSize(effectiveSize_);
    float left = remaining;
    Vector4 color = color_;
    if (HasFader())
        color.w *= GetAlpha();
    for (const std::wstring& line : lines) {
        const Vector2 at(0.0f, y);
        if (!printingMode_)
            GetWindow()->AddText(alignment, static_cast<u32>(fontIndex_), at, color, line, angle_, effectiveSize_);
        else if (left > kTolerance)
            QueuePrinted(line, alignment, at, color, left);
        y -= effectiveSize_ + lineSpace_;
    }
    font_->SetSize(ownSize);
}

u32 GUITextControl::AlignmentFlags(std::size_t lineCount, float& y) const
{
    u32 flags = GUIFontManager::kCenterHorizontal;
    if (Holds(alignmentH_, "left"))
        flags = GUIFontManager::kLeft;
    else if (Holds(alignmentH_, "right"))
        flags = GUIFontManager::kRight;
    y = 0.0f;
    if (lineCount < 2) {
        if (Holds(alignmentV_, "top"))
            flags |= GUIFontManager::kTop;
        else if (Holds(alignmentV_, "bottom"))
            flags |= GUIFontManager::kBottom;
        else
            flags |= GUIFontManager::kCenterVertical;
        return flags;
    }
    const auto n = static_cast<float>(lineCount);
    const float step = effectiveSize_ + lineSpace_;
    if (Holds(alignmentV_, "top"))
        y = GetSize().y - effectiveSize_;
    else if (Holds(alignmentV_, "bottom"))
        y = (n - 1.0f) * step;
    else
        y = (GetSize().y - n * step) * 0.5f + (n - 1.0f) * step;
    return flags;
}

// A long text speeds up so that it never takes longer than the maximum
// printing time.
void GUITextControl::AdvancePrinting()
{
    const float dt = GetTimers()->GetFrameTime();
    const auto count = static_cast<float>(characterCount_);
    float rate = printingSpeed_;
    if (count / printingSpeed_ > maxPrintingTime_)
        rate = count / maxPrintingTime_;
    if (previousLines_.empty() && (IsShown() || IsPending())) {
        printed_ += rate * dt;
        printingDone_ = printed_ >= count;
        if (printingDone_)
            printed_ = count + kTolerance;
        return;
    }
    printed_ -= rate * dt;
    printingDone_ = printed_ <= kTolerance;
    if (printingDone_) {
        printed_ = 0.0f;
        previousLines_.clear();
    }
}

// A partly printed line grows from where the whole line starts.
void GUITextControl::QueuePrinted(const std::wstring& line, u32 alignment, const Vector2& at, const Vector4& color,
                                  float& remaining)
{
    const float whole = static_cast<float>(line.size()) + kTolerance;
    const auto count = static_cast<std::size_t>(std::min(whole, remaining));
    remaining -= static_cast<float>(count);
    const auto id = static_cast<u32>(fontIndex_);
    const GUIWindow& widget = *GetWindow();
    const Vector2 offset = fontManager_->GetTextPosition(alignment, id, widget, at, angle_, line) -
                           fontManager_->GetTextPosition(0, id, widget, at, angle_, line);
    GetWindow()->AddText(0, id, at + offset, color, line.substr(0, count), angle_, effectiveSize_);
}

} // namespace GUITools
