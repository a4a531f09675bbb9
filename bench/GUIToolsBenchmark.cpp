#include "engine/gui/GUIManager.h"
#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/controls/GUIControlDescription.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/GUIToolFiles.h"
#include "tests/support/TestEngine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace Halvard;

namespace {

// An engine with one font and a description set, the tool manager read.
struct Workbench {
    Workbench()
    {
        engine->GetGUIManager()->SetSize(800.0f, 600.0f);
        Testing::GUIToolFiles files;
        files.basicFonts = Testing::EvenFontElement(engine.Folder(), "common_0", "size=\"10\"",
                                                    R"(<properties space="1" shift="1" virtual_size="10"/>)");
        files.texts = R"(<title><en text="A title of a few words"/></title>)";
        Testing::WriteGUIToolFiles(engine.Folder(), files);
        engine.Folder().WriteFile("data\\ui\\windows\\faders.xml",
                                  R"(<faders><fader name="menu" show_speed="4" hide_speed="4"/></faders>)");
        engine.Folder().WriteFile("data\\ui\\windows\\label.xml",
                                  R"(<text_label name="label" font="common_0" fader="menu" size="200 20"/>)");
        engine.Folder().WriteFile("data\\ui\\windows\\window_bench.xml", HundredControls());
        keeper = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", false);
        tools = std::make_unique<GUITools::GUIToolManager>(&engine.Get(), "en");
    }

    ~Workbench()
    {
        tools.reset();
        keeper.reset();
    }

    // A window of 99 controls below its own: labels from a template,
    // buttons, check boxes and sliders in turn.
    static std::string HundredControls()
    {
        static const char* kTypes[] = {"text_label", "button", "check_box", "slider"};
        std::string xml = R"(<window name="window_bench" fader="menu">)";
        for (int i = 0; i < 99; ++i) {
            const std::string type = kTypes[i % 4];
            const std::string extra = type == "text_label" ? R"( template="label" text="title")" : "";
            xml += "<" + type + " name=\"c" + std::to_string(i) + "\" position=\"" + std::to_string(8 * i) +
                   " 10\"" + extra + "/>";
        }
        return xml + "</window>";
    }

    Testing::TestEngine engine{{.logEnabled = false}};
    std::unique_ptr<GameTools::DataKeeper> keeper;
    std::unique_ptr<GUITools::GUIToolManager> tools;
};

void BuildAHundredControlWindow(benchmark::State& state)
{
    Workbench bench;
    for (auto _ : state) {
        GUITools::GUIWindowBase window(&bench.engine.Get(), bench.keeper.get(), bench.tools.get(), nullptr,
                                       "window_bench");
        benchmark::DoNotOptimize(window.GetControls().size());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BuildAHundredControlWindow);

// A text of some 2000 characters wrapped into a 400 x 300 label, shrunk
// from size 40 until it fits.
void LayOutALongMultilineAutoSizeText(benchmark::State& state)
{
    Workbench bench;
    GUITools::GUIControlDescription description;
    description.name = "w/text";
    GUITools::GUITextControl text(&bench.engine.Get(), bench.keeper.get(), bench.tools->GetFontTool(),
                                  bench.tools->GetTextTool(), nullptr, description);
    text.SetSize(Vector2(400.0f, 300.0f));
    text.SetFont("common_0");
    text.SetFontSize(40.0f);
    text.SetMultiline(true);
    text.SetAutoFontSize(true);
    std::wstring words;
    while (words.size() < 2000)
        words += L"lorem ipsum dolor sit amet ";
    text.SetRawText(words);
    for (auto _ : state) {
        text.UpdateLayout();
        benchmark::DoNotOptimize(text.GetLines().size());
    }
    state.counters["size"] = text.GetEffectiveSize();
}
BENCHMARK(LayOutALongMultilineAutoSizeText);

} // namespace

BENCHMARK_MAIN();
