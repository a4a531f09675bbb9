#pragma once

#include "tools/ModelWriter.h"
#include "tools/data_builder/generators/model/VisualRecipe.h"

#include <functional>
#include <string>
#include <vector>

namespace Tools {

class DataSet;

// The objects of a level other than the blocks: the bat, the balls, the
// bonuses, the guns and their bolts, the hammer and the barrier, below
// "data\game_objects\". World z is up, the field spans x -75 to 75 and the
// bat stands at y -85; the hammer alone is drawn in the GUI's 800 x 600
// units.
inline constexpr const char* kObjectsFolder = "data\\game_objects\\";
inline std::string ObjectPath(const std::string& file) { return kObjectsFolder + file; }

// A model put together from meshes, with its shader beside it.
struct MeshModelRecipe {
    std::string path{};
    std::function<ModelFileData()> build{};
    ShaderRecipe shader{};
};

// Every object model, in a fixed order.
std::vector<MeshModelRecipe> ObjectModelRecipes();
// Their textures and particle systems, joined into the game's lists.
std::vector<TextureRecipe> ObjectTextureRecipes();
std::vector<ParticleRecipe> ObjectParticleRecipes();

// The parts, one per object.
std::vector<MeshModelRecipe> BatModelRecipes();
std::vector<MeshModelRecipe> BallModelRecipes();
std::vector<MeshModelRecipe> BonusModelRecipes();
std::vector<MeshModelRecipe> GunModelRecipes();
std::vector<MeshModelRecipe> HammerModelRecipes();
std::vector<MeshModelRecipe> BarrierModelRecipes();

// The bonus kinds by the names the game builds their resources from.
const std::vector<std::string>& BonusNames();

// The recipe's model and its shader beside it. The shader's textures must
// be made before; a missing one ends the build with std::runtime_error
// naming it, as does a build that fails, naming the recipe.
void AddMeshModel(DataSet& set, const MeshModelRecipe& recipe);

// Every recipe's model and shader (the textures generator runs first).
void GenerateObjectModels(DataSet& set);

} // namespace Tools
