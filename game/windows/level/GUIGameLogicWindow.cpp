#include "game/windows/level/GUIGameLogicWindow.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"
#include "engine/render/ModelManager.h"
#include "framework/ConsoleCommands.h"
#include "framework/windows/VideoSettingsAccess.h"
#include "framework/windows/WindowResult.h"
#include "framework/logic/GameLogicBase.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "game_tools/GameCamera.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"

namespace Tamrisk {

using namespace Halvard;
using GameFramework::VideoSettingsAccess;
using GameFramework::WindowResult;

namespace {

constexpr u32 kOverlayFlags = GUIWindow::kShown;
const Vector4 kStatisticsColor(1.0f, 1.0f, 1.0f, 1.0f);
constexpr float kStatisticsX = 8.0f;
// The counters stack down from the top; the camera lines sit at the bottom.
constexpr float kFirstCounterY = 512.0f;
constexpr float kCounterStep = -15.0f;
constexpr float kCameraFovY = 33.0f;
constexpr float kCameraPositionY = 18.0f;
constexpr float kCameraRotationY = 3.0f;
constexpr float kRadiansToDegrees = 180.0f / 3.1415927f;

std::string ControlName(const char* suffix) { return std::string(GUIGameLogicWindow::kName) + suffix; }

bool Clicked(const GUIButton* button) { return button != nullptr && button->clicked; }

bool Over(const GUIButton* button) { return button != nullptr && button->over; }

void Enable(GUIButton* button, bool enable)
{
    if (button != nullptr)
        button->SetEnabled(enable);
}

// Setting a text lays it out again; the counters are set every frame and
// change seldom, so only a change is set.
void SetRawText(GUITools::GUITextControl* text, const std::wstring& value)
{
    if (text != nullptr && text->GetText() != value)
        text->SetRawText(value);
}

} // namespace

GUIGameLogicWindow::GUIGameLogicWindow(Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                                       GameTools::DataKeeper* resources, GUITools::GUIToolManager* tools,
                                       GUIMenuWindowManager* menuWindows, GUIWindow* parent)
    : GUIGameLogicWindowBase(engine, profileManager),
      GUIWindowBase(engine, resources, tools, parent, kName),
      config_(engine->GetConfig()),
      timers_(engine->GetTimerManager()),
      models_(engine->GetModelManager()),
      controls_(engine->GetControls()),
      gui_(engine->GetGUIManager()),
      menuWindows_(menuWindows),
      root_(GetWindowControl(kName)),
      menuButton_(GetButton(ControlName("/menu"))),
      minimizeButton_(GetButton(ControlName("/minimize"))),
      closeButton_(GetButton(ControlName("/close"))),
      fullScreenBox_(GetCheckBox(ControlName("/fullscreen"))),
      lifeText_(GetTextControl(ControlName("/life/text"))),
      scoreText_(GetTextControl(ControlName("/score/text_1"))),
      levelText_(GetTextControl(ControlName("/level/text_1")))
{
    menuWindows_->SetupAdditionalLogos(*this);
    GUIWindow* overlayParent = root_ != nullptr ? root_->GetWindow() : nullptr;
    overlay_ = gui_->CreateWindowFromModel(kOverlayFlags, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr,
                                           overlayParent);
    overlay_->SetLayer(kOverlayLayer);
}

GUIGameLogicWindow::~GUIGameLogicWindow() { gui_->DestroyWindow(overlay_); }

void GUIGameLogicWindow::ShowGameLogic(u32 opener, GameFramework::GameLogicBase* gameLogic)
{
    GUIGameLogicWindowBase::ShowGameLogic(opener, gameLogic);
    GUIWindowBase::Show(true);
    logic_ = gameLogic;
    if (fullScreenBox_ != nullptr)
        fullScreenBox_->checked = IsFullScreen();
    if (logic_ == nullptr)
        return;
    const GameFramework::LevelReference& level = logic_->GetLevelReference();
    SetRawText(levelText_, UIntToWString(level.stage + 1) + L"-" + UIntToWString(level.level + 1));
}

void GUIGameLogicWindow::HideWindow()
{
    GUIGameLogicWindowBase::HideWindow();
    GUIWindowBase::Show(false);
    if (!menuWindows_->IsFree())
        menuWindows_->Release();
    menuWindows_->Acquire(nullptr);
    logic_ = nullptr;
}

void GUIGameLogicWindow::SetActive(bool active)
{
    GUIGameLogicWindowBase::SetActive(active);
    Enable(menuButton_, active);
    Enable(closeButton_, active);
}

void GUIGameLogicWindow::UpdateWindow()
{
    GUIGameLogicWindowBase::UpdateWindow();
    GUIWindowBase::Update();
    FollowWindowMode();
    if (ReleaseWhenFaded() || logic_ == nullptr)
        return;
    HandleWindowButtons();
    DrawStatistics();
    ShowCounters();
    if (!IsActive())
        return;
    ReadResult();
    const bool ballInPlay = logic_->IsBallInPlay();
    Enable(minimizeButton_, !ballInPlay);
    Enable(fullScreenBox_, !ballInPlay);
    HandleFieldClick();
}

// A window-mode change asked elsewhere (Alt+Enter) shows in the box.
void GUIGameLogicWindow::FollowWindowMode()
{
    if (fullScreenBox_ != nullptr && VideoSettingsAccess::IsPending(*config_, VideoSettingsAccess::kWindowChangeMode))
        fullScreenBox_->checked = IsFullScreen();
}

bool GUIGameLogicWindow::ReleaseWhenFaded()
{
    if (root_ == nullptr || root_->IsVisible())
        return false;
    if (!menuWindows_->IsFree() && menuWindows_->GetCurrent() == nullptr)
        menuWindows_->Release();
    return true;
}

void GUIGameLogicWindow::HandleWindowButtons()
{
    if (Clicked(minimizeButton_))
        MinimizeWindow();
    if (Clicked(fullScreenBox_))
        ChangeWindowMode();
}

// The application frame carries the change out.
void GUIGameLogicWindow::ChangeWindowMode()
{
    SetFullScreen(fullScreenBox_->checked);
    config_->fullScreen = IsFullScreen() ? 1 : 0;
    config_->Save();
    VideoSettingsAccess::Invoke(*config_, VideoSettingsAccess::kWindowChangeMode);
}

void GUIGameLogicWindow::DrawStatistics()
{
    if (!StringToBool(config_->GetValue(GameFramework::ConsoleCommands::kShowStatistics)))
        return;
    const i32 index = GetToolManager()->GetFontTool()->GetFontIndex(kStatisticsFont);
    const u32 font = index < 0 ? 0 : static_cast<u32>(index);
    float y = kFirstCounterY;
    AddStatistic(font, L"FPS: " + IntToWString(static_cast<i32>(timers_->GetFramesPerSecond())), y);
    AddStatistic(font, L"Model count: " + UIntToWString(models_->GetDrawnModelCount()), y += kCounterStep);
    AddStatistic(font, L"Triangle count: " + UIntToWString(models_->GetDrawnPrimitiveCount()), y += kCounterStep);
    AddStatistic(font, L"Time: " + FloatToWString(logic_->GetTime(), 1), y += kCounterStep);
    const GameTools::GameCamera* camera = logic_->GetCamera();
    if (camera == nullptr)
        return;
    const Vector3& position = camera->currentPosition;
    const Quaternion& rotation = camera->currentOrientation;
    AddStatistic(font, L"Camera FOV: " + FloatToWString(camera->GetFieldOfView() * kRadiansToDegrees, 6),
                 kCameraFovY);
    AddStatistic(font, L"Camera position: " + Vector3ToWString(position.x, position.y, position.z, 4),
                 kCameraPositionY);
    AddStatistic(font,
                 L"Camera rotation: " + QuaternionToWString(rotation.x, rotation.y, rotation.z, rotation.w, 4),
                 kCameraRotationY);
}

// The font's own size, no turn.
void GUIGameLogicWindow::AddStatistic(u32 font, const std::wstring& text, float y)
{
    overlay_->AddText(0, font, Vector2(kStatisticsX, y), kStatisticsColor, text, 0.0f, -1.0f);
}

// The life on the field is not a spare one.
void GUIGameLogicWindow::ShowCounters()
{
    const u32 lives = logic_->GetLives();
    SetRawText(lifeText_, L"x " + UIntToWString(lives == 0 ? 0 : lives - 1));
    SetRawText(scoreText_, UIntToWString(GetTotalScore()));
}

// A later result replaces an earlier one of the same frame.
void GUIGameLogicWindow::ReadResult()
{
    if (Clicked(closeButton_))
        SetResult(WindowResult::kExitQuestion);
    if (controls_->IsKeyPressed(KeyNames::kSpace) || controls_->IsKeyPressed(KeyNames::kP))
        SetResult(WindowResult::kPause);
    if (controls_->IsKeyPressed(KeyNames::kEscape) || Clicked(menuButton_))
        SetResult(WindowResult::kGameLogicMenu);
}

// A press on the field, not on a button, is the player's action; the
// rectangle reaches one unit beyond the GUI space on every side.
void GUIGameLogicWindow::HandleFieldClick()
{
    if (!controls_->IsKeyPressed(KeyNames::kMouse1) || IsOverAnyButton())
        return;
    const Vector2 at = gui_->GetCursorPosition();
    if (at.x > -1.0f && at.y > -1.0f && at.x < gui_->GetWidth() + 1.0f && at.y < gui_->GetHeight() + 1.0f)
        logic_->SetAction();
}

bool GUIGameLogicWindow::IsOverAnyButton() const
{
    return Over(menuButton_) || Over(minimizeButton_) || Over(fullScreenBox_) || Over(closeButton_);
}

} // namespace Tamrisk
