#include "tests/gui_tools/ToolTestBed.h"

#include "tests/support/GUIToolFiles.h"

namespace Testing {

namespace {

// Every character, blanks included, one size wide.
const std::string kEvenProperties = R"(<properties space="1" shift="1" virtual_size="10"/>)";

} // namespace

ToolTestBed::ToolTestBed() = default;

ToolTestBed::~ToolTestBed()
{
    tools.reset();
    keeper.reset();
}

void ToolTestBed::AddDescription(const std::string& file, const std::string& xml)
{
    engine.folder.WriteFile("data\\ui\\windows\\" + file, xml);
}

void ToolTestBed::Start(const std::string& language)
{
    GUIToolFiles files;
    files.basicFonts = EvenFontElement(engine.folder, "common_0", "size=\"10\"", kEvenProperties) +
                       EvenFontElement(engine.folder, "common_1", "size=\"10\"", kEvenProperties);
    files.texts = texts_;
    WriteGUIToolFiles(engine.folder, files);
    engine.Start();
    keeper = std::make_unique<GameTools::DataKeeper>(&engine.Get(), language, false);
    tools = std::make_unique<GUITools::GUIToolManager>(&engine.Get(), language);
}

} // namespace Testing
