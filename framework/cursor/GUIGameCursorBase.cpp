#include "framework/cursor/GUIGameCursorBase.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls.h"

namespace GameFramework {

GUIGameCursorBase::GUIGameCursorBase(Halvard::Engine* engine)
    : engine_(engine),
      window_(engine->GetWindow()),
      config_(engine->GetConfig()),
      gui_(engine->GetGUIManager()),
      controls_(engine->GetControls())
{
    config_->AddVariable(kCustomCursorVariable, Halvard::Config::kBoolean, {.saved = true, .tracked = true},
                         &customCursor_, "1");
    customInUse_ = customCursor_ != 0;
    SetVisible(false);
}

GUIGameCursorBase::~GUIGameCursorBase()
{
    for (auto& [id, record] : cursors_)
        gui_->DestroyCursor(record.custom);
    config_->RemoveVariable(kCustomCursorVariable);
}

bool GUIGameCursorBase::Update()
{
    if (!IsVisible())
        return false;
    // The changed flag lasts one frame; comparing with the cursor in use
    // also catches a change made while the cursor was hidden.
    bool wanted = customCursor_ != 0;
    if (wanted != customInUse_) {
        SetVisible(false);
        customInUse_ = wanted;
        SetVisible(true);
    }
    return true;
}

void GUIGameCursorBase::SetVisible(bool visible)
{
    if (IsCustomShown())
        current_->custom->visible = visible;
    else
        controls_->SetCursorVisible(visible);
}

void GUIGameCursorBase::AddCursor(Halvard::u32 id, Halvard::u16 resourceId, Halvard::GUICursor* custom)
{
    custom->visible = false;
    CursorRecord& record = cursors_[id];
    // A shape added again replaces the old one, whose widget is the cursor's.
    if (record.custom != nullptr && record.custom != custom)
        gui_->DestroyCursor(record.custom);
    record = CursorRecord{window_->LoadCursor(resourceId), custom};
}

void GUIGameCursorBase::SetCursor(Halvard::u32 id)
{
    if (id == currentId_)
        return;
    currentId_ = id;
    auto found = cursors_.find(id);
    if (found == cursors_.end())
        return;
    if (IsCustomShown() && IsVisible()) {
        SetVisible(false);
        current_ = &found->second;
        SetVisible(true);
    }
    current_ = &found->second;
    window_->SetCursor(current_->system);
}

bool GUIGameCursorBase::IsVisible() const
{
    if (IsCustomShown())
        return current_->custom->visible;
    return controls_->IsCursorVisible();
}

} // namespace GameFramework
