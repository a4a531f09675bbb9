#include "game/GUIGameLogicTextManager.h"

#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/CameraManager.h"
#include "game/GUIGameLogicText.h"

#include <algorithm>

using namespace Halvard;

namespace Tamrisk {

GUIGameLogicTextManager::GUIGameLogicTextManager(Engine* engine, i32 fontId, GUIWindow* parent)
    : engine_(engine), fontId_(fontId)
{
    // A shown window without picture, only a holder for the texts' lines.
    window_ = engine_->GetGUIManager()->CreateWindowFromModel(GUIWindow::kShown, Vector2(0.0f, 0.0f),
                                                              Vector2(0.0f, 0.0f), nullptr, parent);
    window_->SetLayer(static_cast<i32>(kLayer));
}

GUIGameLogicTextManager::~GUIGameLogicTextManager()
{
    texts_.clear();
    engine_->GetGUIManager()->DestroyWindow(window_);
}

void GUIGameLogicTextManager::AddText(const std::wstring& text, const Vector3& point)
{
    const Window& window = *engine_->GetWindow();
    // A minimised window has no client area to place the point in.
    if (window.GetClientWidth() == 0 || window.GetClientHeight() == 0)
        return;
    const CameraManager& cameras = *engine_->GetCameraManager();
    Vector2 screen(0.0f, 0.0f);
    cameras.ProjectPoint(screen, cameras.GetDefaultCamera(), point);
    const GUIManager& gui = *engine_->GetGUIManager();
    CreateText(text, Vector2(screen.x / static_cast<float>(window.GetClientWidth()) * gui.GetWidth(),
                             screen.y / static_cast<float>(window.GetClientHeight()) * gui.GetHeight()));
}

void GUIGameLogicTextManager::CreateText(const std::wstring& text, const Vector2& position)
{
    texts_.push_back(std::make_unique<GUIGameLogicText>(engine_, position, text, fontId_, window_));
}

// A text is drawn in the frame it ends in and removed right after it.
void GUIGameLogicTextManager::Update()
{
    for (std::unique_ptr<GUIGameLogicText>& text : texts_) {
        text->Update();
        if (!text->IsAlive())
            text.reset();
    }
    texts_.erase(std::remove(texts_.begin(), texts_.end(), nullptr), texts_.end());
}

} // namespace Tamrisk
