#pragma once

#include "platform/window/NativeWindow.h"

struct SDL_Window;

namespace Platform {

// A window of the SDL2 backend, made for OpenGL: the video layer creates its
// context on the SDL window.
class SdlWindow : public NativeWindow {
public:
    // Takes ownership of the SDL window.
    explicit SdlWindow(SDL_Window* window);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void Reshape(const WindowShape& shape) override;
    void SetTitle(const std::string& title) override;
    void Show() override;
    void TakeFocus() override;
    bool HasFocus() const override;
    void Minimize() override;

    SDL_Window* Get() const { return window_; }

private:
    void SetTopmost(bool topmost);

    SDL_Window* window_;
};

} // namespace Platform
