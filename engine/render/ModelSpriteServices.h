#pragma once

#include "engine/render/SpriteServices.h"

namespace Halvard {

class ModelManager;

// Sprite canvases as models of the model manager, facing their model's
// camera; shader descriptions read through the model manager's log and file
// manager. The model manager must outlive the services and their canvases.
class ModelSpriteServices : public SpriteServices {
public:
    explicit ModelSpriteServices(ModelManager* models);

    std::unique_ptr<SpriteCanvas> CreateCanvas(u32 flags, u32 vertexCount, u32 indexCount,
                                               const ShaderDescriptor* descriptor, Camera* camera,
                                               bool registered) override;
    std::unique_ptr<SpriteCanvas> CopyCanvas(const SpriteCanvas& source) override;
    std::shared_ptr<const ShaderDescriptor> ReadShaderDescriptor(const std::string& path) override;

private:
    ModelManager* models_;
};

} // namespace Halvard
