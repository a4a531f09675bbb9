#include "game_tools/GUIDoubleClickDetecter.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"

#include <algorithm>

namespace GameTools {

using namespace Halvard;

namespace {

const char* const kButton = "MOUSE1";

} // namespace

GUIDoubleClickDetecter::GUIDoubleClickDetecter(Engine* engine)
    : timers_(engine->GetTimerManager()), controls_(engine->GetControls())
{
}

void GUIDoubleClickDetecter::AddWindow(GUIWindow* added) { windows_.push_back(added); }

void GUIDoubleClickDetecter::RemoveWindow(GUIWindow* removed)
{
    if (removed == nullptr)
        return;
    const auto found = std::find(windows_.begin(), windows_.end(), removed);
    if (found != windows_.end())
        windows_.erase(found);
}

void GUIDoubleClickDetecter::Update()
{
    const float now = timers_->GetMainTimer()->GetTime();
    doubleClicked = false;
    const bool pressed = controls_->IsKeyPressed(kButton);
    const bool down = controls_->IsKeyDown(kButton);
    if (now - firstClickTime_ >= kMaximumSpan) {
        if (pressed) {
            if (GUIWindow* target = FindWindowUnderCursor())
                StartAttempt(target, now);
        }
    } else if (pressed) {
        GUIWindow* target = FindWindowUnderCursor();
        if (target == nullptr)
            Forget();
        else if (target != window)
            StartAttempt(target, now);
    } else if (held_ && !down) {
        if (stage_ >= 2) {
            doubleClicked = true;
            firstClickTime_ = -1.0f;
            stage_ = 0;
        } else {
            ++stage_;
        }
    }
    held_ = down;
}

GUIWindow* GUIDoubleClickDetecter::FindWindowUnderCursor() const
{
    for (GUIWindow* candidate : windows_) {
        if (candidate->visible != 0 && candidate->over != 0)
            return candidate;
    }
    return nullptr;
}

void GUIDoubleClickDetecter::StartAttempt(GUIWindow* target, float now)
{
    window = target;
    firstClickTime_ = now;
    stage_ = 1;
}

void GUIDoubleClickDetecter::Forget()
{
    window = nullptr;
    firstClickTime_ = -1.0f;
    stage_ = 0;
}

} // namespace GameTools
