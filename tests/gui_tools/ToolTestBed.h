#pragma once

#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIToolManager.h"
#include "tests/support/FakeEngine.h"

#include <memory>
#include <string>

namespace Testing {

// A whole engine on the fakes with a description set of the test's own:
// window descriptions, the basic fonts (each character of "common_0" one
// unit of its size wide, size 10) and the texts, written before the tool
// manager reads them. The clock moves only when a frame is run.
class ToolTestBed {
public:
    static constexpr float kFontSize = 10.0f;

    ToolTestBed();
    ~ToolTestBed();

    // A file of "data\ui\windows"; must come before Start.
    void AddDescription(const std::string& file, const std::string& xml);
    // Texts as "<texts>...</texts>" content, for "data\ui\texts\texts.xml".
    void SetTexts(const std::string& content) { texts_ = content; }
    // Starts the engine and reads the description set in the language.
    void Start(const std::string& language = "en");

    Halvard::Engine* Engine() { return &engine.Get(); }
    GameTools::DataKeeper* Keeper() { return keeper.get(); }
    GUITools::GUIToolManager* Tools() { return tools.get(); }
    // One engine frame with the clock moved on by the seconds; the update
    // runs where a window's update runs.
    template <class Update>
    void Frame(double seconds, Update update)
    {
        engine.clock.Advance(seconds);
        engine->BeginFrame();
        update();
        engine->EndFrame(0);
    }

    FakeEngine engine;
    std::unique_ptr<GameTools::DataKeeper> keeper;
    std::unique_ptr<GUITools::GUIToolManager> tools;

private:
    std::string texts_;
};

} // namespace Testing
