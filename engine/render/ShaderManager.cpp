#include "engine/render/ShaderManager.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/TextureManager.h"

namespace Halvard {

ShaderManager::ShaderManager(MessageManager* messages, FileManager* files, TimerManager* timers, Config* config,
                             RenderSystem* renderSystem)
    : messages_(messages), files_(files), timers_(timers), config_(config), renderSystem_(renderSystem),
      textures_(std::make_unique<TextureManager>(messages, files, renderSystem))
{
}

// The users go first: the last user of each shader hands its textures back
// to the texture manager.
ShaderManager::~ShaderManager()
{
    users_.clear();
    textures_.reset();
}

ShaderUser* ShaderManager::CreateShaderUser(const ShaderDescriptor& descriptor)
{
    Shader* shader = nullptr;
    const auto [first, last] = users_.equal_range(descriptor.GetHash());
    for (auto entry = first; entry != last && shader == nullptr; ++entry) {
        if (*entry->second == descriptor)
            shader = entry->second->GetShader();
    }
    if (shader == nullptr) {
        shader = new Shader(messages_, files_, config_, renderSystem_, textures_.get(), descriptor);
        ++shaderCount_;
    }
    auto user = std::make_unique<ShaderUser>(messages_, timers_, shader, descriptor);
    ShaderUser* made = user.get();
    users_.emplace(descriptor.GetHash(), std::move(user));
    return made;
}

ShaderUser* ShaderManager::CreateShaderUserFromFile(const std::string& path)
{
    std::unique_ptr<ShaderDescriptor> descriptor;
    try {
        descriptor = std::make_unique<ShaderDescriptor>(messages_, files_, path);
    } catch (const Error&) {
        descriptor = std::make_unique<ShaderDescriptor>(0);
    }
    return CreateShaderUser(*descriptor);
}

void ShaderManager::RemoveShaderUser(ShaderUser* user)
{
    if (user == nullptr)
        return;
    const auto [first, last] = users_.equal_range(user->GetHash());
    for (auto entry = first; entry != last; ++entry) {
        if (entry->second.get() != user)
            continue;
        if (user->GetShader()->GetUseCount() == 1)
            --shaderCount_;
        users_.erase(entry);
        return;
    }
    messages_->LogFatal("Shader Manager: Failed to remove shader");
}

void ShaderManager::Update()
{
    for (auto& entry : users_)
        entry.second->Update();
}

} // namespace Halvard
