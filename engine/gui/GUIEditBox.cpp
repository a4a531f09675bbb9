#include "engine/gui/GUIEditBox.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/input/Controls.h"

#include <algorithm>
#include <cmath>

namespace Halvard {

namespace {

enum Key : u16 {
    kBackspace = 8,
    kEnd = 35,
    kHome = 36,
    kLeft = 37,
    kRight = 39,
    kInsert = 45,
    kDelete = 46,
};

// The view jumps this many characters when the caret leaves it.
constexpr i32 kScrollStep = 5;
constexpr float kCaretBlinkSeconds = 0.4f;

GUIPlacement PlacementOf(const GUIEditBoxSettings& settings)
{
    return GUIPlacement{settings.flags, settings.position, settings.size, settings.parent};
}

} // namespace

GUIEditBox::GUIEditBox(const GUIServices& services, const GUIEditBoxSettings& settings,
                       const ShaderDescriptor& shader, const Vector2& uvExtent)
    : GUIWindow(services, PlacementOf(settings), shader, uvExtent)
{
    Configure(settings);
}

GUIEditBox::GUIEditBox(const GUIServices& services, const GUIEditBoxSettings& settings, const Model* model)
    : GUIWindow(services, PlacementOf(settings), model)
{
    Configure(settings);
}

void GUIEditBox::Configure(const GUIEditBoxSettings& settings)
{
    fontId_ = settings.fontId;
    textColor_ = settings.textColor;
    textOffset_ = settings.textOffset;
    caretText_.assign(1, settings.caretCharacter);
    maxLength_ = settings.maxLength;
    maxWidth_ = settings.maxWidth;
    visibleWidth_ = settings.visibleWidth;
    SetFont(settings.fontId);
}

void GUIEditBox::SetFont(u32 fontId)
{
    fontId_ = fontId;
    font_ = fontId == GUIEditBoxSettings::kNoFont ? nullptr : GetServices().fonts->GetFont(fontId);
}

// A box that takes no character at all still has its caret on index 0.
i32 GUIEditBox::CaretLimit() const { return std::max(0, static_cast<i32>(maxLength_) - 1); }

i32 GUIEditBox::LastCaret() const { return std::min(static_cast<i32>(text_.size()), CaretLimit()); }

float GUIEditBox::Measure(const std::wstring& text) const { return font_->MeasureText(text, 0.0f, -1.0f).x; }

void GUIEditBox::SetText(const std::wstring& text)
{
    text_ = text;
    caret_ = LastCaret();
    firstVisible_ = 0;
    UpdateScroll();
}

bool GUIEditBox::CanAccept(wchar_t character) const
{
    if (font_ == nullptr)
        return false;
    const std::wstring longer = text_ + character;
    return longer.size() <= maxLength_ && Measure(longer) <= maxWidth_;
}

void GUIEditBox::UpdateScroll()
{
    if (font_ == nullptr)
        return;
    while (firstVisible_ < caret_ &&
           Measure(text_.substr(firstVisible_, caret_ - firstVisible_) + caretText_) > visibleWidth_)
        ++firstVisible_;
}

// The caret reached the first shown character, or stands before it when
// the caret alone is wider than the box.
void GUIEditBox::ScrollBack()
{
    if (caret_ > firstVisible_)
        return;
    firstVisible_ = std::max(0, firstVisible_ - kScrollStep);
    UpdateScroll();
}

void GUIEditBox::MoveCaretRight()
{
    const i32 oldCaret = caret_;
    const i32 oldFirst = firstVisible_;
    caret_ = LastCaret();
    firstVisible_ = 0;
    UpdateScroll();
    const i32 endFirst = firstVisible_;
    caret_ = std::min(oldCaret + 1, CaretLimit());
    const std::wstring reach = text_.substr(oldFirst, caret_ - oldFirst + 1) + caretText_;
    firstVisible_ = Measure(reach) > visibleWidth_ ? std::min(oldFirst + kScrollStep, endFirst) : oldFirst;
}

bool GUIEditBox::HandleKey(u16 code)
{
    const auto length = static_cast<i32>(text_.size());
    switch (code) {
    case kInsert:
        overwrite_ = !overwrite_;
        break;
    case kDelete:
        if (caret_ >= length)
            break;
        text_.erase(caret_, 1);
        return true;
    case kBackspace:
        return Backspace();
    case kLeft:
        if (caret_ > 0) {
            --caret_;
            ScrollBack();
        }
        break;
    case kRight:
        if (caret_ < length)
            MoveCaretRight();
        break;
    case kHome:
        caret_ = 0;
        firstVisible_ = 0;
        break;
    case kEnd:
        caret_ = LastCaret();
        UpdateScroll();
        break;
    default:
        break;
    }
    return false;
}

// With the caret on the last character, that character goes and the caret
// stays: the caret never passes the last index the length limit allows, so
// this is how the last character of a full box is taken back.
bool GUIEditBox::Backspace()
{
    if (caret_ <= 0)
        return false;
    if (caret_ + 1 == static_cast<i32>(text_.size())) {
        text_.erase(caret_, 1);
    } else {
        text_.erase(caret_ - 1, 1);
        --caret_;
        ScrollBack();
    }
    return true;
}

bool GUIEditBox::HandleCharacter(wchar_t character)
{
    if (!font_->HasGlyph(static_cast<u16>(character)) && character != L' ')
        character = L'a';
    const auto at = static_cast<size_t>(caret_);
    const bool atEnd = at >= text_.size();
    if (overwrite_ && !atEnd) {
        text_[at] = character;
    } else if (CanAccept(character)) {
        text_.insert(at, 1, character);
    } else {
        return false;
    }
    if (caret_ < static_cast<i32>(text_.size()))
        MoveCaretRight();
    return true;
}

void GUIEditBox::QueueText(const Vector4& color)
{
    std::wstring shown = text_.substr(std::min(static_cast<size_t>(firstVisible_), text_.size()));
    while (!shown.empty() && Measure(shown) > visibleWidth_)
        shown.pop_back();
    AddText(0, fontId_, textOffset_, color, shown, 0.0f, -1.0f);
    if (!active)
        return;
    const float seconds = GetServices().timers->GetMainTimer()->GetTime();
    if (static_cast<i64>(std::floor(seconds / kCaretBlinkSeconds)) % 2 != 0)
        return;
    const float before = Measure(text_.substr(firstVisible_, std::max(0, caret_ - firstVisible_)));
    AddText(0, fontId_, Vector2(textOffset_.x + before, textOffset_.y), color, caretText_, 0.0f, -1.0f);
}

bool GUIEditBox::ProcessInput(const Vector2& cursor, bool held, bool pressed)
{
    if (!GUIWindow::ProcessInput(cursor, held, pressed) || font_ == nullptr)
        return false;
    Vector4 color = textColor_;
    color.w *= GetColor().w;
    u16 code = 0;
    bool isCharacter = false;
    bool changed = false;
    if (active && GetServices().controls->GetCharacter(code, isCharacter))
        changed = isCharacter ? HandleCharacter(static_cast<wchar_t>(code)) : HandleKey(code);
    QueueText(color);
    if (changed && GetServices().sounds != nullptr)
        GetServices().sounds->Play(GUISoundManager::kEditBoxTyping);
    return true;
}

} // namespace Halvard
