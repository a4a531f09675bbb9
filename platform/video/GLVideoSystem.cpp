#include "platform/video/GLVideoSystem.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>

#include "platform/video/GLDisplay.h"

namespace Platform {

uint32_t ListedDepth(uint32_t bitsPerPixel) { return bitsPerPixel > 16 ? 32 : bitsPerPixel; }

GLVideoSystem::GLVideoSystem() = default;

GLVideoSystem::~GLVideoSystem()
{
    if (videoOpen_)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool GLVideoSystem::OpenVideo()
{
    if (!videoOpen_)
        videoOpen_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return videoOpen_;
}

void GLVideoSystem::EnumerateAdapters(std::vector<AdapterIdentity>& adapters)
{
    if (!OpenVideo())
        return;
    const int count = SDL_GetNumVideoDisplays();
    for (int index = 0; index < count; ++index) {
        AdapterIdentity identity;
        identity.hasIdentifier = index != 0;
        identity.identifier = static_cast<uint32_t>(index);
        const char* name = SDL_GetDisplayName(index);
        identity.name = name != nullptr ? name : "";
        identity.description = std::string("OpenGL display ") + std::to_string(index) + " (" + identity.name + ")";
        adapters.push_back(identity);
    }
}

VideoResult GLVideoSystem::CreateDisplay(const AdapterIdentity* adapter, std::unique_ptr<Display>& display)
{
    if (!OpenVideo())
        return VideoResults::kNoDriverHardware;
    const int index = adapter == nullptr ? 0 : static_cast<int>(adapter->identifier);
    if (index >= SDL_GetNumVideoDisplays())
        return VideoResults::kInvalidDriverIdentifier;
    simulatedLoss_ = VideoResults::kOk;
    display = std::make_unique<GLDisplay>(*this, index);
    return VideoResults::kOk;
}

bool GLVideoSystem::GetDesktopMode(DisplayMode& mode)
{
    SDL_DisplayMode desktop;
    if (!OpenVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    mode.width = static_cast<uint32_t>(desktop.w);
    mode.height = static_cast<uint32_t>(desktop.h);
    mode.bitsPerPixel = SDL_BITSPERPIXEL(desktop.format);
    mode.refreshRate = static_cast<uint32_t>(desktop.refresh_rate);
    return true;
}

const GLProbe& GLVideoSystem::Probe()
{
    if (!probed_ && OpenVideo()) {
        probe_ = RunGLProbe();
        probed_ = true;
    }
    return probe_;
}

bool GLVideoSystem::HardwareFails() const
{
    const char* value = std::getenv("HALVARD_VIDEO_FAIL_HARDWARE");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

} // namespace Platform
