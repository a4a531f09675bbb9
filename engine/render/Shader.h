#pragma once

#include "engine/core/Types.h"
#include "engine/render/ShaderDescriptor.h"

#include <functional>
#include <string>
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

    // Takes the picture files of one frame: the diffuse, and the opacity or
    // empty.
    using FrameVisitor = std::function<void(const std::string& diffuse, const std::string& opacity)>;
    // Hands visit the files of every frame the stage loads, in order, as the
    // shader looks them up: frames are numbered as the stage names them, a
    // missing jpg gives way to its jp2 or bmp. Returns the numbered picture
    // whose absence ends the animation before its frame count, empty when
    // none does. A stage without a texture loads nothing. Those who bound
    // what a shader costs count through this, before any picture is loaded.
    static std::string VisitFrames(FileManager* files, const ShaderTextureStage& stage, const FrameVisitor& visit);

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

    MessageManager* messages_;
    FileManager* files_;
    Config* config_;
    RenderSystem* renderSystem_;
    TextureManager* textures_;
    std::vector<std::vector<Texture2D*>> stages_;
    i32 useCount_ = 0;
};

} // namespace Halvard
