#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/gui/GUITextManager.h"

#include <string>

namespace Halvard {

// One text a window draws in the GUI's drawing step of the frame it was
// queued in. A record taken from a key has its text looked up by the text
// manager when it is drawn.
struct TextRecord {
    u32 alignment = 0;
    u32 fontId = 0;
    float angle = 0.0f;
    // Negative: the font's own size.
    float sizeOverride = -1.0f;
    Vector2 position{0.0f, 0.0f};
    Vector4 color{1.0f, 1.0f, 1.0f, 1.0f};
    std::wstring text;
    std::string key;
    u32 keyNumber = GUITextManager::kNoNumber;
    bool fromKey = false;
};

} // namespace Halvard
