#include "tests/support/game/OffscreenMenuBed.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIManager.h"
#include "tests/support/SdlEvents.h"

namespace Testing {

namespace {

TestEngineOptions FullSizeWindow()
{
    TestEngineOptions options;
    options.videoMode = "800x600x32";
    return options;
}

} // namespace

OffscreenMenuBed::OffscreenMenuBed(const MenuFixture& fixture) : engine(FullSizeWindow())
{
    ResetInput();
    engine->GetGUIManager()->SetSize(800.0f, 600.0f);
    bed = std::make_unique<MenuWindowBed>(engine.Get(), &clock, engine.Folder(), fixture);
}

OffscreenMenuBed::~OffscreenMenuBed()
{
    bed.reset();
    ResetInput();
}

void OffscreenMenuBed::Frame(const std::function<void()>& updates)
{
    PumpAll();
    bed->Frame(updates);
}

ScriptedInput OffscreenMenuBed::Mouse() { return ScriptedInput(WindowIdOf(*engine->GetWindow())); }

} // namespace Testing
