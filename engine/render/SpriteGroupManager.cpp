#include "engine/render/SpriteGroupManager.h"

#include "engine/render/ModelSpriteServices.h"
#include "engine/render/SpriteGroup.h"

namespace Halvard {

SpriteGroupManager::SpriteGroupManager(MessageManager* messages, ModelManager* models)
    : messages_(messages), ownServices_(std::make_unique<ModelSpriteServices>(models)), services_(ownServices_.get())
{
}

SpriteGroupManager::SpriteGroupManager(MessageManager* messages, SpriteServices* services)
    : messages_(messages), services_(services)
{
}

SpriteGroupManager::~SpriteGroupManager() = default;

SpriteGroup* SpriteGroupManager::NewSpriteGroup(u32 capacity, const ShaderDescriptor* descriptor, Camera* camera)
{
    return new SpriteGroup(messages_, services_, capacity, descriptor, camera, false);
}

SpriteGroup* SpriteGroupManager::CreateSpriteGroup(u32 capacity, const ShaderDescriptor* descriptor, Camera* camera)
{
    auto* group = new SpriteGroup(messages_, services_, capacity, descriptor, camera, true);
    groups_.Add(group);
    return group;
}

SpriteGroup* SpriteGroupManager::CopySpriteGroup(const SpriteGroup& source, bool copySprites)
{
    auto* group = new SpriteGroup(source, copySprites);
    groups_.Add(group);
    return group;
}

void SpriteGroupManager::DestroySpriteGroup(SpriteGroup* group)
{
    if (groups_.Remove(group))
        delete group;
}

void SpriteGroupManager::Update()
{
    for (SpriteGroup* group : groups_.GetObjects()) {
        if (group != nullptr)
            group->Update();
    }
}

} // namespace Halvard
