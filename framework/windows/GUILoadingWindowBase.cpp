#include "framework/windows/GUILoadingWindowBase.h"

#include "engine/app/Engine.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem.h"
#include "engine/sound/SoundManager.h"
#include "game_tools/DataKeeper.h"
#include "platform/os/Clock.h"
#include "platform/os/WorkerThread.h"
#include "platform/window/EventDispatcher.h"

namespace GameFramework {

namespace {

constexpr Halvard::u32 kIdleSleepMilliseconds = 20;

} // namespace

GUILoadingWindowBase::GUILoadingWindowBase(Halvard::Engine* engine)
    : engine_(engine),
      window_(engine->GetWindow()),
      renderSystem_(engine->GetRenderSystem()),
      soundManager_(engine->GetSoundManager())
{
}

void GUILoadingWindowBase::ShowLoading(Halvard::u32 opener, GameTools::DataKeeper* task)
{
    ShowWindow(opener);
    task_ = task;
}

void GUILoadingWindowBase::HideWindow()
{
    GUIFrameworkWindow::HideWindow();
    task_ = nullptr;
    done_ = false;
}

void GUILoadingWindowBase::Load()
{
    if (task_ == nullptr)
        return;
    GameTools::DataKeeper* task = task_;
    // The worker owns the task and all it creates until it ends; the main
    // thread touches only messages, the present call and the sounds.
    Platform::WorkerThread worker([task] { task->Load(); });
    while (!worker.IsDone()) {
        if (!Platform::GetEventDispatcher().PumpOne())
            WaitIdle();
    }
    worker.Finish();
    task->FinishLoading();
    done_ = true;
}

void GUILoadingWindowBase::WaitIdle()
{
    if (renderSystem_ != nullptr && !window_->IsFullScreen())
        renderSystem_->SwapBuffers();
    if (soundManager_ != nullptr)
        soundManager_->Update(false);
    Platform::GetClock().Sleep(kIdleSleepMilliseconds);
}

} // namespace GameFramework
