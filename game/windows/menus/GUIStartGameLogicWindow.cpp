#include "game/windows/menus/GUIStartGameLogicWindow.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/data/GameData.h"
#include "game/windows/parts/GUIMapElement.h"
#include "game/windows/parts/GUIStageMap.h"
#include "game_tools/GUIDoubleClickDetecter.h"
#include "gui_tools/controls/GUITextControl.h"

#include <cmath>
#include <limits>

namespace Tamrisk {

using GameFramework::WindowResult;
using GameFramework::WindowSource;
using Halvard::u32;

namespace {

constexpr const char* kBackPath = "/window/button_0";
constexpr const char* kPlayPath = "/window/button_1";
constexpr const char* kPlayTitlePath = "/window/button_1/title";
constexpr const char* kStagePassedTitle = "start_game/title_stage_is_passed";
constexpr const char* kSelectLevelTitle = "start_game/title_select_level";
constexpr float kAlphaStep = 0.0001f;
constexpr std::size_t kNoElement = std::numeric_limits<std::size_t>::max();

} // namespace

GUIStartGameLogicWindow::GUIStartGameLogicWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                                 GameFramework::LevelManagerBase*,
                                                 GameFramework::ProfileManagerBase* profiles, GameData* resources,
                                                 GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                                 Halvard::GUIWindow* parent)
    : GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName), profiles_(profiles),
      timers_(engine->GetTimerManager()), detecter_(std::make_unique<GameTools::GUIDoubleClickDetecter>(engine))
{
    back_ = GetButton(GetName() + kBackPath);
    play_ = GetButton(GetName() + kPlayPath);
    playTitle_ = GetTextControl(GetName() + kPlayTitlePath);
    const GUIStageMap map(engine);
    elements_.reserve(map.GetElements().size());
    for (const GUIStageMap::Element& element : map.GetElements()) {
        elements_.push_back(
            std::make_unique<GUIMapElement>(engine, resources, detecter_.get(), element, GetBaseWindow()));
        elements_.back()->SetVisible(false);
    }
}

GUIStartGameLogicWindow::~GUIStartGameLogicWindow() = default;

void GUIStartGameLogicWindow::ShowWindow(u32 opener)
{
    GUIStartGameLogicWindowBase::ShowWindow(opener);
    playPending_ = false;
    if (opener == WindowSource::kLevelComplete || opener == WindowSource::kGameLogicRestart) {
        playPending_ = true;
        return;
    }
    if (GetTitle() != nullptr)
        GetTitle()->SetText(opener == WindowSource::kStageComplete ? kStagePassedTitle : kSelectLevelTitle);
    GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile();
    if (opener == WindowSource::kContinueGameLogic && profile != nullptr && profile->IsGameInProgress()) {
        playPending_ = true;
        return;
    }
    GUIMenuWindow::Show(true);
    if (profile != nullptr)
        SelectLevel(profile->GetCurrentLevel().stage, profile->GetCurrentLevel().level);
    if (opener == WindowSource::kStageComplete) {
        for (const std::unique_ptr<GUIMapElement>& element : elements_)
            element->Lock();
    }
    previewRunning_ = true;
    previewTimer_ = 0.0f;
}

void GUIStartGameLogicWindow::HideWindow()
{
    GUIStartGameLogicWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIStartGameLogicWindow::SelectLevel(u32 stage, u32 level)
{
    GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile();
    if (profile == nullptr)
        return;
    const GameFramework::LevelReference furthest = profile->GetFurthestLevel();
    if (stage > furthest.stage) {
        stage = furthest.stage;
        level = furthest.level;
    } else if (stage == furthest.stage && level > furthest.level) {
        level = furthest.level;
    }
    for (const std::unique_ptr<GUIMapElement>& element : elements_)
        element->SetVisible(false);
    for (const std::unique_ptr<GUIMapElement>& element : elements_) {
        const u32 s = element->GetStage();
        const u32 l = element->GetLevel();
        if (s < stage || (s == stage && l < level)) {
            element->SetState(GUIMapElement::kPassed);
        } else if (s == stage && l == level) {
            element->SetState(GUIMapElement::kChosen);
            profile->SetCurrentLevel({stage, level});
            profile->Save();
        } else {
            element->SetState(GUIMapElement::kNotPassed);
        }
        element->SetVisible(true);
        if (s == furthest.stage && l == furthest.level)
            break;
    }
}

void GUIStartGameLogicWindow::UpdateWindow()
{
    GUIStartGameLogicWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (playPending_) {
        SetResult(WindowResult::kPlay);
        playPending_ = false;
        return;
    }
    if (!GUIMenuWindow::IsVisible())
        return;
    FollowFade();
    if (!IsShown())
        return;
    ReadClicks();
    detecter_->Update();
    ChooseClickedElement();
    for (const std::unique_ptr<GUIMapElement>& element : elements_) {
        if (element->IsVisible() && element->IsDoubleClicked())
            SetResult(WindowResult::kPlay);
    }
    if (previewRunning_)
        RunPreview();
}

// The points follow the play button's title as the window fades.
void GUIStartGameLogicWindow::FollowFade()
{
    const float alpha = playTitle_ != nullptr && playTitle_->IsVisible() ? playTitle_->GetAlpha() : 0.0f;
    if (std::fabs(alpha - lastAlpha_) <= kAlphaStep)
        return;
    lastAlpha_ = alpha;
    for (const std::unique_ptr<GUIMapElement>& element : elements_)
        element->SetFade(alpha);
}

void GUIStartGameLogicWindow::ReadClicks()
{
    if (back_ != nullptr && back_->clicked)
        SetResult(WindowResult::kMainMenu);
    if (play_ != nullptr && play_->clicked)
        SetResult(WindowResult::kPlay);
}

// Only one point lights up under the cursor: one already highlighted keeps
// the next from highlighting too.
void GUIStartGameLogicWindow::ChooseClickedElement()
{
    bool previousHighlighted = false;
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        GUIMapElement& element = *elements_[i];
        if (!element.IsVisible() || element.GetState() == GUIMapElement::kOutOfReach ||
            element.GetState() == GUIMapElement::kHighlighted)
            return;
        element.UpdateHighlight(i == 0 || !previousHighlighted);
        previousHighlighted = element.IsHighlighted();
        if (element.IsClicked()) {
            SelectLevel(element.GetStage(), element.GetLevel());
            return;
        }
    }
}

void GUIStartGameLogicWindow::RunPreview()
{
    previewTimer_ += timers_->GetFrameTime();
    // A map that lacks the furthest level has no way ahead to show.
    const std::size_t anchor = FindFurthestElement();
    if (anchor == kNoElement)
        return;
    PreviewPass(anchor, previewTimer_, false);
    const float behind = previewTimer_ - kPreviewLag;
    if (behind >= 0.0f)
        PreviewPass(anchor, behind, true);
}

// One wave along the way from the anchor to the next check point or the
// finish, each point kPreviewStep later than the one before.
void GUIStartGameLogicWindow::PreviewPass(std::size_t anchor, float t, bool fadingOut)
{
    for (std::size_t i = anchor + 1; i < elements_.size(); ++i) {
        GUIMapElement& element = *elements_[i];
        if (!element.IsVisible()) {
            element.SetVisible(true);
            element.SetState(GUIMapElement::kOutOfReach);
        }
        const float share = t <= kPreviewFade ? t / kPreviewFade : 1.0f;
        element.SetAlpha(fadingOut ? 1.0f - share : share);
        t -= kPreviewStep;
        if (t <= kAlphaStep)
            return;
        if (element.GetKind() != GUIStageMap::kPathPoint) {
            if (fadingOut && t >= 1.0f)
                previewTimer_ = 0.0f;
            return;
        }
    }
}

std::size_t GUIStartGameLogicWindow::FindFurthestElement() const
{
    const GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile();
    if (profile == nullptr)
        return kNoElement;
    const GameFramework::LevelReference& furthest = profile->GetFurthestLevel();
    for (std::size_t i = 0; i < elements_.size(); ++i) {
        if (elements_[i]->GetStage() == furthest.stage && elements_[i]->GetLevel() == furthest.level)
            return i;
    }
    return kNoElement;
}

} // namespace Tamrisk
