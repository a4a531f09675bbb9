#include "platform/os/MessageBox.h"
#include "platform/os/ScreenlessDriver.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace Platform {

namespace {

bool boxesShown = true;

Uint32 BoxFlags(MessageBoxIcon icon)
{
    switch (icon) {
    case MessageBoxIcon::kError:
        return SDL_MESSAGEBOX_ERROR;
    case MessageBoxIcon::kWarning:
        return SDL_MESSAGEBOX_WARNING;
    default:
        return SDL_MESSAGEBOX_INFORMATION;
    }
}

} // namespace

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    if (!boxesShown || IsScreenlessDriver())
        return;
    SDL_ShowSimpleMessageBox(BoxFlags(icon), caption.c_str(), text.c_str(), nullptr);
}

void SetMessageBoxesShown(bool shown) { boxesShown = shown; }

} // namespace Platform
