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

// A box no wider than a small screen holds this many characters a line.
constexpr std::size_t kBoxLineCharacters = 80;

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// Where the character after the first `count` ones begins; the end when the
// text has no more.
std::size_t OffsetAfterCharacters(const std::string& text, std::size_t count)
{
    for (std::size_t offset = 0; offset < text.size(); ++offset) {
        if (StartsCharacter(text[offset]) && count-- == 0)
            return offset;
    }
    return text.size();
}

std::string WrapLine(std::string line, std::size_t width)
{
    std::string wrapped;
    for (;;) {
        const std::size_t limit = OffsetAfterCharacters(line, width);
        if (limit == line.size())
            break;
        std::size_t space = line.rfind(' ', limit);
        if (space == std::string::npos || space == 0)
            space = line.find(' ', limit);
        if (space == std::string::npos)
            break;
        wrapped += line.substr(0, space) + '\n';
        line.erase(0, space + 1);
    }
    return wrapped + line;
}

} // namespace

std::string WrapMessageText(const std::string& text, std::size_t width)
{
    std::string wrapped;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        wrapped += WrapLine(text.substr(start, end - start), width);
        if (end == std::string::npos)
            return wrapped;
        wrapped += '\n';
        start = end + 1;
    }
}

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    if (!boxesShown || IsScreenlessDriver())
        return;
    SDL_ShowSimpleMessageBox(BoxFlags(icon), caption.c_str(), WrapMessageText(text, kBoxLineCharacters).c_str(),
                             nullptr);
}

void SetMessageBoxesShown(bool shown) { boxesShown = shown; }

} // namespace Platform
