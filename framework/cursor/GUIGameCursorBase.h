#pragma once

#include "engine/core/Types.h"

#include <map>

namespace Halvard {
class Config;
class Controls;
class Engine;
class GUICursor;
class GUIManager;
class Window;
} // namespace Halvard

namespace Platform {
class Cursor;
}

namespace GameFramework {

// The mouse cursor of the game: a custom cursor drawn by the GUI or the
// system's, as "ui_custom_cursor" chooses, with shapes selected by id. The
// game derives it and adds its shapes. It starts hidden. Main thread.
class GUIGameCursorBase {
public:
    static constexpr const char* kCustomCursorVariable = "ui_custom_cursor";
    static constexpr Halvard::u32 kNoCursor = 0xFFFFFFFFu;

    explicit GUIGameCursorBase(Halvard::Engine* engine);
    GUIGameCursorBase(const GUIGameCursorBase&) = delete;
    GUIGameCursorBase& operator=(const GUIGameCursorBase&) = delete;
    // Destroys every custom cursor through the GUI manager.
    virtual ~GUIGameCursorBase();

    // False, doing nothing, while the cursor is hidden. Otherwise switches
    // between the custom and the system cursor when "ui_custom_cursor" no
    // longer matches the one in use, also when it was changed while the
    // cursor was hidden.
    virtual bool Update();
    virtual void SetVisible(bool visible);

    // The cursor takes the widget, hides it and destroys it at the end.
    void AddCursor(Halvard::u32 id, Halvard::u16 resourceId, Halvard::GUICursor* custom);
    // An id never added is remembered but keeps the shape shown.
    void SetCursor(Halvard::u32 id);
    bool IsVisible() const;

    bool IsCustomInUse() const { return customInUse_; }
    Halvard::u32 GetCurrentId() const { return currentId_; }

protected:
    Halvard::Engine* GetEngine() const { return engine_; }

private:
    struct CursorRecord {
        Platform::Cursor* system = nullptr;
        Halvard::GUICursor* custom = nullptr;
    };

    bool IsCustomShown() const { return customInUse_ && current_ != nullptr; }

    Halvard::Engine* engine_;
    Halvard::Window* window_;
    Halvard::Config* config_;
    Halvard::GUIManager* gui_;
    Halvard::Controls* controls_;
    Halvard::u8 customCursor_ = 1;
    bool customInUse_;
    std::map<Halvard::u32, CursorRecord> cursors_;
    Halvard::u32 currentId_ = kNoCursor;
    CursorRecord* current_ = nullptr;
};

} // namespace GameFramework
