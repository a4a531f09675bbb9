#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace Halvard {
class Engine;
class GUIWindow;
} // namespace Halvard

namespace Tamrisk {

// One floating text: springs up at its anchor, rises and fades over 1.95 s,
// queuing its lines into the text window every frame. Main thread only.
class GUIGameLogicText {
public:
    static constexpr float kLifetime = 1.95f;

    // A font id of -1 (no such font) draws nothing; the text still lives.
    GUIGameLogicText(Halvard::Engine* engine, const Halvard::Vector2& position, const std::wstring& text,
                     Halvard::i32 fontId, Halvard::GUIWindow* window);
    GUIGameLogicText(const GUIGameLogicText&) = delete;
    GUIGameLogicText& operator=(const GUIGameLogicText&) = delete;
    virtual ~GUIGameLogicText() = default;

    void Update();

    bool IsAlive() const { return alive_ != 0; }
    float GetAge() const { return age_; }
    const std::vector<std::wstring>& GetLines() const { return lines_; }

private:
    Halvard::Engine* engine_;
    Halvard::Vector2 position_;
    std::vector<std::wstring> lines_;
    Halvard::i32 fontId_;
    Halvard::GUIWindow* window_;
    float age_ = 0.0f;
    Halvard::u8 alive_ = 1;
};

} // namespace Tamrisk
