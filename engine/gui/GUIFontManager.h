#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/gui/GUIFont.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Halvard {

class GUIWindow;
class ShaderDescriptor;
struct TextRecord;

// Owns the GUI's fonts by numeric identifier, lays texts out inside windows
// and draws them through one copy of a font per window depth, just in front
// of the window, so that each window's text sorts with it. A copy lives as
// long as some window at its depth draws text every frame. Main thread only.
class GUIFontManager {
public:
    // Alignment flags of a text; the first horizontal and the first
    // vertical one set win, in this order. Without one of a kind the text's
    // own position counts on that axis.
    enum Alignment : u32 {
        kCenterHorizontal = 1,
        kCenterVertical = 2,
        kLeft = 4,
        kRight = 8,
        kTop = 16,
        kBottom = 32,
    };

    explicit GUIFontManager(const GUIFontServices& services);
    GUIFontManager(const GUIFontManager&) = delete;
    GUIFontManager& operator=(const GUIFontManager&) = delete;
    virtual ~GUIFontManager();

    // Reads the font file (under the data folder) into a new font under the
    // identifier. A taken identifier keeps its first font: the error is
    // logged, no second font is made and the result is null.
    GUIFont* AddFont(u32 id, const ShaderDescriptor& shader, const std::string& path);
    // Deletes the font and every depth copy made of it; nothing for an
    // unknown identifier.
    void RemoveFont(u32 id);
    // Null for an identifier without a font.
    GUIFont* GetFont(u32 id) const;
    // The copy of the font for the window's depth, made when there is none;
    // null for an unknown identifier.
    GUIFont* GetFontAtDepth(u32 id, const GUIWindow& window);
    // Where the text starts in GUI units; (0, 0) for an unknown identifier.
    Vector2 GetTextPosition(u32 alignment, u32 id, const GUIWindow& window, const Vector2& position, float angle,
                            const std::wstring& text) const;
    // Prints the record's text for the window: nothing for a hidden window
    // or an unknown font.
    void DrawText(const TextRecord& record, const GUIWindow* window);
    // The end of the GUI's drawing step: copies that got no quad this frame
    // are deleted, every batch ends.
    void Flush();

    const std::vector<std::unique_ptr<GUIFont>>& GetDepthCopies() const { return depthCopies_; }

private:
    GUIFontServices services_;
    std::map<u32, std::unique_ptr<GUIFont>> fonts_;
    std::vector<std::unique_ptr<GUIFont>> depthCopies_;
};

} // namespace Halvard
