#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class Engine;
class GUIWindow;
} // namespace Halvard

namespace Tamrisk {

class GUIGameLogicText;

// The floating texts of one level: a point of the field projected to the
// GUI plane becomes a text there; texts are updated and dropped every
// frame. Main thread only.
class GUIGameLogicTextManager {
public:
    static constexpr Halvard::u32 kLayer = 490;

    GUIGameLogicTextManager(Halvard::Engine* engine, Halvard::i32 fontId, Halvard::GUIWindow* parent);
    GUIGameLogicTextManager(const GUIGameLogicTextManager&) = delete;
    GUIGameLogicTextManager& operator=(const GUIGameLogicTextManager&) = delete;
    virtual ~GUIGameLogicTextManager();

    // No text while the window has no client area (minimised).
    void AddText(const std::wstring& text, const Halvard::Vector3& point);
    void CreateText(const std::wstring& text, const Halvard::Vector2& position);
    void Update();

    const std::vector<std::unique_ptr<GUIGameLogicText>>& GetTexts() const { return texts_; }
    Halvard::GUIWindow* GetWindow() const { return window_; }

private:
    Halvard::Engine* engine_;
    Halvard::i32 fontId_;
    Halvard::GUIWindow* window_ = nullptr;
    std::vector<std::unique_ptr<GUIGameLogicText>> texts_;
};

} // namespace Tamrisk
