// The texts file, as the window tools read it at the start, in place of the
// shipped one: taken, every key answering a text, or refused naming it.
#include "gui_tools/GUITextTool.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

TAMRISK_FUZZ_TARGET(GUITextTool)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\ui\\texts\\texts.xml", bytes);
    Fuzzing::AcceptedNaming("data\\ui\\texts\\texts.xml", [&] {
        const GUITools::GUITextTool texts(&bed.Get(), "en");
        for (const char* key : {"game_title", "", "main_menu_exit", "delete_profile/text"})
            Fuzzing::Check(texts.GetText(key).size() <= GUITools::GUITextTool::kMostTextLength,
                           "a text longer than the bound was taken");
    });
}
