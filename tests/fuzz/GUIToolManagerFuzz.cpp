// A window description, as the window tools read every description at the
// start, in place of the main menu's; the main menu is then built from it
// over the interface data (the shipped lists, so that names resolve), shown
// and played frame after frame: a text lays itself out as it is read, and
// sizes, prints and fades as the frames go. A refusal of the description
// names it.
#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <memory>

namespace {

// Loaded once: a window only reads the resources.
GameTools::DataKeeper& Resources(Fuzzing::EngineBed& bed)
{
    static const std::unique_ptr<GameTools::DataKeeper> resources = [&] {
        auto made = std::make_unique<GameTools::DataKeeper>(&bed.Get(), "en", false);
        made->AddResourcesFile("data\\ui\\resources_basic.xml", true);
        made->AddResourcesFile("data\\ui\\resources_additional.xml", true);
        return made;
    }();
    return *resources;
}

} // namespace

TAMRISK_FUZZ_TARGET(GUIToolManager)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    GameTools::DataKeeper& resources = Resources(bed);
    bed.Put("data\\ui\\windows\\window_main_menu.xml", bytes);
    Fuzzing::Accepted([&] {
        GUITools::GUIToolManager tools(&bed.Get(), "en");
        GUITools::GUIWindowBase window(&bed.Get(), &resources, &tools, nullptr, "window_main_menu");
        Fuzzing::Check(window.GetControls().size() <= GUITools::GUIToolManager::kMostControls,
                       "a window of more controls than the bound was built");
        window.Show(true);
        for (const double seconds : {0.03, 0.03, 100.0, 1e4}) {
            bed.Fake().Step(seconds);
            window.Update();
        }
    });
    Fuzzing::CheckRefusalsName(*bed->GetMessageManager(), "data\\ui\\windows\\window_main_menu.xml");
}
