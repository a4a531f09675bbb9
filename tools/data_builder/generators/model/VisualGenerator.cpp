#include "tools/data_builder/generators/model/VisualGenerator.h"

#include "tools/ParticleWriter.h"
#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/image/PixmapFiles.h"

#include <stdexcept>

namespace Tools {

namespace {

// The renderer's blend factors: source alpha over inverse source alpha.
constexpr std::uint32_t kSourceAlpha = 4;
constexpr std::uint32_t kInverseSourceAlpha = 5;
constexpr std::uint32_t kAlphaBlending = 1;
constexpr std::uint32_t kGridAnimation = 1;
// Half the side of the speck that carries a path: small enough never to
// move its box's centre off the point.
constexpr float kSpeck = 0.5f;

[[noreturn]] void Refuse(const std::string& path, const std::string& why)
{
    throw std::runtime_error("Recipe \"" + path + "\": " + why);
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

// A rectangle of two triangles facing +z, texture upright: v runs up.
ModelFileData Rectangle(const Point2& min, const Point2& max)
{
    ModelFileData data;
    data.flags = kModelStatic | kModelTriangleList;
    data.vertexCount = 4;
    data.vertices = {ModelFileVertex{{min[0], min[1], 0.0f}, {0.0f, 0.0f, 1.0f}, 0.0f, 0.0f},
                     ModelFileVertex{{max[0], min[1], 0.0f}, {0.0f, 0.0f, 1.0f}, 1.0f, 0.0f},
                     ModelFileVertex{{max[0], max[1], 0.0f}, {0.0f, 0.0f, 1.0f}, 1.0f, 1.0f},
                     ModelFileVertex{{min[0], max[1], 0.0f}, {0.0f, 0.0f, 1.0f}, 0.0f, 1.0f}};
    data.indices = {0, 1, 2, 2, 3, 0};
    data.bounds = {ModelFileBounds{{min[0], min[1], 0.0f}, {max[0], max[1], 0.0f}}};
    return data;
}

// One frame per point and a last one back on the first, so that a looping
// animation runs round the path without a jump.
ModelFileData Path(const ModelRecipe& recipe)
{
    ModelFileData data;
    data.flags = kModelVertexAnimated | kModelTriangleList;
    data.frameCount = static_cast<std::uint32_t>(recipe.points.size()) + 1;
    data.speed = recipe.speed;
    data.vertexCount = 3;
    data.indices = {0, 1, 2};
    for (std::uint32_t frame = 0; frame < data.frameCount; ++frame) {
        const Point2& p = recipe.points[frame % recipe.points.size()];
        data.vertices.push_back({{p[0] - kSpeck, p[1] - kSpeck, 0.0f}, {0.0f, 0.0f, 1.0f}, 0.0f, 0.0f});
        data.vertices.push_back({{p[0] + kSpeck, p[1] - kSpeck, 0.0f}, {0.0f, 0.0f, 1.0f}, 1.0f, 0.0f});
        data.vertices.push_back({{p[0], p[1] + kSpeck, 0.0f}, {0.0f, 0.0f, 1.0f}, 0.5f, 1.0f});
        data.bounds.push_back({{p[0] - kSpeck, p[1] - kSpeck, 0.0f}, {p[0] + kSpeck, p[1] + kSpeck, 0.0f}});
    }
    return data;
}

// Scenery of the level: drawn as it is read, in depth and lit.
ModelFileData Box(const ModelRecipe& recipe)
{
    ModelFileData data = MakeBoxModelData(recipe.low, recipe.high);
    data.flags |= kModelSolidRenderFlags;
    for (ModelFileVertex& vertex : data.vertices) {
        vertex.u *= recipe.repeat;
        vertex.v *= recipe.repeat;
    }
    return data;
}

// A shader's textures lie beside it and are made before it.
void RequireTextures(const DataSet& set, const std::string& path, const ShaderRecipe& shader)
{
    for (const std::string* name : {&shader.diffuse, &shader.opacity}) {
        if (!name->empty() && !set.Contains(FolderOf(path) + *name))
            Refuse(path, "its texture " + FolderOf(path) + *name + " is not made");
    }
}

} // namespace

std::string ShaderPathBeside(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t folder = path.rfind('\\');
    const bool hasExtension = dot != std::string::npos && (folder == std::string::npos || dot > folder);
    return (hasExtension ? path.substr(0, dot) : path) + ".srf";
}

ShaderData BuildShaderData(const ShaderRecipe& recipe)
{
    ShaderData data;
    if (recipe.blending) {
        data.flags = kAlphaBlending;
        data.sourceBlend = kSourceAlpha;
        data.destinationBlend = kInverseSourceAlpha;
    }
    if (recipe.diffuse.empty())
        return data;
    ShaderStageData stage;
    if (recipe.columns * recipe.rows > 1) {
        stage.animationType = kGridAnimation;
        stage.frameCount = recipe.columns * recipe.rows;
        stage.speed = recipe.speed;
        stage.columns = recipe.columns;
        stage.rows = recipe.rows;
    }
    stage.diffuseName = recipe.diffuse;
    stage.opacityName = recipe.opacity;
    stage.wrapU = recipe.clamp ? 0 : 1;
    stage.wrapV = stage.wrapU;
    data.stages = {stage};
    return data;
}

ModelFileData BuildModelData(const ModelRecipe& recipe)
{
    switch (recipe.shape) {
    case ModelShape::Quad:
        if (!(recipe.max[0] > recipe.min[0] && recipe.max[1] > recipe.min[1]))
            Refuse(recipe.path, "the rectangle is empty");
        return Rectangle(recipe.min, recipe.max);
    case ModelShape::Sprite:
        if (!(recipe.side > 0.0f))
            Refuse(recipe.path, "the side must be above 0");
        return Rectangle({-recipe.side / 2.0f, -recipe.side / 2.0f}, {recipe.side / 2.0f, recipe.side / 2.0f});
    case ModelShape::Path:
        if (recipe.points.size() < 2)
            Refuse(recipe.path, "a path needs two points at least");
        return Path(recipe);
    case ModelShape::Box:
        for (int axis = 0; axis < 3; ++axis) {
            if (!(recipe.high[axis] > recipe.low[axis]))
                Refuse(recipe.path, "the box is empty");
        }
        return Box(recipe);
    }
    Refuse(recipe.path, "unknown shape");
}

void AddTexture(DataSet& set, const TextureRecipe& recipe)
{
    set.Add(recipe.path, PixmapToTga(recipe.paint(), recipe.alpha));
}

void GenerateTextures(DataSet& set)
{
    for (const TextureRecipe& recipe : GameTextureRecipes())
        AddTexture(set, recipe);
}

void AddModelWithShader(DataSet& set, const std::string& path, const ModelFileData& model,
                        const ShaderRecipe& shader)
{
    RequireTextures(set, path, shader);
    set.Add(path, BuildModelFile(model));
    set.Add(ShaderPathBeside(path), BuildShaderFile(BuildShaderData(shader)));
}

void GenerateModels(DataSet& set)
{
    for (const ModelRecipe& recipe : GameModelRecipes())
        AddModelWithShader(set, recipe.path, BuildModelData(recipe), recipe.shader);
}

void AddParticleSystemWithShader(DataSet& set, const ParticleRecipe& recipe)
{
    RequireTextures(set, recipe.path, recipe.shader);
    set.Add(recipe.path, BuildParticleFile(recipe.description));
    set.Add(ShaderPathBeside(recipe.path), BuildShaderFile(BuildShaderData(recipe.shader)));
}

void GenerateParticleSystems(DataSet& set)
{
    for (const ParticleRecipe& recipe : GameParticleRecipes())
        AddParticleSystemWithShader(set, recipe);
}

} // namespace Tools
