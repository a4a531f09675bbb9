#pragma once

#include "tools/ModelWriter.h"
#include "tools/ShaderWriter.h"
#include "tools/data_builder/generators/model/VisualRecipe.h"

#include <string>

namespace Tools {

class DataSet;

// The shader file beside a model or particle file: the same stem, ".srf".
std::string ShaderPathBeside(const std::string& path);

// A shader of one stage (none without a diffuse name), blending source alpha
// over inverse source alpha when asked, a frame grid when it has more than
// one cell.
ShaderData BuildShaderData(const ShaderRecipe& recipe);

// The model file of the recipe. Throws std::runtime_error naming the recipe
// for an empty rectangle or box, a side that is not above 0 or a path of
// fewer than two points.
ModelFileData BuildModelData(const ModelRecipe& recipe);

// The recipe's picture as a TGA file.
void AddTexture(DataSet& set, const TextureRecipe& recipe);

// The model file and its shader file beside it. The textures the shader
// names must already be in the set; a missing one ends the build with
// std::runtime_error naming it.
void AddModelWithShader(DataSet& set, const std::string& path, const ModelFileData& model,
                        const ShaderRecipe& shader);

// The particle file and its shader file beside it, its texture made
// before, likewise.
void AddParticleSystemWithShader(DataSet& set, const ParticleRecipe& recipe);

// Every recipe of GameTextureRecipes as a TGA file.
void GenerateTextures(DataSet& set);
// Every recipe of GameModelRecipes with its shader. The textures a shader
// names must already be in the set (the textures are made first); a missing
// one ends the build with std::runtime_error naming it.
void GenerateModels(DataSet& set);
// Every recipe of GameParticleRecipes with its shader, likewise.
void GenerateParticleSystems(DataSet& set);

} // namespace Tools
