#pragma once

#include "engine/core/Types.h"
#include "engine/core/ObjectManager.h"
#include "engine/render/Model.h"

#include <string>
#include <vector>

namespace Halvard {

// Makes every model, owns the registered ones (the Create and Copy
// operations) and draws them once a frame: the first list nearest first,
// then the second list farthest first, each sorted stably so that models at
// equal depth keep their registration order. The New operations hand their
// model to the caller. Main thread, except that the New operations may run
// on the loading thread.
class ModelManager {
public:
    ModelManager(MessageManager* messages, FileManager* files, TimerManager* timers, RenderSystem* renderSystem,
                 CameraManager* cameras, LightManager* lights, ShaderManager* shaders);
    ModelManager(const ModelManager&) = delete;
    ModelManager& operator=(const ModelManager&) = delete;
    virtual ~ModelManager();

    Model* NewModelFromArrays(const float* min, const float* max, const ShaderDescriptor* descriptor, Camera* camera,
                              u32 extraFlags);
    Model* CreateModelFromArrays(const float* min, const float* max, const ShaderDescriptor* descriptor,
                                 Camera* camera, u32 extraFlags);
    Model* CreateModel(u32 flags, u32 vertexCount, u32 indexCount, u32 frameCount,
                       const ShaderDescriptor* descriptor, Camera* camera);
    // A file that cannot be read gives a 2 x 2 x 2 box named after it, and
    // the reader's error (naming the file) in the log.
    Model* NewModelFromFile(const std::string& name, Camera* camera, u32 extraFlags);
    Model* CreateModelFromFile(const std::string& name, Camera* camera, u32 extraFlags);
    Model* NewModelCopy(const Model& source, Camera* camera, u32 extraFlags);
    Model* CopyModel(const Model& source, Camera* camera, u32 extraFlags);
    // Deletes a registered model; null and unregistered models are left
    // alone.
    void DestroyModel(Model* model);

    // The scene pass between BeginScene and EndScene; nothing while the
    // device is not ready.
    void Render();
    // Presents the frame when the device is ready.
    void SwapBuffers();

    const ModelServices& GetServices() const { return services_; }
    const ObjectManager<Model>& GetModels() const { return models_; }
    u32 GetPrimitiveCount() const { return primitiveCount_; }
    u32 GetDrawnPrimitiveCount() const { return drawnPrimitiveCount_; }
    u32 GetVisibleModelCount() const { return visibleModelCount_; }
    u32 GetDrawnModelCount() const { return drawnModelCount_; }

private:
    Model* Register(Model* model);
    void CollectModels();

    ModelServices services_;
    ObjectManager<Model> models_;
    std::vector<Model*> firstList_;
    std::vector<Model*> secondList_;
    u32 primitiveCount_ = 0;
    u32 drawnPrimitiveCount_ = 0;
    u32 visibleModelCount_ = 0;
    u32 drawnModelCount_ = 0;
};

} // namespace Halvard
