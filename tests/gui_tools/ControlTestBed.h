#pragma once

#include "game_tools/DataKeeper.h"
#include "gui_tools/controls/GUIControlDescription.h"
#include "gui_tools/controls/GUIWindowControl.h"
#include "tests/support/FakeEngine.h"

#include <memory>
#include <string>

namespace Testing {

// A whole engine on the fakes with an interface keeper, for controls made
// one at a time and stepped by hand: the clock moves only when a frame is
// run.
class ControlTestBed {
public:
    ControlTestBed();
    ~ControlTestBed();

    Halvard::Engine* Engine() { return &engine.Get(); }
    GameTools::DataKeeper* Keeper() { return keeper.get(); }

    // Registers "ui/" + name: a vertex-animated quad model whose frames
    // stand one unit further right each (frame f spans x = f .. f + 1), at
    // the given frames per second. A count of 0 makes a model without
    // frames.
    void AddSlidingModel(const std::string& name, Halvard::u32 frames, float speed);
    // A plain window control of the description, named "window/control".
    std::unique_ptr<GUITools::GUIWindowControl> WindowControl(GUITools::GUIControlDescription description = {});
    // One engine frame, the clock moved on by the seconds, in which the
    // control is updated as a window updates it.
    void Frame(GUITools::GUIControl& control, double seconds);
    void Frames(GUITools::GUIControl& control, int count, double seconds);

    FakeEngine engine;
    std::unique_ptr<GameTools::DataKeeper> keeper;
};

} // namespace Testing
