#include "engine/render/ModelSpriteServices.h"

#include "engine/core/Error.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ModelSpriteCanvas.h"
#include "engine/render/ShaderDescriptor.h"

namespace Halvard {

ModelSpriteServices::ModelSpriteServices(ModelManager* models) : models_(models) {}

std::unique_ptr<SpriteCanvas> ModelSpriteServices::CreateCanvas(u32 flags, u32 vertexCount, u32 indexCount,
                                                                const ShaderDescriptor* descriptor, Camera* camera,
                                                                bool registered)
{
    Model* model = registered
                       ? models_->CreateModel(flags, vertexCount, indexCount, 1, descriptor, camera)
                       : new Model(models_->GetServices(), flags, vertexCount, indexCount, 1, descriptor, camera);
    return std::make_unique<ModelSpriteCanvas>(models_, model, registered);
}

std::unique_ptr<SpriteCanvas> ModelSpriteServices::CopyCanvas(const SpriteCanvas& source)
{
    const Model* original = source.GetModel();
    return std::make_unique<ModelSpriteCanvas>(models_, models_->CopyModel(*original, original->GetCamera(), 0),
                                               true);
}

// The caller draws with the plain shader when the file cannot be used; the
// descriptor's reader has already said why in the log.
std::shared_ptr<const ShaderDescriptor> ModelSpriteServices::ReadShaderDescriptor(const std::string& path)
{
    const ModelServices& services = models_->GetServices();
    try {
        return std::make_shared<const ShaderDescriptor>(services.messages, services.files, path);
    } catch (const Error&) {
        return nullptr;
    }
}

} // namespace Halvard
