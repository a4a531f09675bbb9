#include "platform/os/ScreenlessDriver.h"

#include <SDL.h>

#include <cstring>

namespace Platform {

bool IsScreenlessDriver()
{
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) != 0 ? SDL_GetCurrentVideoDriver() : nullptr;
    if (driver == nullptr)
        driver = SDL_getenv("SDL_VIDEODRIVER");
    return driver != nullptr && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

} // namespace Platform
