// The menus' background description, as the game builds the background over
// the interface data (the shipped background lists, so that names resolve):
// refused naming the file, or layers that play frame after frame.
#include "game/windows/parts/GUIBackground.h"
#include "game_tools/DataKeeper.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <memory>

namespace {

// Loaded once: the background only reads the resources.
GameTools::DataKeeper& Resources(Fuzzing::EngineBed& bed)
{
    static const std::unique_ptr<GameTools::DataKeeper> resources = [&] {
        auto made = std::make_unique<GameTools::DataKeeper>(&bed.Get(), "en", false);
        made->AddResourcesFile("data\\ui\\background\\resources_basic.xml", true);
        made->AddResourcesFile("data\\ui\\background\\resources_additional.xml", true);
        return made;
    }();
    return *resources;
}

} // namespace

TAMRISK_FUZZ_TARGET(GUIBackground)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    GameTools::DataKeeper& resources = Resources(bed);
    bed.Put(Tamrisk::GUIBackground::kDescriptionPath, bytes);
    Fuzzing::Accepted([&] {
        Tamrisk::GUIBackground background(&bed.Get(), &resources);
        background.LoadAdditionalLayers();
        background.StartFade(true, true, 1.0f);
        for (const double seconds : {0.03, 0.03, 100.0, 1e4}) {
            bed.Fake().Step(seconds);
            background.Update();
        }
    });
}
