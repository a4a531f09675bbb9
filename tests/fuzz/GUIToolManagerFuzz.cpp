// A window description, as the window tools read every description at the
// start, in place of the main menu's.
#include "gui_tools/GUIToolManager.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

TAMRISK_FUZZ_TARGET(GUIToolManager)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\ui\\windows\\window_main_menu.xml", bytes);
    Fuzzing::Accepted([&] { GUITools::GUIToolManager tools(&bed.Get(), "en"); });
}
