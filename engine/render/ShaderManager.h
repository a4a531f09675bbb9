#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace Halvard {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderUser;
class TextureManager;
class TimerManager;

// Makes shader users, shares one Shader among users whose descriptions
// compare equal, and animates every user once a frame. Owns the texture
// manager and every user it made. Users may be made on the loading thread
// while the main thread leaves the manager alone.
class ShaderManager {
public:
    ShaderManager(MessageManager* messages, FileManager* files, TimerManager* timers, Config* config,
                  RenderSystem* renderSystem);
    ShaderManager(const ShaderManager&) = delete;
    ShaderManager& operator=(const ShaderManager&) = delete;
    virtual ~ShaderManager();

    TextureManager* GetTextureManager() const { return textures_.get(); }

    ShaderUser* CreateShaderUser(const ShaderDescriptor& descriptor);
    // A file that cannot be read gives the plain shader: no texture, no
    // blending.
    ShaderUser* CreateShaderUserFromFile(const std::string& path);
    // Null is ignored; a user the manager does not hold is a fatal error.
    void RemoveShaderUser(ShaderUser* user);
    void Update();

    u32 GetShaderCount() const { return shaderCount_; }
    u32 GetShaderUserCount() const { return static_cast<u32>(users_.size()); }

private:
    MessageManager* messages_;
    FileManager* files_;
    TimerManager* timers_;
    Config* config_;
    RenderSystem* renderSystem_;
    std::unique_ptr<TextureManager> textures_;
    std::unordered_multimap<i32, std::unique_ptr<ShaderUser>> users_;
    u32 shaderCount_ = 0;
};

} // namespace Halvard
