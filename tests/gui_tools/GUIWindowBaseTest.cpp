#include "gui_tools/GUIWindowBase.h"

#include "engine/core/Error.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/controls/GUIButtonControl.h"
#include "gui_tools/controls/GUIControl.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/gui_tools/ToolTestBed.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

using namespace Halvard;
using GUITools::GUIWindowBase;
using testing::ElementsAre;

namespace {

constexpr double kFrame = 0.05;

class GUIWindowBaseTest : public testing::Test {
protected:
    std::unique_ptr<GUIWindowBase> Build(const std::string& name)
    {
        return std::make_unique<GUIWindowBase>(bed.Engine(), bed.Keeper(), bed.Tools(), nullptr, name);
    }

    std::unique_ptr<GUIWindowBase> Start(const std::string& xml, const std::string& name = "w")
    {
        bed.AddDescription("w.xml", xml);
        bed.Start();
        return Build(name);
    }

    static std::vector<std::string> Names(const GUIWindowBase& window)
    {
        std::vector<std::string> names;
        for (const auto& control : window.GetControls())
            names.push_back(control->GetName());
        return names;
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*bed.engine->GetMessageManager()).ErrorLines(); }

    void Frames(GUIWindowBase& window, int count)
    {
        for (int i = 0; i < count; ++i)
            bed.Frame(kFrame, [&] { window.Update(); });
    }

    Testing::ToolTestBed bed;
};

struct FaultCase {
    const char* name;
    std::map<std::string, std::string> files;
    const char* window;
    const char* message;
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class GUIWindowBaseFaultTest : public GUIWindowBaseTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(GUIWindowBaseFaultTest, ADescriptionFaultIsFatal)
{
    const FaultCase& c = GetParam();
    for (const auto& [file, xml] : c.files)
        bed.AddDescription(file, xml);
    bed.Start();
    const std::size_t windows = bed.engine->GetGUIManager()->GetWindows().GetCount();
    try {
        Build(c.window);
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.GetText(), c.message);
    }
    EXPECT_THAT(Testing::LogProbe(*bed.engine->GetMessageManager()).Texts(MessageManager::kFatal),
                ElementsAre(std::string("PROGRAM ABORTING: ") + c.message + "\n"));
    // Whatever was built before the fault is taken down again.
    EXPECT_EQ(bed.engine->GetGUIManager()->GetWindows().GetCount(), windows);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, GUIWindowBaseFaultTest,
    testing::Values(
        FaultCase{"UnknownControlType",
                  {{"w.xml", R"(<window name="w"><window name="a"/><label name="b"/></window>)"}},
                  "w",
                  R"((GUIWindowBase::ParseControls): Unknown "label" control type)"},
        FaultCase{"UnknownFader",
                  {{"f.xml", R"(<faders><fader name="menu"/></faders>)"},
                   {"w.xml", R"(<window name="w"><button name="b" fader="nope"/></window>)"}},
                  "w",
                  R"((GUIWindowBase::ParseControls): Unknown "nope" fader)"},
        FaultCase{"FaderOfARefusedFile",
                  {{"faders.xml", R"(<faders><fader name="menu" show_offset="60"/></faders>)"},
                   {"w.xml", R"(<window name="w"><button name="b" fader="menu"/></window>)"}},
                  "w",
                  R"((GUIWindowBase::ParseControls): Unknown "menu" fader in "data\ui\windows\faders.xml": )"
                  R"(Incorrect "show_offset" of "menu" in "data\ui\windows\faders.xml")"},
        FaultCase{"NamelessChild",
                  {{"w.xml", R"(<window name="w"><window name="a"><button/></window></window>)"}},
                  "w",
                  R"((GUIWindowBase::ParseControls): Failed to find attribute "name" in node with "button" name)"},
        FaultCase{"NamelessChildOfATemplate",
                  {{"t.xml", R"(<window name="t"><check_box/></window>)"},
                   {"w.xml", R"(<window name="w" template="t"/>)"}},
                  "w",
                  R"((GUIWindowBase::ParseControls): Failed to find attribute "name" in node with "check_box" name)"},
        FaultCase{"UnknownWindow",
                  {{"w.xml", R"(<window name="w"/>)"}},
                  "missing",
                  R"((GUIWindowBase::ParseControls): Unknown "missing" window in "data\ui\windows")"},
        FaultCase{"TemplateChildNamingItsTemplate",
                  {{"frame.xml", R"(<window name="frame"><window name="inner" template="frame"/></window>)"},
                   {"w.xml", R"(<window name="w" template="frame"/>)"}},
                  "w",
                  R"((GUIWindowBase::ParseControls): "w/inner/inner" control inherits from itself through "frame" template)"},
        FaultCase{"TemplatesNamingEachOthersChildren",
                  {{"a.xml", R"(<window name="a"><window name="x" template="b"/></window>)"},
                   {"b.xml", R"(<window name="b"><window name="y" template="a"/></window>)"},
                   {"w.xml", R"(<window name="w" template="a"/>)"}},
                  "w",
                  R"((GUIWindowBase::ParseControls): "w/x/y/x" control inherits from itself through "a" template)"}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

// A window whose only description failed to parse is looked for in that
// file, named as under the program's folder, and the error says what is
// wrong with it, as the file's own error line does.
TEST_F(GUIWindowBaseTest, AWindowOfABrokenDescriptionNamesItsFile)
{
    bed.AddDescription("w.xml", "<window name=\"w\">\n<button name=\"b\"></window>");
    bed.Start();
    const std::string fault = "XML format error at line 2: code 2 in \"data\\ui\\windows\\w.xml\"";
    try {
        Build("w");
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(bed.Tools()->GetDescriptionPlace("w"), "data\\ui\\windows\\w.xml");
        EXPECT_EQ(error.GetText(),
                  "(GUIWindowBase::ParseControls): Unknown \"w\" window in \"data\\ui\\windows\\w.xml\": " + fault);
        EXPECT_THAT(Errors(), testing::Contains("Error: " + fault + "!"));
    }
}

struct CycleCase {
    const char* name;
    std::map<std::string, std::string> files;
    const char* error;
};

void PrintTo(const CycleCase& c, std::ostream* out) { *out << c.name; }

class GUIWindowBaseCycleTest : public GUIWindowBaseTest, public testing::WithParamInterface<CycleCase> {};

TEST_P(GUIWindowBaseCycleTest, ATemplateChainStopsAtATemplateItHolds)
{
    for (const auto& [file, xml] : GetParam().files)
        bed.AddDescription(file, xml);
    bed.Start();
    const auto window = Build("w");
    EXPECT_THAT(Names(*window), ElementsAre("w"));
    EXPECT_EQ(window->GetControls()[0]->GetHeight(), 7);
    EXPECT_THAT(Errors(), ElementsAre(GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Cycles, GUIWindowBaseCycleTest,
    testing::Values(
        CycleCase{"WindowNamingItself",
                  {{"w.xml", R"(<window name="w" template="w" height="7"/>)"}},
                  R"(Error: (GUIWindowBase::FindDescriptionNodes): "w" template of "w" window is already in its template chain!)"},
        CycleCase{"TwoTemplatesNamingEachOther",
                  {{"a.xml", R"(<window name="a" template="b" height="7"/>)"},
                   {"b.xml", R"(<window name="b" template="a"/>)"},
                   {"w.xml", R"(<window name="w" template="a"/>)"}},
                  R"(Error: (GUIWindowBase::FindDescriptionNodes): "a" template of "w" window is already in its template chain!)"}),
    [](const testing::TestParamInfo<CycleCase>& info) { return std::string(info.param.name); });

TEST_F(GUIWindowBaseTest, AttributesComeFromTheNearestLevelOfATemplateChain)
{
    bed.AddDescription("t.xml", R"(<window name="t1" template="t2" height="1"/>)");
    bed.AddDescription("u.xml", R"(<window name="t2" template="t3" size="4 5" height="2"/>)");
    bed.AddDescription("v.xml", R"(<window name="t3" position="6 7" size="8 9" height="3" show_action="x"/>)");
    const auto window = Start(R"(<window name="w" template="t1" show_action="none"/>)");
    const GUITools::GUIControl& control = *window->GetControl("w");
    EXPECT_EQ(control.GetHeight(), 1);
    EXPECT_FLOAT_EQ(control.GetSize().x, 4.0f);
    EXPECT_FLOAT_EQ(control.GetPosition().y, 7.0f);
    EXPECT_EQ(control.GetShowAction(), "none");
    EXPECT_EQ(control.GetHideAction(), "hide");
}

TEST_F(GUIWindowBaseTest, ChildrenComeInOrderOwnFirstAndOnce)
{
    bed.AddDescription("t.xml", R"(<window name="t"><button name="a" position="1 2" size="3 4"/>
                                   <check_box name="c"/></window>)");
    const auto window = Start(R"(<window name="w" template="t"><window name="b"/>
                                 <button name="a" position="5 6"/></window>)");
    EXPECT_THAT(Names(*window), ElementsAre("w", "w/b", "w/a", "w/c"));
    const GUITools::GUIButtonControl* a = window->GetButtonControl("w/a");
    ASSERT_NE(a, nullptr);
    EXPECT_FLOAT_EQ(a->GetPosition().x, 5.0f);
    EXPECT_FLOAT_EQ(a->GetSize().y, 4.0f);
    EXPECT_NE(window->GetCheckBox("w/c"), nullptr);
    // Nested controls hang in their parent's widget.
    EXPECT_EQ(a->GetWindow()->GetParent(), window->GetControl("w")->GetWindow());
    EXPECT_EQ(window->GetControl("w")->GetWindow()->GetParent(), window->GetBaseWindow());
}

TEST_F(GUIWindowBaseTest, ALanguageFilterLeavesTheControlAndItsChildrenOut)
{
    const std::string xml = R"(<window name="w"><window name="ru" language="ru"><button name="b"/></window>
                               <window name="en" language="en"/><window name="any"/></window>)";
    auto english = Start(xml);
    EXPECT_THAT(Names(*english), ElementsAre("w", "w/en", "w/any"));
    english.reset();
    bed.tools.reset();
    bed.tools = std::make_unique<GUITools::GUIToolManager>(bed.Engine(), "ru");
    EXPECT_THAT(Names(*Build("w")), ElementsAre("w", "w/ru", "w/ru/b", "w/any"));
}

TEST_F(GUIWindowBaseTest, FadersComeFromTheFirstSectionAndFaderElementsAreNoControls)
{
    bed.AddDescription("a_faders.xml", R"(<faders><fader name="f" show_speed="3" min="0.5"/></faders>)");
    bed.AddDescription("b_faders.xml", R"(<faders><fader name="f" show_speed="9"/></faders>)");
    const auto window = Start(R"(<window name="w" fader="f"><fader name="f"/><window name="none" fader=""/></window>)");
    EXPECT_THAT(Names(*window), ElementsAre("w", "w/none"));
    const GUITools::GUIControl& control = *window->GetControl("w");
    EXPECT_EQ(control.GetFaderName(), "f");
    EXPECT_FLOAT_EQ(control.GetFader().showSpeed, 3.0f);
    EXPECT_FLOAT_EQ(control.GetFader().min, 0.5f);
    EXPECT_FLOAT_EQ(control.GetFader().hideSpeed, 1.0f);
    EXPECT_EQ(control.GetFader().type, "timed");
    EXPECT_FALSE(window->GetControl("w/none")->HasFader());
}

TEST_F(GUIWindowBaseTest, AWindowMayBeOneTextControl)
{
    const auto window = Start(R"(<text_label name="w" font="common_0" text="'Hi'"/>)");
    ASSERT_TRUE(window->HasTextControl("w"));
    EXPECT_FALSE(window->HasWindowControl("w"));
    EXPECT_EQ(window->GetTextControl("w")->GetText(), L"Hi");
}

TEST_F(GUIWindowBaseTest, LookupsArePerTypeAndLogTheirMisses)
{
    const auto window = Start(R"(<window name="w"><text_label name="t"/><button name="b"/><button name="b"/></window>)");
    EXPECT_EQ(window->GetButtonControl("w/t"), nullptr);
    EXPECT_EQ(window->GetButton("w/x"), nullptr);
    EXPECT_EQ(window->GetSliderControls().size(), 0u);
    EXPECT_FALSE(window->HasTextControl("w/b"));
    window->EnableControl("w/x", false);
    EXPECT_EQ(window->GetControl("nothing"), nullptr);
    EXPECT_THAT(Errors(), ElementsAre(R"(Error: (GUIWindowBase::GetButtonControl): Unknown "w/t" control!)",
                                      R"(Error: (GUIWindowBase::GetButtonControl): Unknown "w/x" control!)",
                                      R"(Error: (GUIWindowBase::EnableControl): Unknown "w/x" control!)",
                                      R"(Error: (GUIWindowBase::GetControl): Unknown "nothing" control!)"));
    // The same full name twice: the first made is found.
    EXPECT_EQ(window->GetButtonControl("w/b"), window->GetControls()[2].get());
}

TEST_F(GUIWindowBaseTest, AControlThatIgnoresTheHideKeepsTheWindowDrawn)
{
    const auto window = Start(R"(<window name="w"><window name="a"/><window name="stays" hide_action="none"/></window>)");
    EXPECT_FALSE(window->IsVisible());
    window->Show(true);
    EXPECT_TRUE(window->IsVisible());
    Frames(*window, 2);
    window->Show(false);
    Frames(*window, 3);
    EXPECT_FALSE(window->GetControl("w/a")->GetWindow()->visible);
    EXPECT_TRUE(window->GetControl("w/stays")->IsVisible());
    EXPECT_TRUE(window->IsVisible());
}

TEST_F(GUIWindowBaseTest, AHideOffsetKeepsTheWindowDrawnForItsTime)
{
    bed.AddDescription("f.xml", R"(<faders><fader name="f" hide_offset="0.48" hide_speed="1000"/></faders>)");
    const auto window = Start(R"(<window name="w" fader="f"><window name="a"/></window>)");
    window->Show(true);
    Frames(*window, 2);
    window->Show(false);
    Frames(*window, 9);
    EXPECT_FALSE(window->GetControl("w/a")->GetWindow()->visible);
    EXPECT_TRUE(window->GetControl("w")->GetWindow()->visible);
    EXPECT_TRUE(window->IsVisible());
    Frames(*window, 1);
    EXPECT_FALSE(window->GetControl("w")->GetWindow()->visible);
    EXPECT_FALSE(window->IsVisible());
}

TEST_F(GUIWindowBaseTest, WithoutFadersTheBaseHidesInTheFirstUpdateAfterAHide)
{
    const auto window = Start(R"(<window name="w"><button name="b"/></window>)");
    window->Show(true);
    Frames(*window, 1);
    window->Show(false);
    Frames(*window, 1);
    EXPECT_FALSE(window->IsVisible());
}

TEST_F(GUIWindowBaseTest, ADisabledControlHidesAtOnceAndStaysOutOfShow)
{
    const auto window = Start(R"(<window name="w"><button name="b" hide_action="none"/></window>)");
    window->Show(true);
    Frames(*window, 1);
    GUIWindow& button = *window->GetControl("w/b")->GetWindow();
    ASSERT_TRUE(button.visible);
    window->EnableControl("w/b", false);
    EXPECT_FALSE(button.visible);
    EXPECT_FALSE(window->IsControlEnabled("w/b"));
    window->Show(true);
    Frames(*window, 2);
    EXPECT_FALSE(button.visible);
    window->EnableControl(window->GetControl("w/b"), true);
    EXPECT_FALSE(button.visible);
    window->Show(true);
    Frames(*window, 1);
    EXPECT_TRUE(button.visible);
}

} // namespace
