#pragma once

#include "engine/core/Types.h"
#include "engine/core/ObjectManager.h"

#include <memory>

namespace Halvard {

class Camera;
class MessageManager;
class ModelManager;
class ShaderDescriptor;
class SpriteGroup;
class SpriteServices;

// Makes sprite groups and rebuilds the registered ones once a frame, before
// the models are drawn. Registered groups belong to the manager until
// DestroySpriteGroup; groups from NewSpriteGroup belong to the caller.
// Main thread only.
class SpriteGroupManager {
public:
    // Groups drawn by models of the model manager, which must outlive the
    // manager and every group it made.
    SpriteGroupManager(MessageManager* messages, ModelManager* models);
    // The services must outlive the manager and every group it made.
    SpriteGroupManager(MessageManager* messages, SpriteServices* services);
    SpriteGroupManager(const SpriteGroupManager&) = delete;
    SpriteGroupManager& operator=(const SpriteGroupManager&) = delete;
    virtual ~SpriteGroupManager();

    // Not registered, and neither is its model: the caller keeps it as a
    // template, and may make it on the loading thread.
    SpriteGroup* NewSpriteGroup(u32 capacity, const ShaderDescriptor* descriptor, Camera* camera);
    SpriteGroup* CreateSpriteGroup(u32 capacity, const ShaderDescriptor* descriptor, Camera* camera);
    SpriteGroup* CopySpriteGroup(const SpriteGroup& source, bool copySprites);
    // Deletes a registered group; null and unregistered groups are left alone.
    void DestroySpriteGroup(SpriteGroup* group);

    // Every registered group, in slot order.
    void Update();

    SpriteServices* GetServices() const { return services_; }
    const ObjectManager<SpriteGroup>& GetGroups() const { return groups_; }

private:
    MessageManager* messages_;
    std::unique_ptr<SpriteServices> ownServices_;
    SpriteServices* services_;
    ObjectManager<SpriteGroup> groups_;
};

} // namespace Halvard
