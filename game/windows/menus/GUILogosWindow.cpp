#include "game/windows/menus/GUILogosWindow.h"

#include "engine/app/Engine.h"
#include "engine/core/FileManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderDescriptor.h"
#include "framework/windows/WindowResult.h"
#include "game/data/StartPicture.h"

#include <algorithm>

namespace Tamrisk {

using namespace Halvard;

namespace {

constexpr u32 kRootFlags = GUIWindow::kShown | GUIWindow::kLayerMiddle;
constexpr u32 kLogoFlags = GUIWindow::kShown | GUIWindow::kColored;
constexpr u32 kLogoCount = 2;
// An 800 x 600 picture in the corner of a 1024 x 1024 texture.
const Vector2 kLogoSize(800.0f, 600.0f);
const Vector2 kLogoUv(0.78125f, 0.5859375f);
// Below this the logo is gone.
constexpr float kFadedOut = 0.0001f;

std::string LogoTexture(u32 index) { return "ui\\textures\\publishers\\" + UIntToString(index) + "_logo_big.jpg"; }

} // namespace

GUILogosWindow::GUILogosWindow(Engine* engine)
    : files_(engine->GetFileManager()),
      timers_(engine->GetTimerManager()),
      gui_(engine->GetGUIManager()),
      root_(gui_->CreateWindowFromModel(kRootFlags, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr, nullptr))
{
    for (u32 index = 0; index < kLogoCount; ++index) {
        GUIWindow* logo = MakeLogo(index);
        if (logo == nullptr)
            continue;
        if (logoA_ == nullptr)
            logoA_ = logo;
        else
            logoB_ = logo;
    }
    if (logoA_ != nullptr)
        logoA_->SetLayer(kFrontLayer);
    if (logoB_ != nullptr)
        logoB_->SetLayer(kBackLayer);
}

GUILogosWindow::~GUILogosWindow()
{
    DestroyLogos();
    gui_->DestroyWindow(root_);
}

// The picture's alpha is not used: "32bit" keeps blending on, so that the
// window's vertex alpha fades the logo.
GUIWindow* GUILogosWindow::MakeLogo(u32 index) const
{
    const std::string texture = LogoTexture(index);
    if (!files_->FileExists("data\\" + texture))
        return nullptr;
    StartPicture::Check(files_, texture, "");
    return gui_->CreateWindowFromShader(kLogoFlags, Vector2(0.0f, 0.0f), kLogoSize,
                                        MakeShaderDescriptor(texture, "32bit", true), root_, kLogoUv);
}

void GUILogosWindow::ShowWindow(u32 opener)
{
    GUIFrameworkWindow::ShowWindow(opener);
    running_ = true;
}

void GUILogosWindow::HideWindow()
{
    GUIFrameworkWindow::HideWindow();
    running_ = false;
    DestroyLogos();
}

void GUILogosWindow::DestroyLogos()
{
    gui_->DestroyWindow(logoA_);
    gui_->DestroyWindow(logoB_);
    logoA_ = nullptr;
    logoB_ = nullptr;
}

void GUILogosWindow::UpdateWindow()
{
    GUIFrameworkWindow::UpdateWindow();
    if (!running_)
        return;
    if (logoA_ == nullptr) {
        SetResult(GameFramework::WindowResult::kDone);
        return;
    }
    time_ += timers_->GetFrameTime();
    const float alpha = std::max(0.0f, 1.0f - std::max(0.0f, time_ - kHoldSeconds));
    if ((logoA_->GetFlags() & GUIWindow::kShown) != 0)
        Fade(*logoA_, alpha);
    else if (logoB_ != nullptr && (logoB_->GetFlags() & GUIWindow::kShown) != 0)
        Fade(*logoB_, alpha);
    else
        SetResult(GameFramework::WindowResult::kDone);
}

// The next logo's time starts when this one has gone.
void GUILogosWindow::Fade(GUIWindow& logo, float alpha)
{
    logo.SetColor(Vector4(1.0f, 1.0f, 1.0f, alpha));
    if (alpha >= kFadedOut)
        return;
    time_ = 0.0f;
    logo.ClearFlags(GUIWindow::kShown);
}

} // namespace Tamrisk
