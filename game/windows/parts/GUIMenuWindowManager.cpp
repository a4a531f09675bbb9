#include "game/windows/parts/GUIMenuWindowManager.h"

#include "engine/gui/GUIWindow.h"
#include "engine/render/ShaderUser.h"
#include "game/data/GameData.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "gui_tools/controls/GUIWindowControl.h"

#include <string>

namespace Tamrisk {

namespace {

constexpr unsigned kAdditionalLogos = 2;

} // namespace

GUIMenuWindowManager::GUIMenuWindowManager(GameData* resources) : resources_(resources) {}

GUIMenuWindowManager::~GUIMenuWindowManager() = default;

void GUIMenuWindowManager::RegisterWindow(GUIMenuWindow* window) { windows_.push_back(window); }

void GUIMenuWindowManager::Acquire(GUIMenuWindow* window)
{
    if (!free_)
        return;
    free_ = false;
    current_ = window;
}

void GUIMenuWindowManager::Release()
{
    free_ = true;
    current_ = nullptr;
}

void GUIMenuWindowManager::PreUpdate() {}

void GUIMenuWindowManager::Update()
{
    for (const bool shown : {false, true}) {
        for (GUIMenuWindow* window : windows_) {
            if (window->IsShown() == shown)
                window->UpdateTransition();
        }
    }
}

void GUIMenuWindowManager::SetupAdditionalLogos(GUITools::GUIWindowBase& window) const
{
    for (unsigned n = 0; n < kAdditionalLogos; ++n) {
        const std::string name = window.GetName() + "/logo_additional_" + std::to_string(n);
        if (!window.HasWindowControl(name))
            continue;
        GUITools::GUIWindowControl* control = window.GetWindowControl(name);
        const Halvard::ShaderUser* logo = resources_->GetLogo(n);
        if (logo != nullptr)
            control->GetWindow()->SetShader(*logo);
        else
            window.EnableControl(control, false);
    }
}

} // namespace Tamrisk
