#include "tests/support/game/ShippedData.h"

#include <algorithm>
#include <filesystem>

namespace Testing {

std::string ShippedGameFolder()
{
    std::string text = std::filesystem::path(TAMRISK_GAME_FOLDER).string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

} // namespace Testing
