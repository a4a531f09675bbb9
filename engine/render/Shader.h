#pragma once

#include "engine/core/Types.h"
#include "engine/render/ShaderDescriptor.h"

#include <vector>

namespace Halvard {

class Config;
class FileManager;
class MessageManager;
class RenderSystem;
class ShaderUser;
class Texture2D;
class TextureManager;

// The textures of one shader description, shared by every ShaderUser whose
// description compares equal, and applied through the render system's
// cached states. Its users count it; the last one to go deletes it, which
// hands the textures back to the texture manager.
class Shader {
public:
    Shader(MessageManager* messages, FileManager* files, Config* config, RenderSystem* renderSystem,
           TextureManager* textures, const ShaderDescriptor& descriptor);
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;
    virtual ~Shader();

    // Blending and every stage of the user; the device's further stages are
    // left without a texture.
    void Apply(const ShaderUser& user);

    u32 GetStageCount() const { return static_cast<u32>(stages_.size()); }
    // Null when the stage has no texture or the frame does not exist.
    Texture2D* GetFrame(u32 stage, u32 frame) const;
    // A numbered animation holds the frames loaded before its first missing
    // numbered picture, at least one.
    u32 GetFrameCount(u32 stage) const { return static_cast<u32>(stages_[stage].size()); }

    i32 GetUseCount() const { return useCount_; }
    void AddUse() { ++useCount_; }
    // The count left.
    i32 RemoveUse() { return --useCount_; }

private:
    void LoadStage(const ShaderTextureStage& stage);
    std::string FindTextureFile(const std::string& name) const;
    // Empty names are not looked for.
    std::string MissingPicture(const std::string& diffuse, const std::string& opacity) const;

    MessageManager* messages_;
    FileManager* files_;
    Config* config_;
    RenderSystem* renderSystem_;
    TextureManager* textures_;
    std::vector<std::vector<Texture2D*>> stages_;
    i32 useCount_ = 0;
};

} // namespace Halvard
