#pragma once

#include "engine/core/Types.h"
#include "framework/windows/GUILogosWindowBase.h"

namespace Halvard {
class Engine;
class FileManager;
class GUIManager;
class GUIWindow;
class TimerManager;
} // namespace Halvard

namespace Tamrisk {

// The first window of a run: up to two full-screen publisher logos, each
// held for 1.5 s and faded out over 1 s, the first in front of the second;
// then result 1. A logo whose picture does not ship is simply left out, so
// that with none the window is done in its first running frame. Builds its
// GUI windows itself and owns them. Main thread only.
class GUILogosWindow : public GameFramework::GUILogosWindowBase {
public:
    static constexpr float kHoldSeconds = 1.5f;
    static constexpr Halvard::i32 kFrontLayer = 101;
    static constexpr Halvard::i32 kBackLayer = 100;

    // Throws FileError naming a picture beyond the start pictures' bound
    // (StartPicture).
    explicit GUILogosWindow(Halvard::Engine* engine);
    ~GUILogosWindow() override;

    void UpdateWindow() override;
    void ShowWindow(Halvard::u32 opener) override;
    // Destroys both logos: a later show is done at once.
    void HideWindow() override;

    Halvard::GUIWindow* GetRoot() const { return root_; }
    // The logo in front, and the one behind it; null when not there.
    Halvard::GUIWindow* GetLogoA() const { return logoA_; }
    Halvard::GUIWindow* GetLogoB() const { return logoB_; }
    bool IsRunning() const { return running_; }

private:
    Halvard::GUIWindow* MakeLogo(Halvard::u32 index) const;
    // Fades the logo; hides it once it has faded out.
    void Fade(Halvard::GUIWindow& logo, float alpha);
    void DestroyLogos();

    Halvard::FileManager* files_;
    Halvard::TimerManager* timers_;
    Halvard::GUIManager* gui_;
    Halvard::GUIWindow* root_;
    Halvard::GUIWindow* logoA_ = nullptr;
    Halvard::GUIWindow* logoB_ = nullptr;
    bool running_ = false;
    float time_ = 0.0f;
};

} // namespace Tamrisk
