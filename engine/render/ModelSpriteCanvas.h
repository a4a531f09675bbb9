#pragma once

#include "engine/render/SpriteCanvas.h"

namespace Halvard {

class ModelManager;

// One model that draws a sprite group's quads. A registered model goes back
// to the model manager with the canvas; an unregistered one is the canvas's
// own.
class ModelSpriteCanvas : public SpriteCanvas {
public:
    ModelSpriteCanvas(ModelManager* models, Model* model, bool registered);
    ModelSpriteCanvas(const ModelSpriteCanvas&) = delete;
    ModelSpriteCanvas& operator=(const ModelSpriteCanvas&) = delete;
    ~ModelSpriteCanvas() override;

    // The model's camera as its last update left it.
    SpriteView GetView() const override;
    VertexBuffer* GetVertexBuffer() const override;
    IndexBuffer* GetIndexBuffer() const override;

    u32 GetFlags() const override;
    void SetFlags(u32 flags) override;
    void ClearFlags(u32 flags) override;

    // Null is the plain shader.
    void SetShader(const ShaderDescriptor* descriptor) override;
    ShaderUser* GetShaderUser() const override;
    Model* GetModel() const override { return model_; }

private:
    ModelManager* models_;
    Model* model_;
    bool registered_;
};

} // namespace Halvard
