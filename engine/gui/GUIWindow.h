#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace Halvard {

// One text a window draws in the GUI's drawing step of the frame it was
// queued in.
struct TextRecord {
    u32 alignment = 0;
    u32 fontId = 0;
    float angle = 0.0f;
    // Negative: the font's own size.
    float sizeOverride = -1.0f;
    Vector2 position{0.0f, 0.0f};
    Vector4 color{1.0f, 1.0f, 1.0f, 1.0f};
    std::wstring text;
};

// The base of every GUI widget: a rectangle in GUI units (origin lower left,
// y up) placed relative to its parent, shown or hidden with its subtree, hit
// by the cursor, and a queue of texts that must be queued anew every frame.
// Widgets are made and destroyed through the GUIManager. This form keeps the
// picture's colour but has no model yet: the drawing step hands its texts
// to nobody and empties the queue. Main thread only.
class GUIWindow {
public:
    enum Flag : u32 { kShown = 1, kColored = 2, kLayerFront = 4, kLayerMiddle = 8, kLayerBack = 16 };

    // The parent, when given, must outlive the window or detach it.
    GUIWindow(u32 flags, const Vector2& position, const Vector2& size, GUIWindow* parent);
    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;
    // Leaves the parent and makes every child a top-level window.
    virtual ~GUIWindow();

    // The input step: notes whether the cursor lies strictly inside the
    // rectangle. False for a hidden window, true for every shown one.
    virtual bool ProcessInput(const Vector2& cursor, bool held, bool pressed);
    // The drawing step: empties the text queue; false for a hidden window.
    virtual bool Draw();
    virtual void SetColor(const Vector4& color);
    virtual void UpdateVisibility();

    // Nothing happens when any of the bits is already set (or, for
    // ClearFlags, when none is). Bit kShown shows or hides the subtree.
    void SetFlags(u32 bits);
    void ClearFlags(u32 bits);
    u32 GetFlags() const { return flags_; }

    void SetParent(GUIWindow* parent);
    GUIWindow* GetParent() const { return parent_; }
    Vector2 GetAbsolutePosition() const;
    const Vector4& GetColor() const { return color_; }

    // An empty text queues nothing.
    void AddText(u32 alignment, u32 fontId, const Vector2& at, const Vector4& color, const std::wstring& text,
                 float angle, float sizeOverride);
    const std::vector<TextRecord>& GetTexts() const { return texts_; }

    // Read and written directly by the window's users.
    Vector2 position;
    Vector2 size;
    // The window and every parent are shown; kept current by the window.
    u8 visible = 0;
    // The cursor lay on the window at the last input step.
    u8 over = 0;

private:
    u32 flags_ = 0;
    GUIWindow* parent_ = nullptr;
    std::vector<GUIWindow*> children_;
    Vector4 color_{1.0f, 1.0f, 1.0f, 1.0f};
    std::vector<TextRecord> texts_;
};

} // namespace Halvard
