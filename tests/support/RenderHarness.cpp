#include "tests/support/RenderHarness.h"

#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"

#include <algorithm>

namespace Testing {

RenderHarness::RenderHarness()
{
    messages = std::make_unique<QuietLog>();
    config = std::make_unique<Halvard::Config>(messages.get(), nullptr,
                                               Halvard::ConfigSettings{.videoMode = "800x600x32"});
}

Halvard::RenderSystem_D3D7& RenderHarness::Start(bool stencilRequest, bool keepWindowSize)
{
    if (!window) {
        const Halvard::WindowSettings settings{.title = "Test", .width = 800, .height = 600,
                                               .fullScreen = config->fullScreen != 0};
        window = std::make_unique<Halvard::Window>(messages.get(), config.get(), settings);
    }
    render = std::make_unique<Halvard::RenderSystem_D3D7>(messages.get(), config.get(), window.get(), stencilRequest,
                                                          keepWindowSize);
    return *render;
}

std::vector<std::string> RenderHarness::Log() const { return LogProbe(*messages).Texts(); }

std::vector<std::string> RenderHarness::LogFrom(const std::string& first) const
{
    const std::vector<std::string> lines = Log();
    return std::vector<std::string>(std::find(lines.begin(), lines.end(), first), lines.end());
}

bool RenderHarness::Logged(const std::string& line) const { return LogProbe(*messages).Count(line) > 0; }

std::vector<std::string> RenderHarness::Errors() const
{
    return LogProbe(*messages).Texts(Halvard::MessageManager::kError);
}

} // namespace Testing
