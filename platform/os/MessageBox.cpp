#include "platform/os/MessageBox.h"
#include "platform/os/ScreenlessDriver.h"

#include <SDL.h>

#include <algorithm>
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

// A box no larger than a small screen holds this many characters a line,
// and this many lines.
constexpr std::size_t kBoxLineCharacters = 80;
constexpr std::size_t kBoxLines = 40;

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

// A word longer than a line (a long path) is cut where the line ends: the
// box sets a line whole, however wide, and what follows it would be off the
// screen.
std::string WrapLine(std::string line, std::size_t width)
{
    width = std::max<std::size_t>(width, 1);
    std::string wrapped;
    for (;;) {
        const std::size_t limit = OffsetAfterCharacters(line, width);
        if (limit == line.size())
            break;
        const std::size_t space = line.rfind(' ', limit);
        if (space == std::string::npos || space == 0) {
            wrapped += line.substr(0, limit) + '\n';
            line.erase(0, limit);
            continue;
        }
        wrapped += line.substr(0, space) + '\n';
        line.erase(0, space + 1);
    }
    return wrapped + line;
}

// The line breaks after the first `head` lines and before the last `tail`.
std::string KeepFirstAndLastLines(const std::string& text, std::size_t head, std::size_t tail)
{
    std::size_t headEnd = 0;
    for (std::size_t i = 0; i < head; ++i)
        headEnd = text.find('\n', headEnd) + 1;
    std::size_t tailStart = text.size();
    for (std::size_t i = 0; i < tail; ++i)
        tailStart = text.rfind('\n', tailStart - 1);
    return text.substr(0, headEnd) + "...\n" + text.substr(tailStart + 1);
}

} // namespace

std::string WrapMessageText(const std::string& text, std::size_t width, std::size_t lines)
{
    std::string wrapped;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        wrapped += WrapLine(text.substr(start, end - start), width);
        if (end == std::string::npos)
            break;
        wrapped += '\n';
        start = end + 1;
    }
    const std::size_t count = static_cast<std::size_t>(std::count(wrapped.begin(), wrapped.end(), '\n')) + 1;
    if (count <= lines || lines < 3)
        return wrapped;
    const std::size_t head = (lines - 1) / 2;
    return KeepFirstAndLastLines(wrapped, head, lines - 1 - head);
}

void ShowMessageBox(const std::string& caption, const std::string& text, MessageBoxIcon icon)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    if (!boxesShown || IsScreenlessDriver())
        return;
    const std::string shown = WrapMessageText(text, kBoxLineCharacters, kBoxLines);
    SDL_ShowSimpleMessageBox(BoxFlags(icon), caption.c_str(), shown.c_str(), nullptr);
}

void SetMessageBoxesShown(bool shown) { boxesShown = shown; }

} // namespace Platform
