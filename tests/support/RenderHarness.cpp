#include "tests/support/RenderHarness.h"

#include <algorithm>

namespace Testing {

RenderHarness::RenderHarness()
{
    messages = std::make_unique<Halvard::MessageManager>("", false, false, "", "");
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

std::vector<std::string> RenderHarness::Log() const
{
    std::vector<std::string> lines;
    for (Halvard::u32 i = 0; i < messages->GetLogEntryCount(); ++i)
        lines.push_back(messages->GetLogEntry(i).text);
    return lines;
}

std::vector<std::string> RenderHarness::LogFrom(const std::string& first) const
{
    const std::vector<std::string> lines = Log();
    return std::vector<std::string>(std::find(lines.begin(), lines.end(), first), lines.end());
}

bool RenderHarness::Logged(const std::string& line) const
{
    const std::vector<std::string> lines = Log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> RenderHarness::Errors() const
{
    std::vector<std::string> lines;
    for (Halvard::u32 i = 0; i < messages->GetLogEntryCount(); ++i) {
        if (messages->GetLogEntry(i).level == Halvard::MessageManager::kError)
            lines.push_back(messages->GetLogEntry(i).text);
    }
    return lines;
}

} // namespace Testing
