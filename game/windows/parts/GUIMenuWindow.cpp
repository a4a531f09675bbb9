#include "game/windows/parts/GUIMenuWindow.h"

#include "engine/gui/GUIWindow.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/data/GameData.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"

namespace Tamrisk {

GUIMenuWindow::GUIMenuWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                             GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                             Halvard::GUIWindow* parent, const std::string& name)
    : GUIWindowBase(engine, resources, tools, parent, name), sounds_(sounds), resources_(resources),
      manager_(manager)
{
    manager_->RegisterWindow(this);
    frame_ = FindWindowControl("/window");
    title_ = FindTextControl("/title");
    windowText_ = FindTextControl("/window/text");
    animatedTitleMount_ = FindWindowControl("/title_mount_animated");
    staticTitleMount_ = FindWindowControl("/title_mount_static");
    manager_->SetupAdditionalLogos(*this);
}

GUIMenuWindow::~GUIMenuWindow() = default;

GUITools::GUIWindowControl* GUIMenuWindow::FindWindowControl(const std::string& suffix) const
{
    const std::string name = GetName() + suffix;
    return HasWindowControl(name) ? GetWindowControl(name) : nullptr;
}

GUITools::GUITextControl* GUIMenuWindow::FindTextControl(const std::string& suffix) const
{
    const std::string name = GetName() + suffix;
    return HasTextControl(name) ? GetTextControl(name) : nullptr;
}

void GUIMenuWindow::Update() {}

// A window hidden while it still waits for the screen has nothing on
// screen to take away: it only stops waiting, so that it never takes the
// screen later and holds it with nobody to hide it again. One that holds
// the screen leaves it, even when it asked for it again meanwhile.
void GUIMenuWindow::Show(bool show)
{
    if (show) {
        showPending_ = true;
    } else {
        const bool waiting = showPending_ && manager_->GetCurrent() != this;
        showPending_ = false;
        if (shown_ && !waiting) {
            GUIWindowBase::Show(false);
            if (frame_ != nullptr)
                soundPending_ = true;
        }
    }
    shown_ = show;
}

bool GUIMenuWindow::IsVisible() const { return shown_ && GUIWindowBase::IsVisible(); }

// The base's Show and Update are called by name: this window's own Show
// only asks for the screen, and its Update does nothing.
void GUIMenuWindow::UpdateTransition()
{
    if (showPending_ && (manager_->IsFree() || manager_->GetCurrent() == this))
        TakeScreen();
    GUIWindowBase::Update();
    const bool mayLeave = !manager_->IsFree() && (manager_->GetCurrent() == this || manager_->GetCurrent() == nullptr);
    if (!shown_ && mayLeave && !IsLeaving())
        LeaveScreen();
    PlayPendingSound();
}

void GUIMenuWindow::TakeScreen()
{
    showPending_ = false;
    manager_->Acquire(this);
    GUIWindowBase::Show(true);
    if (frame_ != nullptr)
        soundPending_ = true;
}

void GUIMenuWindow::LeaveScreen()
{
    if (manager_->GetCurrent() == this)
        manager_->Release();
    GetBaseWindow()->ClearFlags(Halvard::GUIWindow::kShown);
}

// The frame, the animated title mount and a title still printing or erasing
// keep the screen until they are gone.
bool GUIMenuWindow::IsLeaving() const
{
    if (frame_ != nullptr && frame_->IsVisible())
        return true;
    if (animatedTitleMount_ != nullptr && animatedTitleMount_->IsVisible())
        return true;
    return title_ != nullptr && title_->IsVisible() && !title_->IsPrintingDone();
}

// The frame's own state tells which sound is due: shown and on screen is an
// arrival, neither shown nor on screen a departure; in between it is still
// on its way.
void GUIMenuWindow::PlayPendingSound()
{
    if (!soundPending_ || frame_ == nullptr)
        return;
    const bool shown = frame_->IsShown();
    const bool displayed = frame_->GetWindow()->visible;
    if (shown && displayed) {
        sounds_->PlaySound(kSoundWindowAppear);
        soundPending_ = false;
    } else if (!shown && !displayed) {
        sounds_->PlaySound(kSoundWindowDisappear);
        soundPending_ = false;
    }
}

} // namespace Tamrisk
