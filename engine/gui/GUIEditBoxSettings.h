#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/gui/GUIWindow.h"

namespace Halvard {

// What the user of an edit box chooses for it, whatever its picture is drawn
// with: the GUI manager's creating operations take the picture apart from
// these. The defaults are those an edit box of a window description starts
// from. The parent, when given, must outlive the box or detach it.
struct GUIEditBoxSettings {
    static constexpr u32 kNoFont = 0xFFFFFFFF;

    u32 flags = GUIWindow::kShown;
    Vector2 position{0.0f, 0.0f};
    Vector2 size{0.0f, 0.0f};
    GUIWindow* parent = nullptr;
    u32 fontId = 0;
    Vector4 textColor{1.0f, 1.0f, 1.0f, 1.0f};
    // Where the text starts, relative to the box.
    Vector2 textOffset{0.0f, 0.0f};
    // In characters.
    u32 maxLength = 255;
    // The largest measured width of the whole text.
    float maxWidth = 800.0f;
    // The width of the part shown.
    float visibleWidth = 800.0f;
    wchar_t caretCharacter = L'_';
};

} // namespace Halvard
