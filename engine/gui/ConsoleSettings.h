#pragma once

#include "engine/core/Types.h"

#include <string>

namespace Halvard {

class ShaderDescriptor;

// What the application chooses for its console. The defaults are the
// framework's own choice; the key name and the three floats are only the
// defaults of the console's configuration variables, which the ini file may
// override.
struct ConsoleSettings {
    // The header line, usually the engine's version text.
    std::string title;
    // The panel's picture; may be null.
    const ShaderDescriptor* background = nullptr;
    u32 fontId = 0;
    wchar_t caretCharacter = L'_';
    wchar_t promptCharacter = L']';
    wchar_t scrollMarkerCharacter = L'^';
    std::string consoleKey = "~";
    float alpha = 0.95f;
    // The panel's height in GUI units.
    float size = 308.0f;
    // GUI units a second.
    float speed = 1000.0f;
};

} // namespace Halvard
