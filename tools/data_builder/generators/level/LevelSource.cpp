#include "tools/data_builder/generators/level/LevelSource.h"

#include "tools/data_builder/generators/SourceXml.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace Tools {

namespace {

const std::vector<std::string> kLevelAttributes = {"key_frame_count", "animation_speed"};
const std::vector<std::string> kTextureAttributes = {"file"};
const std::vector<std::string> kBlockAttributes = {"id",    "name",  "texture", "opacity", "x",   "y",
                                                   "angle", "scale", "flags",   "on",      "path"};
const std::vector<std::string> kGridAttributes = {"id",    "name",  "texture", "opacity", "x",       "y",
                                                  "angle", "scale", "flags",   "on",      "columns", "rows",
                                                  "step_x", "step_y", "stagger"};

[[noreturn]] void Refuse(const std::string& path, const std::string& why)
{
    throw std::runtime_error("Level source " + path + ": " + why);
}

// A misspelt attribute would otherwise be dropped without a word.
void RequireKnownAttributes(const XmlElement& element, const std::vector<std::string>& known,
                            const std::string& path)
{
    for (const auto& [name, value] : element.attributes) {
        if (std::find(known.begin(), known.end(), name) == known.end())
            Refuse(path, "<" + element.name + "> has no attribute " + name);
    }
}

std::string Text(const XmlElement& element, const std::string& attribute)
{
    const std::string* text = element.Find(attribute);
    return text != nullptr ? *text : std::string();
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

std::array<float, 3> Scale(const XmlElement& element, const std::string& path)
{
    const std::string* text = element.Find("scale");
    if (text == nullptr)
        return {1.0f, 1.0f, 1.0f};
    const std::vector<float> values = ReadFloatList(*text, "scale", Place(element, path));
    if (values.size() != 3)
        Refuse(path, "a scale is three numbers: \"" + *text + "\"");
    return {values[0], values[1], values[2]};
}

// "x y angle; x y angle; ..."
std::vector<std::array<float, 3>> Path(const XmlElement& element, const std::string& path)
{
    std::vector<std::array<float, 3>> frames;
    std::istringstream text(Text(element, "path"));
    for (std::string frame; std::getline(text, frame, ';');) {
        const std::vector<float> values = ReadFloatList(frame, "path", Place(element, path));
        if (values.size() != 3)
            Refuse(path, "each key frame of a path is x, y and an angle: \"" + frame + "\"");
        frames.push_back({values[0], values[1], values[2]});
    }
    return frames;
}

BlockPlacement Placement(const XmlElement& element, const std::string& path)
{
    BlockPlacement block;
    block.name = Text(element, "name");
    if (block.name.empty())
        Refuse(path, "<" + element.name + "> without a name");
    block.texture = Text(element, "texture");
    block.opacity = Text(element, "opacity");
    block.id = Text(element, "id");
    block.x = ReadFloatAttribute(element, "x", 0.0f, path);
    block.y = ReadFloatAttribute(element, "y", 0.0f, path);
    block.angle = ReadFloatAttribute(element, "angle", 0.0f, path);
    block.scale = Scale(element, path);
    const int flags = ReadIntAttribute(element, "flags", 0, path);
    if (flags < 0)
        Refuse(path, "flags must not be negative");
    block.flags = static_cast<std::uint32_t>(flags);
    block.on = Words(Text(element, "on"));
    block.path = Path(element, path);
    return block;
}

// Rows of columns, the first block at (x, y); odd rows shifted along x by
// the stagger, as courses of a wall are.
void AddGrid(const XmlElement& element, const std::string& path, std::vector<BlockPlacement>& blocks)
{
    if (element.Find("path") != nullptr)
        Refuse(path, "a grid does not move: give an animated block a <block> of its own");
    const BlockPlacement first = Placement(element, path);
    const int columns = ReadIntAttribute(element, "columns", 1, path);
    const int rows = ReadIntAttribute(element, "rows", 1, path);
    if (columns < 1 || rows < 1)
        Refuse(path, "a grid has at least one column and one row");
    const float stepX = ReadFloatAttribute(element, "step_x", 0.0f, path);
    const float stepY = ReadFloatAttribute(element, "step_y", 0.0f, path);
    const float stagger = ReadFloatAttribute(element, "stagger", 0.0f, path);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            BlockPlacement block = first;
            block.x = first.x + stepX * static_cast<float>(column) + (row % 2 == 1 ? stagger : 0.0f);
            block.y = first.y + stepY * static_cast<float>(row);
            blocks.push_back(block);
        }
    }
}

void ReadHeader(const XmlElement& root, const std::string& path, LevelSource& source)
{
    if (root.name != "level")
        Refuse(path, "the root element is <" + root.name + ">, not <level>");
    RequireKnownAttributes(root, kLevelAttributes, path);
    const int frames = ReadIntAttribute(root, "key_frame_count", 1, path);
    if (frames < 1)
        Refuse(path, "key_frame_count must be at least 1");
    source.keyFrameCount = static_cast<std::uint32_t>(frames);
    source.animationSpeed = ReadFloatAttribute(root, "animation_speed", 0.0f, path);
}

} // namespace

LevelSource ParseLevelSource(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const XmlElement root = ParseSourceXml(bytes, path);
    LevelSource source;
    ReadHeader(root, path, source);
    for (const XmlElement& element : root.children) {
        if (element.name == "texture") {
            RequireKnownAttributes(element, kTextureAttributes, path);
            if (element.Find("file") == nullptr)
                Refuse(path, "<texture> without a file");
            source.textures.push_back(Text(element, "file"));
        } else if (element.name == "block") {
            RequireKnownAttributes(element, kBlockAttributes, path);
            source.blocks.push_back(Placement(element, path));
        } else if (element.name == "grid") {
            RequireKnownAttributes(element, kGridAttributes, path);
            AddGrid(element, path, source.blocks);
        } else {
            Refuse(path, "a level holds <texture>, <block> and <grid>, not <" + element.name + ">");
        }
    }
    return source;
}

} // namespace Tools
