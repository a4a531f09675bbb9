#include "engine/gui/GUIManager.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"

namespace Halvard {

GUIManager::GUIManager(Window* window, TimerManager* timers, Controls* controls)
    : window_(window), timers_(timers), controls_(controls),
      fonts_(std::make_unique<GUIFontManager>())
{
}

GUIManager::~GUIManager() = default;

void GUIManager::Update()
{
    const Vector2 cursor = GetCursorPosition();
    const bool held = controls_->IsKeyDown(KeyNames::kMouse1);
    const bool pressed = controls_->IsKeyPressed(KeyNames::kMouse1);
    for (GUIWindow* window : windows_.GetObjects()) {
        if (window != nullptr)
            window->ProcessInput(cursor, held, pressed);
    }
    for (GUIEditBox* editBox : editBoxes_.GetObjects()) {
        if (editBox != nullptr)
            editBox->ProcessInput(cursor, held, pressed);
    }
}

void GUIManager::Render()
{
    for (GUIWindow* window : windows_.GetObjects()) {
        if (window != nullptr)
            window->Draw();
    }
    for (GUIEditBox* editBox : editBoxes_.GetObjects()) {
        if (editBox != nullptr)
            editBox->Draw();
    }
}

void GUIManager::SetSize(float width, float height) { size_ = Vector2(width, height); }

// The client area maps onto the GUI space with y turned upwards.
Vector2 GUIManager::GetCursorPosition() const
{
    const Vector2 client = controls_->GetCursorPosition();
    const auto width = static_cast<float>(window_->GetClientWidth());
    const auto height = static_cast<float>(window_->GetClientHeight());
    if (width <= 0.0f || height <= 0.0f)
        return Vector2(0.0f, 0.0f);
    return Vector2(client.x / width * size_.x, (1.0f - client.y / height) * size_.y);
}

GUIWindow* GUIManager::CreateWindowFromShader(u32 flags, const Vector2& position, const Vector2& size,
                                              const ShaderDescriptor*, GUIWindow* parent, const Vector2&)
{
    auto* window = new GUIWindow(flags, position, size, parent);
    windows_.Add(window);
    return window;
}

GUIEditBox* GUIManager::CreateEditBox(const GUIEditBoxSettings& settings, const ShaderDescriptor*, const Vector2&)
{
    auto* editBox = new GUIEditBox(settings, timers_, controls_, fonts_.get(), nullptr);
    editBoxes_.Add(editBox);
    return editBox;
}

void GUIManager::DestroyWindow(GUIWindow* window)
{
    if (windows_.Remove(window))
        delete window;
}

void GUIManager::DestroyEditBox(GUIEditBox* editBox)
{
    if (editBoxes_.Remove(editBox))
        delete editBox;
}

} // namespace Halvard
