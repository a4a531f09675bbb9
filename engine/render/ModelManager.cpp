#include "engine/render/ModelManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>
#include <memory>

namespace Halvard {

namespace {

Vector3 FromArray(const float* values) { return Vector3(values[0], values[1], values[2]); }

} // namespace

ModelManager::ModelManager(MessageManager* messages, FileManager* files, TimerManager* timers,
                           RenderSystem* renderSystem, CameraManager* cameras, LightManager* lights,
                           ShaderManager* shaders)
    : services_{messages, files, timers, renderSystem, cameras, lights, shaders}
{
}

// The registered models go with the object table.
ModelManager::~ModelManager() = default;

Model* ModelManager::Register(Model* model)
{
    models_.Add(model);
    return model;
}

Model* ModelManager::NewModelFromArrays(const float* min, const float* max, const ShaderDescriptor* descriptor,
                                        Camera* camera, u32 extraFlags)
{
    return new Model(services_, FromArray(min), FromArray(max), descriptor, camera, extraFlags);
}

Model* ModelManager::CreateModelFromArrays(const float* min, const float* max, const ShaderDescriptor* descriptor,
                                           Camera* camera, u32 extraFlags)
{
    return Register(NewModelFromArrays(min, max, descriptor, camera, extraFlags));
}

Model* ModelManager::CreateModel(u32 flags, u32 vertexCount, u32 indexCount, u32 frameCount,
                                 const ShaderDescriptor* descriptor, Camera* camera)
{
    return Register(new Model(services_, flags, vertexCount, indexCount, frameCount, descriptor, camera));
}

Model* ModelManager::NewModelFromFile(const std::string& name, Camera* camera, u32 extraFlags)
{
    try {
        return new Model(services_, name, camera, extraFlags);
    } catch (const Error& error) {
        // The box keeps the scene going; the log says which file failed.
        services_.messages->LogError(error.GetText());
        const float min[3] = {-1.0f, -1.0f, -1.0f};
        const float max[3] = {1.0f, 1.0f, 1.0f};
        Model* box = NewModelFromArrays(min, max, nullptr, camera, extraFlags);
        box->SetName(name);
        return box;
    }
}

Model* ModelManager::CreateModelFromFile(const std::string& name, Camera* camera, u32 extraFlags)
{
    return Register(NewModelFromFile(name, camera, extraFlags));
}

Model* ModelManager::NewModelCopy(const Model& source, Camera* camera, u32 extraFlags)
{
    return new Model(services_, source, camera, extraFlags);
}

Model* ModelManager::CopyModel(const Model& source, Camera* camera, u32 extraFlags)
{
    return Register(NewModelCopy(source, camera, extraFlags));
}

void ModelManager::DestroyModel(Model* model)
{
    if (models_.Remove(model))
        delete model;
}

void ModelManager::Render()
{
    primitiveCount_ = 0;
    drawnPrimitiveCount_ = 0;
    visibleModelCount_ = 0;
    drawnModelCount_ = 0;
    RenderSystem& render = *services_.renderSystem;
    if (!render.IsDeviceReady())
        return;
    CollectModels();
    std::stable_sort(secondList_.begin(), secondList_.end(),
                     [](const Model* a, const Model* b) { return a->GetSortKey() > b->GetSortKey(); });
    std::stable_sort(firstList_.begin(), firstList_.end(),
                     [](const Model* a, const Model* b) { return a->GetSortKey() < b->GetSortKey(); });
    render.BeginScene();
    for (Model* model : firstList_)
        model->Render();
    for (Model* model : secondList_)
        model->Render();
    render.EndScene();
}

void ModelManager::CollectModels()
{
    firstList_.clear();
    secondList_.clear();
    const std::vector<Model*>& slots = models_.GetObjects();
    firstList_.reserve(slots.size());
    secondList_.reserve(slots.size());
    for (Model* model : slots) {
        if (model == nullptr)
            continue;
        model->Update(true);
        if ((model->GetFlags() & Model::kVisible) == 0)
            continue;
        primitiveCount_ += model->GetPrimitiveCount();
        drawnPrimitiveCount_ += model->GetDrawnPrimitives();
        ++visibleModelCount_;
        if (model->GetDrawnPrimitives() == 0)
            continue;
        ++drawnModelCount_;
        if ((model->GetFlags() & Model::kFirstList) != 0)
            firstList_.push_back(model);
        else
            secondList_.push_back(model);
    }
}

void ModelManager::SwapBuffers()
{
    if (services_.renderSystem->IsDeviceReady())
        services_.renderSystem->SwapBuffers();
}

} // namespace Halvard
