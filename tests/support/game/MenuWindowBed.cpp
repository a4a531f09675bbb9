#include "tests/support/game/MenuWindowBed.h"

#include "engine/app/Engine.h"
#include "engine/sound/SoundManager.h"
#include "framework/persistence/FileServices.h"
#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/data/GameData.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIToolManager.h"
#include "tests/support/FakeClock.h"
#include "tests/support/GUIToolFiles.h"
#include "tests/support/TempFolder.h"

namespace Testing {

const char* const kMenuFaders =
    R"(<faders><fader name="menu" type="timed" show_speed="4" hide_speed="4" min="0" max="1" fade_offset="0")"
    R"( show_offset="0" hide_offset="0.2"/></faders>)";

const char* const kMainMenuFixture =
    R"(<window name="window_main_menu" fader="menu">)"
    R"(<text_label name="title" font="common_0" text="'Hello, %PROFILE_NAME%!'" position="100 550" size="600 40"/>)"
    R"(<window name="window" fader="menu" size="800 600">)"
    R"(<button name="start" position="100 100" size="200 50">)"
    R"(<text_label name="title" font="main_menu_0" text="'Start'" size="200 50"/></button>)"
    R"(<button name="high_scores" position="500 100" size="200 50">)"
    R"(<text_label name="title" font="main_menu_0" text="'High scores'" size="200 50"/></button>)"
    R"(<button name="options" position="500 200" size="200 50">)"
    R"(<text_label name="title" font="main_menu_0" text="'Options'" size="200 50"/></button>)"
    R"(<button name="change_player" position="500 300" size="200 50">)"
    R"(<text_label name="title" font="main_menu_0" text="'Change player'" size="200 50"/></button>)"
    R"(<button name="credits" position="500 400" size="200 50">)"
    R"(<text_label name="title" font="main_menu_0" text="'Credits'" size="200 50"/></button>)"
    R"(<button name="exit" position="500 500" size="200 50">)"
    R"(<text_label name="title" font="main_menu_0" text="'Exit'" size="200 50"/></button>)"
    R"(</window></window>)";

namespace {

const char* const kLanguage = "en";
const char* const kFontNames[] = {"common_0", "common_1", "main_menu_0", "main_menu_1", "main_menu_2"};
const char* const kEvenProperties = R"(<properties space="1" shift="1" virtual_size="10"/>)";
const char* const kResourceLists[] = {"data\\ui\\resources_basic.xml", "data\\ui\\resources_additional.xml"};

} // namespace

MenuWindowBed::MenuWindowBed(Halvard::Engine& engine, FakeClock* clock) : engine(engine), clock(clock)
{
    Make(true);
}

MenuWindowBed::MenuWindowBed(Halvard::Engine& engine, FakeClock* clock, const TempFolder& folder,
                             const MenuFixture& fixture)
    : engine(engine), clock(clock)
{
    for (const auto& [file, xml] : fixture.descriptions)
        folder.WriteFile("data\\ui\\windows\\" + file, xml);
    GUIToolFiles files;
    for (const char* name : kFontNames)
        files.basicFonts += EvenFontElement(folder, name, "size=\"10\"", kEvenProperties);
    files.texts = fixture.texts;
    WriteGUIToolFiles(folder, files);
    Make(false);
}

void MenuWindowBed::Make(bool shippedData)
{
    data = std::make_unique<Tamrisk::GameData>(&engine, kLanguage);
    tools = std::make_unique<GUITools::GUIToolManager>(&engine, kLanguage);
    if (shippedData) {
        for (const char* list : kResourceLists)
            data->AddResourcesFile(list, false);
        data->Load();
        data->FinishLoading();
        tools->GetFontTool()->LoadAdditionalFonts();
    }
    sounds = std::make_unique<GameFramework::SoundSet>(&engine, 0.5f, 0.5f);
    for (Halvard::u32 id = 0; id <= Tamrisk::kSoundWindowDisappear; ++id)
        sounds->AddSound(id, "", false, 1);
    manager = std::make_unique<Tamrisk::GUIMenuWindowManager>(data.get());
}

MenuWindowBed::~MenuWindowBed()
{
    manager.reset();
    sounds.reset();
    tools.reset();
    data.reset();
}

void MenuWindowBed::Frame(const std::function<void()>& updates)
{
    if (clock != nullptr)
        clock->Advance(kFrameSeconds);
    engine.BeginFrame();
    manager->PreUpdate();
    if (updates)
        updates();
    manager->Update();
    engine.EndFrame(0);
    if (engine.GetSoundManager() != nullptr)
        engine.GetSoundManager()->Update(true);
}

std::unique_ptr<Tamrisk::ProfileManager> MenuWindowBed::MakeProfiles(const TempFolder& folder,
                                                                     const std::wstring& current) const
{
    auto profiles = std::make_unique<Tamrisk::ProfileManager>(GameFramework::FileServices::Of(engine), sounds.get(),
                                                              folder.Internal() + "\\user");
    if (!current.empty())
        profiles->SetCurrentProfile(profiles->AddProfile(current),
                                    GameFramework::ProfileManagerBase::ListSaving::kKeepFile);
    return profiles;
}

} // namespace Testing
