#include "gui_tools/GUIFontTool.h"

#include "engine/core/Error.h"
#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIManager.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/GUIToolFiles.h"
#include "tests/support/ImageFiles.h"
#include "engine/render/ShaderDescriptor.h"
#include "tests/support/LogProbe.h"
#include "tests/support/TestFonts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using GUITools::GUIFontTool;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

Tools::FontGlyph Glyph(char16_t character)
{
    Tools::FontGlyph glyph;
    glyph.character = character;
    glyph.uSize = glyph.vSize = glyph.width = 0.5f;
    return glyph;
}

// Fonts files written into a fake engine's data folder before it starts.
class GUIFontToolTest : public testing::Test {
protected:
    std::string Font(const std::string& name, const std::string& attributes, const std::string& children = "")
    {
        return Testing::EvenFontElement(engine.folder, name, attributes, children);
    }

    std::unique_ptr<GUIFontTool> Make(const std::string& basic, const std::string& language = "en",
                                      const std::string& additional = "")
    {
        Testing::WriteGUIToolFiles(engine.folder, {.basicFonts = basic, .additionalFonts = additional});
        engine.Start();
        return std::make_unique<GUIFontTool>(&engine.Get(), language);
    }

    Halvard::GUIFontManager& Fonts() { return *engine->GetGUIManager()->GetFontManager(); }
    std::vector<std::string> Errors() { return Testing::LogProbe(*engine->GetMessageManager()).ErrorLines(); }

    Testing::FakeEngine engine;
};

TEST_F(GUIFontToolTest, FontsTakeIdsInFileOrderAndTheAdditionalOnesContinue)
{
    auto tool = Make(Font("console", "size=\"16\"") + Font("common_0", "size=\"20\""), "en",
                     Font("tip", "size=\"18\""));
    EXPECT_EQ(tool->GetFontIndex("console"), 0);
    EXPECT_EQ(tool->GetFontIndex("common_0"), 1);
    EXPECT_EQ(tool->GetFontIndex("tip"), -1);
    tool->LoadAdditionalFonts();
    EXPECT_EQ(tool->GetFontIndex("tip"), 2);
    EXPECT_EQ(tool->GetFont("tip"), Fonts().GetFont(2));
    EXPECT_EQ(tool->GetFont("missing"), nullptr);
    EXPECT_EQ(tool->GetFontIndex("missing"), -1);
    EXPECT_THAT(Errors(), IsEmpty());
}

TEST(GUIFontToolLanguages, TheLanguagesSizeAndPropertiesOverrideTheFontsOwnAttributeByAttribute)
{
    struct Case {
        const char* language;
        float size;
        float space;
        float virtualSize;
    };
    for (const Case& c : {Case{"en", 20.0f, 0.5f, 2.0f}, Case{"ru", 16.0f, 0.25f, 2.0f}, Case{"ge", 20.0f, 0.5f, 2.0f}}) {
        SCOPED_TRACE(c.language);
        Testing::FakeEngine engine;
        const std::string font = Testing::EvenFontElement(
            engine.folder, "common", "size=\"20\"",
            "<properties space=\"0.5\" shift=\"2\" virtual_size=\"40\"/>"
            "<ru size=\"16\"><properties space=\"0.25\" virtual_size=\"32\"/></ru>");
        Testing::WriteGUIToolFiles(engine.folder, {.basicFonts = font});
        engine.Start();
        GUIFontTool tool(&engine.Get(), c.language);
        const Halvard::GUIFont* made = tool.GetFont("common");
        ASSERT_NE(made, nullptr);
        EXPECT_FLOAT_EQ(made->GetSize(), c.size);
        EXPECT_FLOAT_EQ(made->GetSpace(), c.space);
        EXPECT_FLOAT_EQ(made->GetShift(), 2.0f);
        EXPECT_FLOAT_EQ(made->GetVirtualSize(), c.virtualSize);
    }
}

TEST_F(GUIFontToolTest, TheLanguagesPathsComeBeforeThePlainOnes)
{
    engine.folder.WriteFile("data\\fonts\\ru\\even.fnt", engine.folder.ReadFile("data\\fonts\\even.fnt"));
    auto tool = Make(Font("common", "size=\"20\"", "<ru><description_file_path path=\"fonts\\ru\\missing.fnt\"/></ru>"),
                     "ru");
    ASSERT_NE(tool->GetFont("common"), nullptr);
    // The font file asked for is the Russian one, which does not exist.
    EXPECT_THAT(Testing::LogProbe(*engine->GetMessageManager()).Joined(), ::testing::HasSubstr("missing.fnt"));
    EXPECT_EQ(tool->GetFont("common")->GetGlyphCount(), 0u);
}

TEST_F(GUIFontToolTest, MonospaceAndCaseApplyWhenAsked)
{
    Font("images", ""); // writes the images the fonts below share
    const std::string images = "<diffuse_image_path path=\"fonts\\even_diffuse.tga\"/>"
                               "<opacity_image_path path=\"fonts\\even_opacity.tga\"/>";
    const std::string lower = Testing::WriteFontFile(engine.folder, "lower.fnt", {Glyph(u'a'), Glyph(u'b')});
    const auto Lower = [&](const std::string& name, const std::string& attributes) {
        return "<font name=\"" + name + "\" size=\"1\" " + attributes + "><description_file_path path=\"" +
               lower + "\"/>" + images + "</font>";
    };
    auto tool = Make(Font("mono", "size=\"16\" monospace=\"1\"") + Font("plain", "size=\"16\" monospace=\"true\"") +
                     Lower("upper", "case=\"upper\"") + Lower("lower", "case=\"lower\"") +
                     Lower("title", "case=\"title\""));
    EXPECT_TRUE(tool->GetFont("mono")->IsMonospace());
    // Booleans are numbers: "true" reads as 0.
    EXPECT_FALSE(tool->GetFont("plain")->IsMonospace());
    EXPECT_TRUE(tool->GetFont("upper")->HasGlyph(u'A'));
    EXPECT_TRUE(tool->GetFont("upper")->HasGlyph(u'b'));
    EXPECT_FALSE(tool->GetFont("lower")->HasGlyph(u'A'));
    EXPECT_FALSE(tool->GetFont("title")->HasGlyph(u'B'));
}

TEST_F(GUIFontToolTest, AFontMissingAnItemIsLoggedAndTakesNoId)
{
    auto tool = Make("<font size=\"1\"/>" + std::string("<font name=\"bare\"/>") + Font("good", "size=\"16\""));
    EXPECT_EQ(tool->GetFontIndex("bare"), -1);
    EXPECT_EQ(tool->GetFontIndex("good"), 0);
    EXPECT_THAT(Errors(),
                ElementsAre("Error: (GUIFontTool::GUIFontTool): font with \"0\" index have not name!",
                            "Error: (GUIFontTool::GUIFontTool): font with \"bare\" name have not size!",
                            "Error: (GUIFontTool::GUIFontTool): font with \"bare\" name have not description file!",
                            "Error: (GUIFontTool::GUIFontTool): font with \"bare\" name have not diffuse image!",
                            "Error: (GUIFontTool::GUIFontTool): font with \"bare\" name have not opacity image!"));
}

// A size of 0 would make the virtual size infinite.
TEST_F(GUIFontToolTest, AVirtualSizeOverASizeOfZeroKeepsOneAndNamesTheFont)
{
    auto tool = Make(Font("flat", "size=\"0\"", "<properties virtual_size=\"20\"/>"));
    ASSERT_NE(tool->GetFont("flat"), nullptr);
    EXPECT_FLOAT_EQ(tool->GetFont("flat")->GetVirtualSize(), 1.0f);
    EXPECT_THAT(Errors(), ElementsAre("Error: (GUIFontTool::GUIFontTool): font with \"flat\" name have zero size, "
                                      "virtual size kept at 1!"));
}

TEST_F(GUIFontToolTest, AFileWithAnotherRootGivesNoFontsAndAMissingFileThrows)
{
    Testing::WriteUtf8File(engine.folder, "data\\ui\\fonts\\fonts_basic.xml", "<typefaces/>");
    engine.Start();
    GUIFontTool tool(&engine.Get(), "en");
    EXPECT_TRUE(tool.GetFontNames().empty());
    EXPECT_THROW(tool.LoadAdditionalFonts(), Halvard::FileError);
}

TEST_F(GUIFontToolTest, TheToolRemovesItsFontsButNotAFontWhoseIdWasTaken)
{
    Testing::WriteGUIToolFiles(engine.folder, {.basicFonts = Font("a", "size=\"1\"") + Font("b", "size=\"1\"")});
    engine.Start();
    Halvard::GUIFont* foreign = Fonts().AddFont(1, Halvard::MakeDefaultShaderDescriptor(), "fonts\\even.fnt");
    {
        GUIFontTool tool(&engine.Get(), "en");
        EXPECT_EQ(tool.GetFontIndex("a"), 0);
        EXPECT_EQ(tool.GetFontIndex("b"), -1);
        EXPECT_EQ(Fonts().GetFont(0), tool.GetFont("a"));
    }
    EXPECT_EQ(Fonts().GetFont(0), nullptr);
    EXPECT_EQ(Fonts().GetFont(1), foreign);
}

TEST_F(GUIFontToolTest, ANameGivenTwiceNamesTheLaterFontAndBothAreRemoved)
{
    Testing::WriteGUIToolFiles(engine.folder, {.basicFonts = Font("same", "size=\"1\"") + Font("same", "size=\"2\"")});
    engine.Start();
    {
        GUIFontTool tool(&engine.Get(), "en");
        EXPECT_EQ(tool.GetFontIndex("same"), 1);
        EXPECT_FLOAT_EQ(tool.GetFont("same")->GetSize(), 2.0f);
        ASSERT_NE(Fonts().GetFont(0), nullptr);
    }
    EXPECT_EQ(Fonts().GetFont(0), nullptr);
    EXPECT_EQ(Fonts().GetFont(1), nullptr);
}

// A fonts file beyond what the data can use is refused whole, naming the
// file, before a single font's model is made: twelve thousand fonts once
// took seconds and gigabytes, and a size of a billion hung any text that
// sizes itself to its box.
TEST(GUIFontToolBounds, AFileBeyondTheBoundsIsRefusedNamingItBeforeAnyFontIsMade)
{
    const auto Many = [](Testing::FakeEngine& engine, int count) {
        std::string fonts;
        for (int i = 0; i < count; ++i)
            fonts += Testing::EvenFontElement(engine.folder, "f" + std::to_string(i), "size=\"16\"");
        return fonts;
    };
    // Two fonts whose pictures decode to 16 MiB each, from 160 KB files.
    const auto Large = [](Testing::FakeEngine& engine) {
        engine.folder.WriteFile("data\\fonts\\large.tga", Testing::RunLengthTga(2048));
        const std::string large = "<ru><diffuse_image_path path=\"fonts\\large.tga\"/></ru>";
        return Testing::EvenFontElement(engine.folder, "a", "size=\"16\"", large) +
               Testing::EvenFontElement(engine.folder, "b", "size=\"16\"", large);
    };
    const auto Sized = [](Testing::FakeEngine& engine, const std::string& size) {
        return Testing::EvenFontElement(engine.folder, "fine", "size=\"16\"") +
               Testing::EvenFontElement(engine.folder, "big", "size=\"16\"", "<ru size=\"" + size + "\"/>");
    };
    struct Case {
        const char* what;
        std::function<std::string(Testing::FakeEngine&)> fonts;
        const char* language;
        const char* error;
    };
    const Case cases[] = {
        {"65 fonts", [&](auto& e) { return Many(e, 65); }, "en", "Incorrect fonts: more than 64 fonts are described"},
        {"pictures past 32 MiB", Large, "ru", "Incorrect fonts: their pictures take more than 33554432 bytes once loaded"},
        {"a size of a billion", [&](auto& e) { return Sized(e, "1e9"); }, "ru", "Incorrect \"size\" of \"big\""},
        {"a size past 300", [&](auto& e) { return Sized(e, "300.5"); }, "ru", "Incorrect \"size\" of \"big\""},
        {"a size that is no number", [&](auto& e) { return Sized(e, "nan"); }, "ru", "Incorrect \"size\" of \"big\""},
        {"a negative size", [&](auto& e) { return Sized(e, "-1"); }, "ru", "Incorrect \"size\" of \"big\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const bool additional : {false, true}) {
            Testing::FakeEngine engine;
            const std::string fonts = c.fonts(engine);
            Testing::WriteGUIToolFiles(engine.folder, {.basicFonts = additional ? "" : fonts,
                                                       .additionalFonts = additional ? fonts : ""});
            engine.Start();
            const std::string file = additional ? "fonts_additional.xml" : "fonts_basic.xml";
            try {
                GUIFontTool tool(&engine.Get(), c.language);
                tool.LoadAdditionalFonts();
                ADD_FAILURE() << file << " was taken";
            } catch (const Halvard::FileError& error) {
                EXPECT_THAT(error.GetText(), ::testing::StartsWith(c.error));
                EXPECT_THAT(error.GetText(), ::testing::EndsWith("in \"data\\ui\\fonts\\" + file + "\""));
            }
            EXPECT_EQ(engine->GetGUIManager()->GetFontManager()->GetFont(0), nullptr);
        }
    }
}

TEST(GUIFontToolBounds, AFileAtTheBoundsIsTaken)
{
    Testing::FakeEngine engine;
    std::string fonts = Testing::EvenFontElement(engine.folder, "largest", "size=\"300\"") +
                        Testing::EvenFontElement(engine.folder, "flat", "size=\"0\"") +
                        Testing::EvenFontElement(engine.folder, "unread", "size=\"16\"", "<ru size=\"1e9\"/>");
    for (int i = 3; i < 64; ++i)
        fonts += Testing::EvenFontElement(engine.folder, "f" + std::to_string(i), "size=\"16\"");
    Testing::WriteGUIToolFiles(engine.folder, {.basicFonts = fonts});
    engine.Start();
    GUIFontTool tool(&engine.Get(), "en");
    EXPECT_EQ(tool.GetFontNames().size(), 64u);
    EXPECT_FLOAT_EQ(tool.GetFont("largest")->GetSize(), 300.0f);
}

} // namespace
