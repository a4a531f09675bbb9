#include "game/windows/level/GUILevelCompleteWindow.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/sound/SoundUtils.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "game/LevelManager.h"
#include "game/SoundTable.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace Tamrisk {

namespace {

using GameFramework::WindowResult;

// The count waits until the bonus text has fully faded in.
constexpr float kFadedIn = 0.9999f;
constexpr float kCountPause = 0.2f;
constexpr float kSecondsCountedPerSecond = 18.0f;

// The level list holds the ace time to a bound at which the largest bonus
// still fits the count.
static_assert(LevelManager::kMostAceTime <=
              std::numeric_limits<Halvard::i32>::max() / GUILevelCompleteWindow::kPointsPerSecond);

// A best time comes from the players' file, where any finite number may
// stand: a time beyond the count's range shows as its largest.
Halvard::i32 WholeSeconds(float time)
{
    constexpr auto kBeyond = static_cast<float>(std::numeric_limits<Halvard::i32>::max());
    if (!(time > 0.0f))
        return 0;
    return time >= kBeyond ? std::numeric_limits<Halvard::i32>::max() : static_cast<Halvard::i32>(time);
}

Halvard::i32 TimeBonus(Halvard::i32 aceTime, float time)
{
    const Halvard::i32 seconds = WholeSeconds(time);
    return seconds < aceTime ? (aceTime - seconds) * GUILevelCompleteWindow::kPointsPerSecond : 0;
}

} // namespace

GUILevelCompleteWindow::GUILevelCompleteWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                               LevelManager* levels, GameFramework::ProfileManagerBase* profiles,
                                               GameData* resources, GUITools::GUIToolManager* tools,
                                               GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUILevelCompleteWindowBase(levels),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      levels_(levels), profiles_(profiles)
{
    const std::string prefix = GetName() + "/window/";
    yourTime_ = GetTextControl(prefix + "your_time");
    aceTimeText_ = GetTextControl(prefix + "ace_time");
    timeBonus_ = GetTextControl(prefix + "time_bonus");
    timeBonusStatic_ = GetTextControl(prefix + "time_bonus_static");
    noTimeBonusStatic_ = GetTextControl(prefix + "no_time_bonus_static");
    bestTime_ = GetTextControl(prefix + "best_time");
    bestTimeStatic0_ = GetTextControl(prefix + "best_time_static_0");
    bestTimeStatic1_ = GetTextControl(prefix + "best_time_static_1");
    button_ = GetButton(prefix + "button_0");
    if (GetStaticTitleMount() != nullptr)
        EnableControl(GetStaticTitleMount(), false);
}

std::wstring GUILevelCompleteWindow::FormatTime(Halvard::i32 seconds)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%d:%02d", seconds / 60, seconds % 60);
    return text;
}

void GUILevelCompleteWindow::ShowLevelResult(Halvard::u32 opener, const GameFramework::LevelReference& level,
                                             float time)
{
    GUILevelCompleteWindowBase::ShowLevelResult(opener, level, time);
    if (GetAnimatedTitleMount() != nullptr)
        EnableControl(GetAnimatedTitleMount(), true);
    SetText(yourTime_, FormatTime(WholeSeconds(time)));
    aceTime_ = GetAceTime(level);
    SetText(aceTimeText_, FormatTime(aceTime_));
    SetText(timeBonus_, L"0");
    Enable(timeBonus_, EarnsBonus());
    Enable(timeBonusStatic_, EarnsBonus());
    Enable(noTimeBonusStatic_, !EarnsBonus());
    ShowBestTime();
    GUIMenuWindow::Show(true);
    bonusCountTime_ = 0.0f;
    bonus_ = TimeBonus(aceTime_, time);
    shownBonus_ = 0;
}

Halvard::u32 GUILevelCompleteWindow::GetTimeBonus(const GameFramework::LevelReference& level, float time) const
{
    return static_cast<Halvard::u32>(TimeBonus(GetAceTime(level), time));
}

Halvard::u32 GUILevelCompleteWindow::GetBonusToCount() const { return static_cast<Halvard::u32>(bonus_ - shownBonus_); }

Halvard::i32 GUILevelCompleteWindow::GetAceTime(const GameFramework::LevelReference& level) const
{
    const LevelRecord* record = levels_->GetGameLevel(level);
    return record != nullptr ? static_cast<Halvard::i32>(record->aceTime) : 0;
}

// With no record for the level, the player's own time and name stand in:
// the game submits the time before it shows the window, so this is only a
// level played outside the game's own flow.
void GUILevelCompleteWindow::ShowBestTime()
{
    const GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile();
    std::wstring holder = profile != nullptr ? profile->GetName() : std::wstring();
    float time = GetLevelTime();
    if (profile != nullptr)
        profiles_->GetLevelRecord(GetLevel(), profile->GetGameMode(), holder, time);
    SetText(bestTime_, FormatTime(WholeSeconds(time)));
    for (GUITools::GUITextControl* text : {bestTimeStatic0_, bestTimeStatic1_}) {
        if (text != nullptr)
            text->SetParameter(L"PROFILE_NAME", L"\"" + holder + L"\"");
    }
}

void GUILevelCompleteWindow::HideWindow()
{
    GUILevelCompleteWindowBase::HideWindow();
    if (GetAnimatedTitleMount() != nullptr)
        EnableControl(GetAnimatedTitleMount(), false);
    GUIMenuWindow::Show(false);
    StopCountingSound();
    // Gone from the screen, the window has nothing left to count: the score
    // behind it shows whole.
    ShowBonus(bonus_);
}

void GUILevelCompleteWindow::UpdateWindow()
{
    GUILevelCompleteWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if (EarnsBonus())
        CountBonus();
    if (button_ == nullptr || !button_->clicked)
        return;
    // The window is hidden before it is updated again, so the rest of the
    // bonus shows now.
    ShowBonus(bonus_);
    StopCountingSound();
    const GameFramework::LevelReference& level = GetLevel();
    const bool lastOfStage = level.level + 1 == levels_->GetLevelCount(level.stage);
    SetResult(lastOfStage ? WindowResult::kStageComplete : WindowResult::kEndLevel);
}

bool GUILevelCompleteWindow::EarnsBonus() const { return WholeSeconds(GetLevelTime()) < aceTime_; }

void GUILevelCompleteWindow::CountBonus()
{
    if (timeBonus_ != nullptr && timeBonus_->GetAlpha() > kFadedIn)
        bonusCountTime_ += GetEngine()->GetTimerManager()->GetFrameTime();
    const auto saved = static_cast<float>(aceTime_ - WholeSeconds(GetLevelTime()));
    const float counted = std::min(saved, std::max(bonusCountTime_ - kCountPause, 0.0f) * kSecondsCountedPerSecond);
    const auto bonus = static_cast<Halvard::i32>(counted * static_cast<float>(kPointsPerSecond));
    if (ShowBonus(bonus) == 0) {
        StopCountingSound();
    } else if (GetSoundSet()->GetSoundState(kSoundChargeScore) == Halvard::kSoundStopped) {
        GetSoundSet()->PlaySound(kSoundChargeScore);
    }
}

Halvard::i32 GUILevelCompleteWindow::ShowBonus(Halvard::i32 bonus)
{
    const Halvard::i32 delta = bonus - shownBonus_;
    shownBonus_ = bonus;
    SetText(timeBonus_, std::to_wstring(bonus));
    return delta;
}

void GUILevelCompleteWindow::StopCountingSound()
{
    if (GetSoundSet()->GetSoundState(kSoundChargeScore) != Halvard::kSoundStopped)
        GetSoundSet()->StopSound(kSoundChargeScore);
}

// Setting a text lays it out again; the bonus is set every frame while it
// counts, so only a change is set.
void GUILevelCompleteWindow::SetText(GUITools::GUITextControl* control, const std::wstring& text)
{
    if (control != nullptr && control->GetText() != text)
        control->SetRawText(text);
}

void GUILevelCompleteWindow::Enable(GUITools::GUITextControl* control, bool enable)
{
    if (control != nullptr)
        EnableControl(control, enable);
}

} // namespace Tamrisk
