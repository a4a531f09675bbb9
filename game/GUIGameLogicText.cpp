#include "game/GUIGameLogicText.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"

#include <algorithm>

using namespace Halvard;

namespace Tamrisk {

namespace {

// The text grows to its full size and opacity over the first 0.2 s, rises
// from then on, and fades out from 1.2 s until it ends.
constexpr float kGrowTime = 0.2f;
constexpr float kFullSize = 22.0f;
constexpr float kRiseSpeed = 35.0f;
constexpr float kFadeStart = 1.2f;
constexpr float kFadeTime = GUIGameLogicText::kLifetime - kFadeStart;
constexpr wchar_t kLineFeed = L'\n';

} // namespace

GUIGameLogicText::GUIGameLogicText(Engine* engine, const Vector2& position, const std::wstring& text, i32 fontId,
                                   GUIWindow* window)
    : engine_(engine), position_(position), fontId_(fontId), window_(window)
{
    std::size_t start = 0;
    for (std::size_t end = text.find(kLineFeed); end != std::wstring::npos; end = text.find(kLineFeed, start)) {
        lines_.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (start < text.size())
        lines_.push_back(text.substr(start));
}

void GUIGameLogicText::Update()
{
    age_ += engine_->GetTimerManager()->GetFrameTime();
    const float grown = std::min(age_, kGrowTime) / kGrowTime;
    const float size = grown * kFullSize;
    float alpha = grown;
    const float rise = age_ > kGrowTime ? (age_ - kGrowTime) * kRiseSpeed : 0.0f;
    if (age_ > kFadeStart)
        alpha = 1.0f - std::min(age_ - kFadeStart, kFadeTime) / kFadeTime;
    if (age_ > kLifetime)
        alive_ = 0;
    // Without its font (no "tip" font: an index of -1) the text draws
    // nothing but still lives out its time.
    const GUIFont* font =
        fontId_ < 0 ? nullptr : engine_->GetGUIManager()->GetFontManager()->GetFont(static_cast<u32>(fontId_));
    if (font == nullptr)
        return;
    const float count = static_cast<float>(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const float width = font->MeasureText(lines_[i], 0.0f, size).x;
        const float below = count - static_cast<float>(i) - 1.0f;
        const Vector2 at(position_.x - width * 0.5f, position_.y - size * count * 0.5f + below * size + rise);
        window_->AddText(0, static_cast<u32>(fontId_), at, Vector4(1.0f, 1.0f, 1.0f, alpha), lines_[i], 0.0f, size);
    }
}

} // namespace Tamrisk
