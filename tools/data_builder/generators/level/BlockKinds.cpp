#include "tools/data_builder/generators/level/BlockKinds.h"

#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/SourceXml.h"

#include <stdexcept>

namespace Tools {

namespace {

constexpr const char* kBooleans[] = {"collision_model", "fake_fragments", "explosive", "invisible",
                                     "shadow",          "fake_shadow",    "always_draw_shadow"};

[[noreturn]] void Refuse(const std::string& path, const std::string& why)
{
    throw std::runtime_error("Block description " + path + ": " + why);
}

bool IsDescription(const std::string& path)
{
    const std::string folder = kBlocksFolder;
    return path.rfind(folder, 0) == 0 && path.find('\\', folder.size()) == std::string::npos &&
           path.size() > folder.size() + 4 && path.compare(path.size() - 4, 4, ".xml") == 0;
}

bool ReadBoolean(const XmlElement& root, const std::string& attribute, const std::string& path)
{
    const std::string* text = root.Find(attribute);
    if (text == nullptr)
        return false;
    if (*text != "0" && *text != "1")
        Refuse(path, attribute + "=\"" + *text + "\": write booleans \"1\" or \"0\"");
    return *text == "1";
}

BlockKind ReadKind(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const XmlElement root = ParseSourceXml(bytes, path);
    BlockKind kind;
    const std::string file = path.substr(std::string(kBlocksFolder).size());
    kind.name = file.substr(0, file.find('.'));
    kind.path = path;
    for (const char* attribute : kBooleans)
        ReadBoolean(root, attribute, path);
    const std::string* type = root.Find("type");
    kind.ballKeeper = type != nullptr && *type == "ball_keeper";
    kind.strength = ReadIntAttribute(root, "strength", 1, path);
    kind.explosive = ReadBoolean(root, "explosive", path);
    kind.collisionModel = ReadBoolean(root, "collision_model", path);
    kind.fragmentCount = ReadIntAttribute(root, "fragment_count", 0, path);
    for (const XmlElement& child : root.children) {
        if (child.name == "shader")
            kind.frameCount = ReadIntAttribute(child, "frame_count", 1, path);
    }
    if (kind.strength < 0 || kind.fragmentCount < 0 || kind.frameCount < 1)
        Refuse(path, "strength and fragment_count must not be negative, frame_count at least 1");
    // A hit shows frame (frame count - strength left).
    if (!kind.ballKeeper && kind.strength > 1 && kind.frameCount < kind.strength)
        Refuse(path, "a hard brick needs a texture frame for every hit");
    return kind;
}

} // namespace

std::vector<BlockKind> ReadBlockKinds(const DataSet& set)
{
    std::vector<BlockKind> kinds;
    for (const auto& [path, bytes] : set.GetFiles()) {
        if (IsDescription(path))
            kinds.push_back(ReadKind(path, bytes));
    }
    for (const BlockKind& inner : kinds) {
        for (const BlockKind& outer : kinds) {
            if (&inner != &outer && outer.name.find(inner.name) != std::string::npos)
                Refuse(outer.path, "its name holds the name of the kind " + inner.name);
        }
    }
    return kinds;
}

const BlockKind* FindBlockKind(const std::vector<BlockKind>& kinds, const std::string& blockName)
{
    const BlockKind* found = nullptr;
    for (const BlockKind& kind : kinds) {
        if (blockName.find(kind.name) == std::string::npos)
            continue;
        if (found != nullptr)
            throw std::runtime_error("the block name \"" + blockName + "\" holds the names of both " + found->name +
                                     " and " + kind.name);
        found = &kind;
    }
    return found;
}

} // namespace Tools
