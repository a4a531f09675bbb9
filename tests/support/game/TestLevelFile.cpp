#include "tests/support/game/TestLevelFile.h"

#include "tests/support/TempFolder.h"

#include <utility>

namespace Testing {

std::string WriteTestLevel(const TempFolder& folder, std::vector<Tools::LevelBlock> blocks)
{
    Tools::LevelGeometry geometry;
    geometry.textures = {""};
    geometry.blocks = std::move(blocks);
    const std::vector<std::uint8_t> bytes = Tools::BuildLevelGeometryFile(geometry);
    folder.WriteFile("data\\levels_geometry\\test.tkg", std::string(bytes.begin(), bytes.end()));
    return "test.tkg";
}

} // namespace Testing
