#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/app/EngineSettings.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Window.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "tests/support/FakeVideoSystem.h"
#include "tests/support/FakeWindowSystem.h"
#include "tests/support/ScopedVideoSystem.h"
#include "tests/support/ScopedWindowSystem.h"

namespace Testing {

// What a render system needs around it, on the fake window and video
// systems: a log kept in memory, a configuration asking for a windowed
// 800 x 600 x 32 mode and the window. The test scripts the fakes and the
// configuration, then starts the render system, which makes the window
// first (it reads the work area when it is made).
class RenderHarness {
public:
    RenderHarness();

    RenderHarness(const RenderHarness&) = delete;
    RenderHarness& operator=(const RenderHarness&) = delete;

    Halvard::RenderSystem_D3D7& Start(bool stencilRequest = false, bool keepWindowSize = false);
    Halvard::RenderSystem_D3D7& Render() { return *render; }

    // The log's lines as written, decorations and all.
    std::vector<std::string> Log() const;
    // The lines from the first one equal to the given text on.
    std::vector<std::string> LogFrom(const std::string& first) const;
    bool Logged(const std::string& line) const;
    // The lines of the error level.
    std::vector<std::string> Errors() const;

    FakeWindowSystem windows;
    FakeVideoSystem video;
    ScopedWindowSystem windowGuard{windows};
    ScopedVideoSystem videoGuard{video};
    std::unique_ptr<Halvard::MessageManager> messages;
    std::unique_ptr<Halvard::Config> config;
    std::unique_ptr<Halvard::Window> window;
    std::unique_ptr<Halvard::RenderSystem_D3D7> render;
};

} // namespace Testing
