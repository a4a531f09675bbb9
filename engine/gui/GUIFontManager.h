#pragma once

#include "engine/core/Types.h"
#include "engine/gui/GUIFont.h"

#include <map>
#include <memory>

namespace Halvard {

// Owns the GUI's fonts by numeric identifier. Main thread only.
class GUIFontManager {
public:
    GUIFontManager() = default;
    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;
    virtual ~GUIFontManager();

    // Makes an empty font under the identifier for its maker to fill; an
    // identifier already taken keeps its font, which is returned.
    GUIFont* AddFont(u32 id);
    void RemoveFont(u32 id);
    // Null for an identifier without a font.
    GUIFont* GetFont(u32 id) const;

private:
    std::map<u32, std::unique_ptr<GUIFont>> fonts_;
};

} // namespace Halvard
