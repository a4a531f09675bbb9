#include "engine/core/Error.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/GUIWindowBase.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/gui_tools/ToolTestBed.h"
#include "tests/support/LogProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace Halvard;
using GUITools::GUIWindowBase;
using testing::Contains;
using testing::IsEmpty;

namespace {

// A text far wider than its box, so that a text sizing itself to the box
// shrinks from whatever size it is given.
std::string TextElement(const std::string& attributes)
{
    return R"(<text_label name="t" font="common_0" size="100 30" auto_font_size="1" )"
           R"(text="'abcdefghijklmnopqrstuvwxyz'" )" +
           attributes + "/>";
}

std::string TextLabel(const std::string& attributes)
{
    return R"(<window name="w">)" + TextElement(attributes) + "</window>";
}

std::string Faded(const std::string& attributes)
{
    return R"(<faders><fader name="menu" type="timed" )" + attributes + "/></faders>";
}

struct BoundCase {
    const char* name;
    // The file that carries the value, named after its root element.
    const char* file;
    std::string xml;
    const char* attribute;
    const char* element;
};

void PrintTo(const BoundCase& c, std::ostream* out) { *out << c.name; }

class GUIDescriptionBoundsTest : public testing::TestWithParam<BoundCase> {
protected:
    std::unique_ptr<GUIWindowBase> Build()
    {
        return std::make_unique<GUIWindowBase>(bed.Engine(), bed.Keeper(), bed.Tools(), nullptr, "w");
    }

    std::vector<std::string> Errors() { return Testing::LogProbe(*bed.engine->GetMessageManager()).ErrorLines(); }

    Testing::ToolTestBed bed;
};

// Each value, read as it would be, hung the window's first layout, kept its
// window on the screen or wrapped a layer: the file is refused naming it,
// before any window of it is built, and its window is looked for there.
TEST_P(GUIDescriptionBoundsTest, AValueNoDescriptionCanUseRefusesTheFile)
{
    const BoundCase& c = GetParam();
    bed.AddDescription(std::string(c.file) + ".xml", c.xml);
    if (std::string(c.file) != "w")
        bed.AddDescription("w.xml", R"(<window name="w"><button name="b" fader="menu"/></window>)");
    bed.Start();
    const std::string place = bed.Tools()->GetDescriptionPlace(c.file);
    EXPECT_THAT(place, testing::EndsWith(std::string("data\\ui\\windows\\") + c.file + ".xml"));
    EXPECT_THAT(Errors(), Contains(std::string("Error: Incorrect \"") + c.attribute + "\" of \"" + c.element +
                                   "\" in \"" + place + "\"!"));
    EXPECT_THROW(Build(), FatalError);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GUIDescriptionBoundsTest,
    testing::Values(BoundCase{"FontSizeOfABillion", "w", TextLabel(R"(font_size="1e9")"), "font_size", "t"},
                    BoundCase{"FontSizeOf1e30", "w", TextLabel(R"(font_size="1e30")"), "font_size", "t"},
                    BoundCase{"FontSizeInfinite", "w", TextLabel(R"(font_size="inf")"), "font_size", "t"},
                    BoundCase{"FontSizeNotANumber", "w", TextLabel(R"(font_size="nan")"), "font_size", "t"},
                    BoundCase{"FontSizeJustAboveTheFonts", "w", TextLabel(R"(font_size="300.5")"), "font_size", "t"},
                    BoundCase{"FontSizeNegative", "w", TextLabel(R"(font_size="-1e30")"), "font_size", "t"},
                    BoundCase{"LineSpaceNotANumber", "w", TextLabel(R"(line_space="nan")"), "line_space", "t"},
                    BoundCase{"LineSpaceHuge", "w", TextLabel(R"(line_space="-1e30")"), "line_space", "t"},
                    BoundCase{"PrintingSpeedNone", "w", TextLabel(R"(printing_speed="0")"), "printing_speed", "t"},
                    BoundCase{"PrintingSpeedNegative", "w", TextLabel(R"(printing_speed="-40")"), "printing_speed",
                              "t"},
                    BoundCase{"PrintingSpeedNotANumber", "w", TextLabel(R"(printing_speed="nan")"), "printing_speed",
                              "t"},
                    BoundCase{"PrintingTimeNone", "w", TextLabel(R"(max_printing_time="0")"), "max_printing_time",
                              "t"},
                    BoundCase{"PrintingTimeInfinite", "w", TextLabel(R"(max_printing_time="inf")"),
                              "max_printing_time", "t"},
                    BoundCase{"HeightAtTheTopOfItsRange", "w",
                              R"(<window name="w"><scroll name="s" height="2147483647"/></window>)", "height", "s"},
                    BoundCase{"HeightOfTheWindowItself", "w", R"(<window name="w" height="-99999999999"/>)", "height",
                              "w"},
                    BoundCase{"FaderThatNeverHides", "f", Faded(R"(show_speed="4" hide_speed="0")"), "hide_speed",
                              "menu"},
                    BoundCase{"FaderSpeedNotANumber", "f", Faded(R"(show_speed="nan")"), "show_speed", "menu"},
                    BoundCase{"FaderOffsetOfABillionSeconds", "f", Faded(R"(hide_offset="1e9")"), "hide_offset",
                              "menu"},
                    BoundCase{"FaderOffsetNegative", "f", Faded(R"(fade_offset="-1")"), "fade_offset", "menu"},
                    BoundCase{"FaderWaitingAMinute", "f", Faded(R"(show_offset="60")"), "show_offset", "menu"},
                    BoundCase{"FaderWaitingOverASecond", "f", Faded(R"(fade_offset="1.01")"), "fade_offset", "menu"},
                    BoundCase{"FadeOverMoreThanTwoSeconds", "f", Faded(R"(hide_speed="0.49")"), "hide_speed", "menu"},
                    BoundCase{"HeightWrittenAsAFloat", "w", R"(<window name="w" height="1e2"/>)", "height", "w"},
                    BoundCase{"FrameWrittenAsAFloat", "w",
                              R"(<window name="w"><button name="b" model_end_frame="2.5"/></window>)",
                              "model_end_frame", "b"},
                    BoundCase{"CountWithTrailingLetters", "w",
                              R"(<window name="w"><edit_box name="e" max_character_count="12x"/></window>)",
                              "max_character_count", "e"}),
    [](const testing::TestParamInfo<BoundCase>& info) { return std::string(info.param.name); });

// The edges of every bound still build, a text at the largest font size
// shrinking to its box.
TEST(GUIDescriptionBoundsEdgesTest, ValuesAtTheBoundsBuild)
{
    Testing::ToolTestBed bed;
    bed.AddDescription("f.xml", Faded(R"(show_speed="0.5" hide_speed="1000" fade_offset="0" show_offset="1")"));
    bed.AddDescription("w.xml", R"(<window name="w" height="-100"><scroll name="s" height="100"/>)" +
                                    TextElement(R"(font_size="300" line_space="-300" printing_speed="0.01" )"
                                                R"(max_printing_time="100000" fader="menu")") +
                                    "</window>");
    bed.Start();
    const GUIWindowBase window(bed.Engine(), bed.Keeper(), bed.Tools(), nullptr, "w");
    EXPECT_THAT(Testing::LogProbe(*bed.engine->GetMessageManager()).ErrorLines(), IsEmpty());
    const GUITools::GUITextControl* text = window.GetTextControl("w/t");
    ASSERT_NE(text, nullptr);
    EXPECT_FLOAT_EQ(text->GetEffectiveSize(), GUITools::GUITextControl::kSmallestAutoSize);
}

std::string Labels(std::size_t count)
{
    std::string labels;
    for (std::size_t i = 0; i < count; ++i)
        labels += "<text_label name=\"l" + std::to_string(i) + "\"/>";
    return labels;
}

// A window of as many controls as the bound builds. One more is refused
// naming the file: described in one file, before any window is built; made
// by templates' children from small files, as the window is built.
TEST(GUIDescriptionBoundsEdgesTest, AWindowOfMoreControlsThanTheBoundIsRefusedNamingItsFile)
{
    const std::size_t most = GUITools::GUIToolManager::kMostControls;
    const std::string file = "\"data\\ui\\windows\\w.xml\"";
    std::string sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen += "<window name=\"c" + std::to_string(i) + "\" template=\"t\"/>";
    const struct {
        const char* name;
        std::string window;
        std::string error;
    } cases[] = {
        {"AtTheBound", "<window name=\"w\">" + Labels(most - 1) + "</window>", ""},
        {"OneElementMore", "<window name=\"w\">" + Labels(most) + "</window>",
         "(GUIWindowBase::ParseControls): Unknown \"w\" window in " + file +
             ": Incorrect controls: more than 256 controls are described in " + file},
        {"TemplatesChildren", "<window name=\"w\">" + sixteen + "</window>",
         "(GUIWindowBase::ParseControls): Incorrect controls: more than 256 controls make \"w\" window in " + file},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Testing::ToolTestBed bed;
        bed.AddDescription("t.xml", "<window name=\"t\">" + Labels(16) + "</window>");
        bed.AddDescription("w.xml", c.window);
        bed.Start();
        try {
            const GUIWindowBase window(bed.Engine(), bed.Keeper(), bed.Tools(), nullptr, "w");
            EXPECT_EQ(c.error, "");
            EXPECT_EQ(window.GetControls().size(), most);
        } catch (const FatalError& error) {
            EXPECT_EQ(error.GetText(), c.error);
        }
    }
}

} // namespace
