#include "tests/support/game/GameReplay.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIWindow.h"
#include "framework/windows/FrameworkWindows.h"
#include "game/Game.h"
#include "game/GameLogic.h"
#include "game/windows/level/GUIGameLogicWindow.h"
#include "game/windows/menus/GUILogosWindow.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "tests/support/RasterizerDiscard.h"
#include "tests/support/SdlEvents.h"
#include "tests/support/game/Autopilot.h"

#include <fstream>

namespace Testing {

GameReplay::GameReplay() : scopedClock_(clock_)
{
    std::filesystem::create_directories(fixture_.UserFolder());
    std::ofstream(fixture_.IniFile()) << "v_mode 1024x768x32\nv_fullscreen 0\n";
    Start();
}

void GameReplay::Start()
{
    seen_.clear();
    stayFrames_.clear();
    launchPressed_ = false;
    game_ = std::make_unique<Tamrisk::Game>();
    input_ = std::make_unique<ScriptedInput>(WindowIdOf(*game_->GetEngine()->GetWindow()));
    DiscardRasterizing();
}

void GameReplay::Restart()
{
    End();
    Start();
}

void GameReplay::End()
{
    input_.reset();
    game_.reset();
    ResetInput();
}

GameReplay::~GameReplay() { End(); }

void GameReplay::Frame()
{
    if (game_ == nullptr)
        return;
    try {
        PumpAll();
        clock_.Step();
        game_->Update();
        if (game_->IsQuitRequested())
            game_.reset();
    } catch (const Halvard::Error& error) {
        error_ = error.GetText();
        game_.reset();
    }
    Observe();
}

void GameReplay::Observe()
{
    const std::string name = CurrentWindow();
    if (name.empty())
        return;
    if (seen_.empty() || seen_.back() != name) {
        seen_.push_back(name);
        stayFrames_.push_back(0);
    }
    ++stayFrames_.back();
}

bool GameReplay::RunUntilWindow(const std::string& name, int maxFrames)
{
    for (int frame = 0; frame < maxFrames && game_ != nullptr; ++frame) {
        if (CurrentWindow() == name)
            return true;
        Frame();
    }
    return CurrentWindow() == name;
}

void GameReplay::RunFrames(int count)
{
    for (int frame = 0; frame < count; ++frame)
        Frame();
}

void GameReplay::RunDrawnFrames(int count)
{
    if (game_ != nullptr)
        ResumeRasterizing();
    RunFrames(count);
    if (game_ != nullptr)
        DiscardRasterizing();
}

std::string GameReplay::CurrentWindow() const
{
    if (game_ == nullptr)
        return {};
    if (const Tamrisk::GUIMenuWindow* menu = game_->GetMenuWindowManager()->GetCurrent())
        return menu->GetName();
    const GameFramework::FrameworkWindows& windows = game_->GetWindows();
    if (const auto* level = dynamic_cast<const Tamrisk::GUIGameLogicWindow*>(windows.gameLogic.get());
        level != nullptr && level->GUITools::GUIWindowBase::IsVisible())
        return level->GetName();
    if (const auto* logos = dynamic_cast<const Tamrisk::GUILogosWindow*>(windows.logos.get());
        logos != nullptr && logos->IsRunning())
        return "logos";
    return {};
}

int GameReplay::FramesOn(const std::string& name) const
{
    int frames = 0;
    for (std::size_t stay = 0; stay < seen_.size(); ++stay)
        frames += seen_[stay] == name ? stayFrames_[stay] : 0;
    return frames;
}

std::optional<Halvard::u32> GameReplay::PlayLevel(bool losing, int maxFrames)
{
    return PlayLevelUntil(losing, maxFrames, [](const Tamrisk::GameLogic&) { return false; });
}

std::optional<Halvard::u32> GameReplay::PlayLevelUntil(bool losing, int maxFrames,
                                                       const std::function<bool(const Tamrisk::GameLogic&)>& done)
{
    launchPressed_ = false;
    for (int frame = 0; frame < maxFrames; ++frame) {
        const Tamrisk::GameLogic* logic = Logic();
        if (logic != nullptr && done(*logic))
            break;
        if (!PlayFrame(losing))
            break;
    }
    if (launchPressed_ && game_ != nullptr)
        input_->ReleaseButton();
    launchPressed_ = false;
    return LogicState();
}

bool GameReplay::PlayFrame(bool losing)
{
    const Tamrisk::GameLogic* logic = Logic();
    if (logic == nullptr || logic->GetState() != Tamrisk::GameLogic::kRunning)
        return false;
    const Halvard::Window& window = *game_->GetEngine()->GetWindow();
    input_->MoveMouseTo(Autopilot::BatPixelX(Autopilot::ChooseBatX(*logic, losing),
                                             static_cast<int>(window.GetClientWidth())),
                        static_cast<Sint32>(window.GetClientHeight() / 2));
    // A click is a press one frame and a release the next.
    if (launchPressed_)
        input_->ReleaseButton();
    else if (Autopilot::WantsLaunch(*logic))
        input_->PressButton();
    launchPressed_ = !launchPressed_ && Autopilot::WantsLaunch(*logic);
    Frame();
    return true;
}

const Tamrisk::GameLogic* GameReplay::Logic() const
{
    return game_ != nullptr ? dynamic_cast<const Tamrisk::GameLogic*>(game_->GetGameLogic()) : nullptr;
}

std::optional<Halvard::u32> GameReplay::LogicState() const
{
    const Tamrisk::GameLogic* logic = Logic();
    return logic != nullptr ? std::optional<Halvard::u32>(logic->GetState()) : std::nullopt;
}

void GameReplay::PointAt(const Halvard::GUIWindow& widget)
{
    input_->MoveMouseOnto(widget, *game_->GetEngine()->GetWindow());
}

void GameReplay::Click(const Halvard::GUIWindow& widget)
{
    PointAt(widget);
    Frame();
    input_->PressButton();
    Frame();
    input_->ReleaseButton();
    Frame();
}

bool GameReplay::ClickButton(const std::string& name)
{
    const Tamrisk::GUIMenuWindow* window = game_ != nullptr ? game_->GetMenuWindowManager()->GetCurrent() : nullptr;
    const Halvard::GUIButton* button =
        window != nullptr ? window->GetButton(window->GetName() + "/window/" + name) : nullptr;
    if (button == nullptr)
        return false;
    Click(*button);
    return true;
}

::testing::AssertionResult GameReplay::ClickThrough(const std::string& button, const std::string& window)
{
    RunFrames(kSettleFrames);
    const std::string shown = CurrentWindow();
    const std::string error = error_.empty() ? "" : ": " + error_;
    if (!ClickButton(button))
        return ::testing::AssertionFailure() << "no button \"" << button << "\" on \"" << shown << "\"" << error;
    if (!RunUntilWindow(window, kStepFrames))
        return ::testing::AssertionFailure() << "\"" << window << "\" did not follow \"" << button << "\" on \""
                                             << shown << "\", \"" << CurrentWindow() << "\" is on screen" << error;
    return ::testing::AssertionSuccess();
}

void GameReplay::TypeKeys(const std::string& text, int framesEach)
{
    for (const char letter : text) {
        input_->Type(std::string(1, letter));
        RunFrames(framesEach);
    }
}

} // namespace Testing
