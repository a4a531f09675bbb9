#include "engine/core/FileManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUIWindow.h"
#include "engine/render/Model.h"
#include "engine/render/ModelFile.h"
#include "framework/persistence/PlayerName.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/controls/GUIButtonControl.h"
#include "gui_tools/controls/GUICheckBoxControl.h"
#include "gui_tools/controls/GUIEditBoxControl.h"
#include "gui_tools/controls/GUIScrollControl.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using GameTools::XMLNode;
using GUITools::GUIWindowBase;
using ::testing::IsEmpty;

const std::set<std::string> kControlTypes = {"window",     "button", "check_box", "edit_box",
                                             "slider",     "scroll", "text_label"};
constexpr const char* kBasicList = "data\\ui\\resources_basic.xml";
constexpr const char* kAdditionalList = "data\\ui\\resources_additional.xml";

enum class Kind { Window, Button, CheckBox, Text, EditBox, Scroll };

// Every control of the descriptions the game's windows are built from, by
// path after the window name ("" the window itself): what the windows look
// up, the optional controls of the menu window base and their parents.
const std::map<std::string, std::map<std::string, Kind>>& GameWindowControls()
{
    static const std::map<std::string, std::map<std::string, Kind>> windows = [] {
        std::map<std::string, Kind> mainMenu = {{"", Kind::Window},
                                                {"/title_mount_static", Kind::Window},
                                                {"/title", Kind::Text},
                                                {"/window", Kind::Window},
                                                {"/logo_additional_0", Kind::Window},
                                                {"/logo_additional_1", Kind::Window}};
        for (const char* button : {"start", "high_scores", "options", "change_player", "credits", "exit"}) {
            mainMenu[std::string("/window/") + button] = Kind::Button;
            mainMenu[std::string("/window/") + button + "/title"] = Kind::Text;
        }
        const std::map<std::string, Kind> loading = {
            {"", Kind::Window}, {"/window", Kind::Window}, {"/title", Kind::Text}};
        const std::map<std::string, Kind> gameLogic = {
            {"", Kind::Window},           {"/life", Kind::Window},         {"/life/text", Kind::Text},
            {"/score", Kind::Window},     {"/score/text_1", Kind::Text},   {"/level", Kind::Window},
            {"/level/text_1", Kind::Text}, {"/menu", Kind::Button},        {"/minimize", Kind::Button},
            {"/fullscreen", Kind::CheckBox}, {"/close", Kind::Button},     {"/logo_additional_0", Kind::Window},
            {"/logo_additional_1", Kind::Window}};
        // The profile windows: a framed menu window with its title, its
        // logos and the buttons below the frame.
        const auto menuWindow = [](std::initializer_list<std::pair<const std::string, Kind>> frame) {
            std::map<std::string, Kind> controls = {{"", Kind::Window},
                                                    {"/title_mount_static", Kind::Window},
                                                    {"/title", Kind::Text},
                                                    {"/window", Kind::Window},
                                                    {"/logo_additional_0", Kind::Window},
                                                    {"/logo_additional_1", Kind::Window}};
            controls.insert(frame);
            return controls;
        };
        const auto nameWindow = menuWindow({{"/window/text", Kind::Text},
                                            {"/window/name", Kind::EditBox},
                                            {"/window/button_0", Kind::Button},
                                            {"/window/button_0/title", Kind::Text},
                                            {"/window/button_1", Kind::Button},
                                            {"/window/button_1/title", Kind::Text}});
        auto profiles = menuWindow({{"/window/text_area", Kind::Window}, {"/window/scroll", Kind::Scroll}});
        for (int i = 0; i < 9; ++i) {
            const std::string button = "/window/text_area/button_profile_" + std::to_string(i);
            profiles[button] = Kind::Button;
            profiles[button + "/title"] = Kind::Text;
        }
        for (const char* button : {"create", "rename", "delete", "done"}) {
            profiles[std::string("/window/") + button] = Kind::Button;
            profiles[std::string("/window/") + button + "/title"] = Kind::Text;
        }
        const auto conflict = menuWindow(
            {{"/window/text", Kind::Text}, {"/window/button_0", Kind::Button}, {"/window/button_0/title", Kind::Text}});
        const auto question = menuWindow({{"/window/text", Kind::Text},
                                          {"/window/button_0", Kind::Button},
                                          {"/window/button_0/title", Kind::Text},
                                          {"/window/button_1", Kind::Button},
                                          {"/window/button_1/title", Kind::Text}});
        // The volume windows: the rows' names beside their controls.
        std::map<std::string, Kind> volumes = {{"", Kind::Window},
                                               {"/title_mount_static", Kind::Window},
                                               {"/title", Kind::Text},
                                               {"/window", Kind::Window},
                                               {"/window/sound", Kind::Scroll},
                                               {"/window/music", Kind::Scroll},
                                               {"/window/fullscreen", Kind::CheckBox}};
        for (const char* row : {"sound", "music", "fullscreen"})
            volumes[std::string("/window/") + row + "_label"] = Kind::Text;
        for (const char* button : {"button_0", "button_1", "button_2"}) {
            volumes[std::string("/window/") + button] = Kind::Button;
            volumes[std::string("/window/") + button + "/title"] = Kind::Text;
        }
        std::map<std::string, Kind> options = volumes;
        options.insert({{"/window/video_mode_label", Kind::Text},
                        {"/window/decrease_video_mode", Kind::Button},
                        {"/window/video_mode", Kind::Window},
                        {"/window/video_mode/text", Kind::Text},
                        {"/window/increase_video_mode", Kind::Button}});
        std::map<std::string, Kind> gameLogicMenu = volumes;
        gameLogicMenu["/title_mount_animated"] = Kind::Window;
        const std::map<std::string, Kind> startGame = {
            {"", Kind::Window},          {"/title_mount_static", Kind::Window}, {"/title", Kind::Text},
            {"/window", Kind::Window},   {"/window/button_0", Kind::Button},    {"/window/button_0/title", Kind::Text},
            {"/window/button_1", Kind::Button}, {"/window/button_1/title", Kind::Text}};
        return std::map<std::string, std::map<std::string, Kind>>{{"window_main_menu", mainMenu},
                                                                  {"window_game_loading", loading},
                                                                  {"window_game_logic_loading", loading},
                                                                  {"window_game_logic", gameLogic},
                                                                  {"window_welcome", nameWindow},
                                                                  {"window_new_profile", nameWindow},
                                                                  {"window_rename_profile", nameWindow},
                                                                  {"window_profiles", profiles},
                                                                  {"window_profile_name_conflict", conflict},
                                                                  {"window_delete_profile", question},
                                                                  {"window_options", options},
                                                                  {"window_game_logic_menu", gameLogicMenu},
                                                                  {"window_start_game", startGame}};
    }();
    return windows;
}

bool IsKind(const GUITools::GUIControl* control, Kind kind)
{
    switch (kind) {
    case Kind::Window:
        return dynamic_cast<const GUITools::GUIWindowControl*>(control) != nullptr;
    case Kind::Button:
        return dynamic_cast<const GUITools::GUIButtonControl*>(control) != nullptr;
    case Kind::CheckBox:
        return dynamic_cast<const GUITools::GUICheckBoxControl*>(control) != nullptr;
    case Kind::Scroll:
        return dynamic_cast<const GUITools::GUIScrollControl*>(control) != nullptr;
    case Kind::Text:
        return dynamic_cast<const GUITools::GUITextControl*>(control) != nullptr;
    case Kind::EditBox:
        return dynamic_cast<const GUITools::GUIEditBoxControl*>(control) != nullptr;
    }
    return false;
}

// A text label draws nothing without a known font, and a key the texts lack
// shows "UNKNOWN"; neither writes a log line.
std::vector<std::string> TextProblems(const GUIWindowBase& window)
{
    std::vector<std::string> problems;
    for (const auto& control : window.GetControls()) {
        const auto* text = dynamic_cast<const GUITools::GUITextControl*>(control.get());
        if (text == nullptr)
            continue;
        if (text->GetFontIndex() < 0)
            problems.push_back(text->GetName() + ": no font \"" + text->GetFontName() + "\"");
        if (text->GetText().find(L"UNKNOWN") != std::wstring::npos)
            problems.push_back(text->GetName() + ": no text for \"" + text->GetTextKey() + "\"");
    }
    return problems;
}

// The shipped window descriptions on the built data folder, through a real
// engine off screen, in each shipped language.
class WindowsData : public ::testing::TestWithParam<const char*> {
protected:
    WindowsData() : engine({.installFolder = Testing::GameFolderInternal()}) {}

    ~WindowsData() override
    {
        tools.reset();
        keeper.reset();
    }

    // The resources and fonts as the game has them: the basic ones from
    // start-up, the additional ones once the game loading window is done.
    void Load(bool additional)
    {
        keeper = std::make_unique<GameTools::DataKeeper>(&engine.Get(), GetParam(), false);
        keeper->AddResourcesFile(kBasicList, true);
        if (additional)
            keeper->AddResourcesFile(kAdditionalList, true);
        tools = std::make_unique<GUITools::GUIToolManager>(&engine.Get(), GetParam());
        if (additional)
            tools->GetFontTool()->LoadAdditionalFonts();
    }

    std::unique_ptr<GUIWindowBase> Build(const std::string& name)
    {
        return std::make_unique<GUIWindowBase>(&engine.Get(), keeper.get(), tools.get(), nullptr, name);
    }

    GUITools::GUITextControl* Text(const GUIWindowBase& window, const std::string& path)
    {
        return dynamic_cast<GUITools::GUITextControl*>(window.GetControl(window.GetName() + path));
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }
    bool SaysUnknown() { return Testing::LogProbe(*engine->GetMessageManager()).Contains("Unknown"); }

    Testing::TestEngine engine;
    std::unique_ptr<GameTools::DataKeeper> keeper;
    std::unique_ptr<GUITools::GUIToolManager> tools;
};

TEST_P(WindowsData, TheSharedMenuFaderIsTimed)
{
    Load(false);
    const XMLNode* menu = GameTools::SelectXMLNode(tools->GetDescriptionSet(), "/faders/fader[name='menu']");
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->GetAttribute("type"), nullptr);
    EXPECT_EQ(menu->GetAttribute("type")->GetString(), "timed");
    EXPECT_GT(menu->GetAttribute("show_speed")->GetFloat(), 0.0f);
    EXPECT_GT(menu->GetAttribute("hide_speed")->GetFloat(), 0.0f);
    EXPECT_TRUE(Errors().empty());
}

TEST_P(WindowsData, EveryShippedWindowBuildsWithItsFontsAndTextsWithoutAnErrorLine)
{
    Load(true);
    std::vector<XMLNode*> roots;
    tools->GetDescriptionSet()->GetChildren(roots);
    size_t windows = 0;
    for (const XMLNode* root : roots) {
        const GameTools::XMLValue* name = root->GetAttribute("name");
        // Windows are the named controls whose names begin "window_"; the
        // other roots are templates and faders.
        if (kControlTypes.count(root->GetName()) == 0 || name == nullptr || name->GetString().rfind("window_", 0) != 0)
            continue;
        const auto window = Build(name->GetString());
        EXPECT_FALSE(window->GetControls().empty()) << name->GetString();
        EXPECT_THAT(TextProblems(*window), IsEmpty());
        ++windows;
    }
    EXPECT_GE(windows, GameWindowControls().size());
    EXPECT_THAT(Errors(), IsEmpty());
    EXPECT_FALSE(SaysUnknown());
}

// The game loading window is made before the additional resources and
// fonts are read.
TEST_P(WindowsData, TheGameLoadingWindowNeedsOnlyTheBasicResourcesAndFonts)
{
    Load(false);
    const auto window = Build("window_game_loading");
    EXPECT_THAT(TextProblems(*window), IsEmpty());
    EXPECT_THAT(Errors(), IsEmpty());
}

// A name longer than a save file can count would be cut when saved; every
// field a name is typed into stops at exactly that length.
TEST_P(WindowsData, EveryNameFieldTakesTheLongestSavedName)
{
    Load(true);
    std::size_t fields = 0;
    for (const auto& entry : GameWindowControls()) {
        const auto window = Build(entry.first);
        for (const auto& control : window->GetControls()) {
            const auto* field = dynamic_cast<const GUITools::GUIEditBoxControl*>(control.get());
            if (field == nullptr)
                continue;
            ++fields;
            EXPECT_EQ(field->GetSettings().maxLength, GameFramework::kMaxPlayerNameLength) << field->GetName();
        }
    }
    EXPECT_EQ(fields, 3u);
}

TEST_P(WindowsData, EachGameWindowHoldsExactlyTheControlsItsClassesLookUp)
{
    Load(true);
    for (const auto& [name, expected] : GameWindowControls()) {
        SCOPED_TRACE(name);
        const auto window = Build(name);
        std::set<std::string> built;
        for (const auto& control : window->GetControls())
            built.insert(control->GetName());
        std::set<std::string> wanted;
        for (const auto& [path, kind] : expected) {
            wanted.insert(name + path);
            EXPECT_TRUE(IsKind(window->GetControl(name + path), kind)) << path;
        }
        EXPECT_EQ(built, wanted);
    }
    EXPECT_THAT(Errors(), IsEmpty());
}

// The stage map's points take the fade of the play button's title: without
// a fader there, or one that stops short of 1, the map never shows fully.
TEST_P(WindowsData, TheStageMapFollowsAPlayTitleThatFadesToFull)
{
    Load(true);
    const auto window = Build("window_start_game");
    GUITools::GUITextControl* title = Text(*window, "/window/button_1/title");
    ASSERT_NE(title, nullptr);
    ASSERT_TRUE(title->HasFader());
    EXPECT_EQ(title->GetFader().max, 1.0f);
    EXPECT_THAT(Errors(), IsEmpty());
}

// The main menu puts the player's name into its title; the loading windows
// wait for their titles to be printed.
TEST_P(WindowsData, TheMainMenuTitleTakesTheNameAndTheLoadingTitlesArePrinted)
{
    Load(true);
    const auto menu = Build("window_main_menu");
    GUITools::GUITextControl* title = Text(*menu, "/title");
    ASSERT_NE(title, nullptr);
    EXPECT_NE(title->GetText().find(L"%PROFILE_NAME%"), std::wstring::npos);
    title->SetParameter(L"PROFILE_NAME", L"Anna");
    ASSERT_EQ(title->GetLines().size(), 1u);
    EXPECT_NE(title->GetLines()[0].find(L"Anna"), std::wstring::npos);
    for (const char* name : {"window_game_loading", "window_game_logic_loading"}) {
        const auto loading = Build(name);
        GUITools::GUITextControl* printed = Text(*loading, "/title");
        ASSERT_NE(printed, nullptr) << name;
        // Only a text in printing mode waits to be printed anew.
        printed->SetText(printed->GetTextKey() + "+' '");
        EXPECT_FALSE(printed->IsPrintingDone()) << name;
    }
    EXPECT_THAT(Errors(), IsEmpty());
}

// The buttons of a control: itself for a button or check box, the thumb
// and both arrows for a scroll bar.
std::vector<const Halvard::GUIWindow*> Buttons(const GUITools::GUIControl& control, Kind kind)
{
    if (kind == Kind::Button || kind == Kind::CheckBox)
        return {control.GetWindow()};
    if (kind != Kind::Scroll)
        return {};
    const Halvard::GUIScroll* scroll = static_cast<const GUITools::GUIScrollControl&>(control).GetScroll();
    return {scroll->GetThumb(), scroll->GetIncreaseArrow(), scroll->GetDecreaseArrow()};
}

// A button shows its state as a frame of its model: four (normal, over,
// pressed, disabled), a check box eight; each frame is the same square
// with a picture of its own. A scroll bar's thumb and arrows are buttons.
TEST_P(WindowsData, EveryButtonModelShowsEachStateInAFrameOfItsOwn)
{
    Load(true);
    size_t buttons = 0;
    for (const auto& [name, controls] : GameWindowControls()) {
        const auto window = Build(name);
        for (const auto& [path, kind] : controls) {
            for (const Halvard::GUIWindow* widget : Buttons(*window->GetControl(name + path), kind)) {
                SCOPED_TRACE(name + path);
                const Halvard::Model* model = widget->GetModel();
                ASSERT_NE(model, nullptr);
                const Halvard::ModelFile file(engine->GetMessageManager(), engine->GetFileManager(), model->GetName());
                ASSERT_EQ(file.frameCount, kind == Kind::CheckBox ? 8u : 4u);
                const size_t count = file.vertexCount;
                std::set<std::vector<float>> pictures;
                for (size_t frame = 0; frame < file.frameCount; ++frame) {
                    std::vector<float> uv;
                    for (size_t i = 0; i < count; ++i) {
                        const Halvard::FrameVertex& vertex = file.vertices[frame * count + i];
                        const Halvard::Vector3& first = file.vertices[i].position;
                        EXPECT_TRUE(vertex.position.x == first.x && vertex.position.y == first.y &&
                                    vertex.position.z == first.z);
                        uv.insert(uv.end(), {vertex.u, vertex.v});
                    }
                    pictures.insert(uv);
                }
                EXPECT_EQ(pictures.size(), file.frameCount);
                ++buttons;
            }
        }
    }
    EXPECT_EQ(buttons, 59u);
    EXPECT_THAT(Errors(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowsData, ::testing::Values("en", "ru"));

} // namespace
