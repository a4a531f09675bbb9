#include "engine/input/Controls.h"

#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/input/KeyNames.h"
#include "platform/input/InputSystem.h"

namespace Halvard {

namespace {

constexpr float kBlockSeconds = 2.0f;
constexpr float kVirtualAspect = 1.3333334f;
// The system's cursor display count is kept within this many steps of 0, so
// that another module's show or hide takes effect within a few calls.
constexpr int kDisplayCountLimit = 10;

Platform::SystemCursor& Cursor() { return Platform::GetInputSystem().GetCursor(); }

bool FlagOf(const std::map<std::string, u8>& flags, const std::string& upperName)
{
    const auto found = flags.find(upperName);
    return found != flags.end() && found->second != 0;
}

bool AnyFlag(const std::map<std::string, u8>& flags)
{
    for (const auto& [name, flag] : flags) {
        if (flag != 0)
            return true;
    }
    return false;
}

} // namespace

Controls::Controls(MessageManager* messages, TimerManager* timers, Window* window)
    : messages_(messages), timers_(timers), window_(window)
{
    const Platform::ScreenPoint cursor = Cursor().GetPosition();
    lastCursorX_ = cursor.x;
    lastCursorY_ = cursor.y;
    for (const NamedKey& key : GetKeyNames())
        heldKeys_.emplace(key.name, 0);
    pressedKeys_ = heldKeys_;
    for (u32 button = 0; button < kMouseButtonNameCount; ++button)
        mouseButtonNames_.emplace_back(GetKeyNames()[button].name);
}

Controls::~Controls() { SetCursorVisible(true); }

void Controls::Update()
{
    MoveCursor();
    cursorMove_.y = -cursorMove_.y;
    mouseMove_.y = -mouseMove_.y;
    LatchWheel();
    UpdateBlock();
    ApplyCursorVisibility();
}

void Controls::ResetPressedKeys()
{
    for (auto& [name, flag] : pressedKeys_)
        flag = 0;
    window_->ClearKeyEvent();
}

bool Controls::IsKeyPressed(const std::string& name) const
{
    return !inputBlocked_ && FlagOf(pressedKeys_, ToUpper(name));
}

bool Controls::IsKeyDown(const std::string& name) const
{
    if (inputBlocked_)
        return false;
    const std::string upper = ToUpper(name);
    return FlagOf(heldKeys_, upper) || FlagOf(pressedKeys_, upper);
}

bool Controls::IsAnyKeyActive() const { return !inputBlocked_ && (AnyFlag(heldKeys_) || AnyFlag(pressedKeys_)); }

bool Controls::GetCharacter(u16& code, bool& isCharacter) const
{
    const Window::KeyEvent& event = window_->GetKeyEvent();
    if (inputBlocked_ || !event.pending)
        return false;
    code = event.code;
    isCharacter = event.isCharacter;
    return true;
}

void Controls::SetCursorVisible(bool visible)
{
    cursorVisible_ = visible;
    ApplyCursorVisibility();
}

Vector2 Controls::GetCursorPosition() const
{
    const Platform::ScreenPoint client =
        Platform::SystemCursor::ScreenToClient(window_->GetHandle(), Cursor().GetPosition());
    const auto x = static_cast<float>(client.x);
    const auto y = static_cast<float>(client.y);
    if (!window_->IsFullScreen() || (!window_->IsWide() && !window_->IsTall()))
        return Vector2(x, y);
    const float ratio = window_->GetAspectRatio() / kVirtualAspect;
    if (window_->IsWide()) {
        const auto width = static_cast<float>(window_->GetClientWidth());
        return Vector2(ratio * x - (ratio - 1.0f) * width / 2.0f, y);
    }
    const auto height = static_cast<float>(window_->GetClientHeight());
    return Vector2(x, (y - (1.0f - ratio) * height / 2.0f) / ratio);
}

void Controls::SetKeyState(const std::string& name, bool down)
{
    const auto held = heldKeys_.find(name);
    if (held == heldKeys_.end())
        return;
    if (!down) {
        held->second = 0;
    } else if (held->second == 0) {
        held->second = 1;
        pressedKeys_[name] = 1;
    }
}

// A mouse speed other than 1 takes the cursor from where it was to where the
// scaled movement puts it.
void Controls::MoveCursor()
{
    Platform::SystemCursor& cursor = Cursor();
    const Platform::ScreenPoint now = cursor.GetPosition();
    cursorMove_ = Vector2(static_cast<float>(now.x - lastCursorX_), static_cast<float>(now.y - lastCursorY_));
    if (!NearlyEqual(mouseSpeed_.x, 1.0f) || !NearlyEqual(mouseSpeed_.y, 1.0f)) {
        cursor.SetPosition(Platform::ScreenPoint{lastCursorX_ + static_cast<i32>(cursorMove_.x * mouseSpeed_.x),
                                                 lastCursorY_ + static_cast<i32>(cursorMove_.y * mouseSpeed_.y)});
    }
    const Platform::ScreenPoint placed = cursor.GetPosition();
    lastCursorX_ = placed.x;
    lastCursorY_ = placed.y;
}

void Controls::LatchWheel()
{
    if (wheelLatch_) {
        wheel_ = 0;
        wheelLatch_ = false;
    } else {
        wheelLatch_ = wheel_ != 0;
    }
}

void Controls::UpdateBlock()
{
    if (!inputBlocked_)
        return;
    // Cleared first: a blocked IsAnyKeyActive always answers false.
    inputBlocked_ = false;
    inputBlocked_ = window_->GetKeyEvent().pending || IsAnyKeyActive();
    if (!inputBlocked_) {
        blockTime_ = 0.0f;
        return;
    }
    blockTime_ += timers_->GetFrameTime();
    if (blockTime_ > kBlockSeconds && !Platform::GetInputSystem().IsAnyKeyDown()) {
        inputBlocked_ = false;
        blockTime_ = 0.0f;
    }
}

// Runs every frame, so the cursor follows cursorVisible_ even after other
// code changed the system's count.
void Controls::ApplyCursorVisibility()
{
    Platform::SystemCursor& cursor = Cursor();
    if (cursorVisible_) {
        int count = 0;
        do {
            count = cursor.Show(true);
        } while (count < 0);
        if (count > kDisplayCountLimit)
            cursor.Show(false);
    } else {
        int count = 0;
        do {
            count = cursor.Show(false);
        } while (count >= 0);
        if (count < -kDisplayCountLimit)
            cursor.Show(true);
    }
}

} // namespace Halvard
