#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"
#include "tools/data_builder/generators/model/VisualGenerator.h"

#include <stdexcept>

namespace Tools {

std::vector<MeshModelRecipe> ObjectModelRecipes()
{
    std::vector<MeshModelRecipe> recipes;
    for (const auto& part : {BatModelRecipes, BallModelRecipes, BonusModelRecipes, GunModelRecipes,
                             HammerModelRecipes, BarrierModelRecipes}) {
        const std::vector<MeshModelRecipe> more = part();
        recipes.insert(recipes.end(), more.begin(), more.end());
    }
    return recipes;
}

void AddMeshModel(DataSet& set, const MeshModelRecipe& recipe)
{
    ModelFileData model;
    try {
        model = recipe.build();
    } catch (const std::runtime_error& error) {
        throw std::runtime_error("Recipe \"" + recipe.path + "\": " + error.what());
    }
    AddModelWithShader(set, recipe.path, model, recipe.shader);
}

void GenerateObjectModels(DataSet& set)
{
    for (const MeshModelRecipe& recipe : ObjectModelRecipes())
        AddMeshModel(set, recipe);
}

} // namespace Tools
