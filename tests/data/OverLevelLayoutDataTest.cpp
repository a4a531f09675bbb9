#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/controls/GUIControl.h"
#include "tests/data/BuiltData.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using GUITools::GUIWindowBase;

// The windows that open over a running level, the in-game display still
// on screen beneath them.
const std::vector<std::string> kOverLevel = {
    "window_level_complete",     "window_game_over",          "window_game_logic_pause",
    "window_game_logic_menu",    "window_game_logic_menu_exit", "window_game_logic_restart",
    "window_game_logic_game_exit", "window_game_complete"};

// The bottom of the screen, where the bat runs, in the GUI's 800 x 600
// units (the level's camera shows the bat and the balls it meets there).
constexpr float kBatLaneTop = 120.0f;

struct Rect {
    std::string name;
    float left;
    float bottom;
    float right;
    float top;

    bool Meets(const Rect& other) const
    {
        return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& rect)
{
    return out << rect.name << " (" << rect.left << ", " << rect.bottom << ") - (" << rect.right << ", " << rect.top
               << ")";
}

// The shipped window descriptions as the game builds them, on the built
// data folder, their controls' rectangles on the screen.
class OverLevelLayoutData : public ::testing::Test {
protected:
    OverLevelLayoutData()
    {
        keeper.AddResourcesFile("data\\ui\\resources_basic.xml", true);
        keeper.AddResourcesFile("data\\ui\\resources_additional.xml", true);
        tools.GetFontTool()->LoadAdditionalFonts();
    }

    std::unique_ptr<GUIWindowBase> Build(const std::string& name)
    {
        return std::make_unique<GUIWindowBase>(&engine.Get(), &keeper, &tools, nullptr, name);
    }

    // A control's place is its own added to its parents'; the parent of
    // "a/b/c" is "a/b".
    static Rect ScreenRect(const GUIWindowBase& window, const GUITools::GUIControl& control)
    {
        Halvard::Vector2 at = control.GetPosition();
        for (std::string parent = control.GetName(); parent.rfind('/') != std::string::npos;) {
            parent.erase(parent.rfind('/'));
            if (const GUITools::GUIControl* above = window.GetControl(parent))
                at = at + above->GetPosition();
        }
        return {control.GetName(), at.x, at.y, at.x + control.GetSize().x, at.y + control.GetSize().y};
    }

    // Every control of the window but the full-screen root, on the screen.
    static std::vector<Rect> Controls(const GUIWindowBase& window)
    {
        std::vector<Rect> rects;
        for (const auto& control : window.GetControls())
            if (control->GetName() != window.GetName())
                rects.push_back(ScreenRect(window, *control));
        return rects;
    }

    Testing::TestEngine engine{{.installFolder = Testing::GameFolderInternal()}};
    GameTools::DataKeeper keeper{&engine.Get(), "en", false};
    GUITools::GUIToolManager tools{&engine.Get(), "en"};
};

TEST_F(OverLevelLayoutData, TheTitlesOfTheWindowsOverALevelLeaveTheDisplaysPlatesFreeAndShowNoSecondLogo)
{
    const std::vector<Rect> display = Controls(*Build("window_game_logic"));
    ASSERT_GE(display.size(), 9u);
    for (const std::string& name : kOverLevel) {
        SCOPED_TRACE(name);
        const auto window = Build(name);
        int titles = 0;
        for (const Rect& rect : Controls(*window)) {
            const std::string path = rect.name.substr(name.size());
            EXPECT_EQ(path.find("/logo_additional"), std::string::npos) << "the display shows the maker's logo";
            if (path != "/title" && path.rfind("/title_mount", 0) != 0)
                continue;
            ++titles;
            for (const Rect& plate : display)
                EXPECT_FALSE(rect.Meets(plate)) << rect << " covers " << plate;
        }
        EXPECT_GE(titles, 2) << "a title on its mount";
    }
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(), ::testing::IsEmpty());
}

TEST_F(OverLevelLayoutData, TheDisplaysPlatesNeitherOverlapNorReachTheBatsLane)
{
    const auto window = Build("window_game_logic");
    std::vector<Rect> plates;
    for (const Rect& rect : Controls(*window)) {
        // A plate's value lies on the plate.
        if (rect.name.rfind("/text") != std::string::npos)
            continue;
        EXPECT_GE(rect.bottom, kBatLaneTop) << rect;
        EXPECT_LE(rect.top, 600.0f) << rect;
        for (const Rect& other : plates)
            EXPECT_FALSE(rect.Meets(other)) << rect << " covers " << other;
        plates.push_back(rect);
    }
    EXPECT_GE(plates.size(), 9u);
}

} // namespace
