#include "tests/support/RenderHarness.h"

#include "tests/support/LogProbe.h"
#include "tests/support/QuietLog.h"

#include <algorithm>

namespace Testing {

RenderHarness::RenderHarness()
{
    messages = std::make_unique<QuietLog>();
    config = std::make_unique<Halvard::Config>(messages.get(), nullptr, "", "", false, "800x600x32", false, false);
}

Halvard::RenderSystem_D3D7& RenderHarness::Start(bool stencilRequest, bool keepWindowSize)
{
    if (!window) {
        window = std::make_unique<Halvard::Window>(messages.get(), config.get(), "Test", 0, 0, 800, 600,
                                                   config->fullScreen != 0, true, 0, 0);
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
