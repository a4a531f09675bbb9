#include "tools/data_builder/generators/font/FontRecipe.h"

namespace Tools {

// The console wants a fixed pitch and a small size; the menu a bold face a
// size larger than the windows' text. Highlighted and hover colours warm and
// cool the normal one so states read apart on every background.
std::vector<FontRecipe> GameFontRecipes()
{
    return {
        {"console", "DejaVuSansMono.ttf", 16, {{0.85f, 0.92f, 0.85f}}},
        {"common", "DejaVuSans.ttf", 20, {{0.92f, 0.92f, 0.88f}, {1.0f, 0.82f, 0.32f}, {0.62f, 0.86f, 1.0f}}},
        {"main_menu", "DejaVuSans-Bold.ttf", 36, {{0.96f, 0.86f, 0.62f}, {1.0f, 1.0f, 0.66f}, {0.78f, 0.52f, 0.24f}}},
        {"tip", "DejaVuSans-Bold.ttf", 18, {{1.0f, 0.95f, 0.76f}}},
    };
}

std::string DefaultFaceFolder()
{
    return TAMRISK_FONT_FACE_FOLDER;
}

} // namespace Tools
