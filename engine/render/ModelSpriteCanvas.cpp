#include "engine/render/ModelSpriteCanvas.h"

#include "engine/render/Camera.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"

namespace Halvard {

ModelSpriteCanvas::ModelSpriteCanvas(ModelManager* models, Model* model, bool registered)
    : models_(models), model_(model), registered_(registered)
{
}

ModelSpriteCanvas::~ModelSpriteCanvas()
{
    if (registered_)
        models_->DestroyModel(model_);
    else
        delete model_;
}

SpriteView ModelSpriteCanvas::GetView() const
{
    const Camera& camera = *model_->GetCamera();
    // The camera looks along its own -z axis.
    return SpriteView{camera.position, camera.GetRight(), camera.GetUp(), -camera.GetZAxis()};
}

VertexBuffer* ModelSpriteCanvas::GetVertexBuffer() const { return &model_->GetVertexBuffer(); }

IndexBuffer* ModelSpriteCanvas::GetIndexBuffer() const { return &model_->GetIndexBuffer(); }

u32 ModelSpriteCanvas::GetFlags() const { return model_->GetFlags(); }

void ModelSpriteCanvas::SetFlags(u32 flags) { model_->SetFlags(flags); }

void ModelSpriteCanvas::ClearFlags(u32 flags) { model_->ClearFlags(flags); }

void ModelSpriteCanvas::SetShader(const ShaderDescriptor* descriptor)
{
    model_->SetShader(descriptor != nullptr ? *descriptor : MakeDefaultShaderDescriptor());
}

ShaderUser* ModelSpriteCanvas::GetShaderUser() const { return model_->GetShaderUser(); }

} // namespace Halvard
