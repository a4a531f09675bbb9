#include "game/level/Environment.h"

#include "engine/app/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderUser.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLQuery.h"

namespace Tamrisk {

using namespace Halvard;
using GameTools::XMLNode;
using GameTools::XMLValue;

namespace {

constexpr const char* kFolder = "data\\environment\\";
// Transparent scenery is drawn after the opaque, at a fixed depth when the
// description orders it.
constexpr u32 kTransparentFlags = Model::kSecondList;
constexpr u32 kOrderedFlags = Model::kFixedDepth | Model::kNoDepthWrite;
constexpr float kOrderedDepthBase = -5.0f;
constexpr float kOrderedDepthStep = 0.01f;

bool IsTransparent(const Model& model)
{
    const ShaderUser* shader = model.GetShaderUser();
    return shader != nullptr && (shader->GetFlags() & ShaderDescriptor::kAlphaBlending) != 0;
}

} // namespace

Environment::Environment(Engine* engine, GameTools::DataKeeper* levelData, const std::string& name)
    : modelManager_(engine->GetModelManager()), levelData_(levelData)
{
    GameTools::XMLParser parser(engine);
    XMLNode root;
    const std::string path = kFolder + name + ".xml";
    parser.ParseInto(&root, path);
    const XMLNode* environment = root.GetChild("environment");
    if (environment == nullptr)
        return;
    std::vector<XMLNode*> models;
    environment->GetChildrenByName("model", models);
    // A damaged description is refused before any of its models is made.
    for (const XMLNode* node : models) {
        GameTools::GetXMLAnimationSpeed(node, GameTools::XMLAttributeError("animation_speed", path));
        GameTools::GetXMLInt(node, "depth", 0, GameTools::XMLAttributeError("depth", path));
    }
    for (const XMLNode* node : models)
        AddModel(*node);
}

Environment::~Environment()
{
    for (Model* model : models_)
        modelManager_->DestroyModel(model);
}

void Environment::AddModel(const XMLNode& node)
{
    const XMLValue* name = node.GetAttribute("name");
    if (name == nullptr)
        return;
    Model* model = modelManager_->CopyModel(*levelData_->GetModel(name->GetString()), nullptr, 0);
    if (const XMLValue* shader = node.GetAttribute("shader"))
        model->SetShader(*levelData_->GetShaderUser(shader->GetString()));
    const bool transparent = IsTransparent(*model);
    if (transparent) {
        model->SetFlags(kTransparentFlags);
        if (const XMLValue* depth = node.GetAttribute("depth")) {
            model->SetFlags(kOrderedFlags);
            model->depth = kOrderedDepthBase - static_cast<float>(depth->GetInt()) * kOrderedDepthStep;
        }
    }
    if (const XMLValue* color = node.GetAttribute("color")) {
        // Components the description leaves out stay full.
        float components[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        color->GetFloats(components, 4);
        model->SetColor(Vector4(components[0], components[1], components[2], components[3]));
    }
    // Scenery one sees through is never lit; other scenery unless it says so.
    if (transparent || !GameTools::GetXMLBool(&node, "lighting", true))
        model->ClearFlags(Model::kLit);
    AnimationControl& animation = model->GetAnimationControl();
    animation.looping = 1;
    animation.SetRandomFrame();
    if (const XMLValue* speed = node.GetAttribute("animation_speed"))
        animation.speed = speed->GetFloat();
    animation.Play();
    models_.push_back(model);
}

} // namespace Tamrisk
