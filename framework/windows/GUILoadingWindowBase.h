#pragma once

#include "framework/windows/GUIFrameworkWindow.h"

namespace Halvard {
class Engine;
class Window;
class RenderSystem;
class SoundManager;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
}

namespace GameFramework {

// A window that loads the queued resources of a data keeper on a worker
// thread while the main thread keeps the window alive. Used twice: for the
// interface data after the logos, and for each level's data. The task is the
// application's; the window only keeps it while shown.
class GUILoadingWindowBase : public GUIFrameworkWindow {
public:
    explicit GUILoadingWindowBase(Halvard::Engine* engine);

    // Shows the window with the keeper whose queued files Load reads.
    virtual void ShowLoading(Halvard::u32 opener, GameTools::DataKeeper* task);
    // Forgets the task.
    void HideWindow() override;

    // Loads the task's queued files on a worker thread and returns when they
    // are loaded; nothing without a task. Meanwhile the main thread only
    // pumps messages, presents the last frame again in a window (not full
    // screen), updates the sounds without running their queue and sleeps
    // 20 ms per idle turn. When no thread can be started the load runs here.
    // What the load threw is thrown again here, on the main thread, once the
    // worker has ended. Main thread.
    void Load();

    GameTools::DataKeeper* GetTask() const { return task_; }
    // Whether the last Load ran to its end.
    bool IsDone() const { return done_; }

protected:
    Halvard::Engine* GetEngine() const { return engine_; }

private:
    void WaitIdle();

    Halvard::Engine* engine_;
    Halvard::Window* window_;
    Halvard::RenderSystem* renderSystem_;
    Halvard::SoundManager* soundManager_;
    GameTools::DataKeeper* task_ = nullptr;
    bool done_ = false;
};

} // namespace GameFramework
