#include "engine/render/Shader.h"

#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderUser.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"

#include <algorithm>

namespace Halvard {

Shader::Shader(MessageManager* messages, FileManager* files, Config* config, RenderSystem* renderSystem,
               TextureManager* textures, const ShaderDescriptor& descriptor)
    : messages_(messages), files_(files), config_(config), renderSystem_(renderSystem), textures_(textures)
{
    for (u32 i = 0; i < descriptor.GetStageCount(); ++i)
        LoadStage(descriptor.GetStage(i));
}

Shader::~Shader()
{
    for (const std::vector<Texture2D*>& frames : stages_) {
        for (Texture2D* texture : frames)
            textures_->ReleaseTexture(texture);
    }
}

namespace {

u32 StageFrames(const ShaderTextureStage& stage)
{
    return ShaderTextureStage::IsNumbered(stage.animationType) ? std::max(stage.frameCount, 1u) : 1u;
}

// A jpg that is not there may have been shipped as jp2 or bmp.
std::string FindTextureFile(FileManager* files, const std::string& name)
{
    if (GetFileExtension(name) != "jpg" || files->FileExists(name))
        return name;
    for (const char* extension : {"jp2", "bmp"}) {
        std::string other = name;
        SetFileExtension(other, extension);
        if (files->FileExists(other))
            return other;
    }
    return name;
}

// The first of the names given that the data lacks; empty when every one
// given is there. Empty names are not looked for.
std::string MissingPicture(FileManager* files, const std::string& diffuse, const std::string& opacity)
{
    for (const std::string* name : {&diffuse, &opacity}) {
        if (!name->empty() && !files->FileExists(*name))
            return *name;
    }
    return std::string();
}

} // namespace

// A numbered animation of no frames still has one frame to bind. Frames are
// loaded up to the first whose numbered picture is missing: an unfinished or
// damaged animation costs one error line, not a lookup, a line and a
// placeholder for every frame it promised; its users loop over the frames
// found. A missing companion picture that is not numbered ends nothing: each
// frame shows the texture manager's stand-in for it.
std::string Shader::VisitFrames(FileManager* files, const ShaderTextureStage& stage, const FrameVisitor& visit)
{
    if ((stage.flags & ShaderTextureStage::kNoTexture) != 0)
        return std::string();
    const u32 frames = StageFrames(stage);
    const u32 digits = FrameDigits(frames);
    const bool numbersDiffuse = ShaderTextureStage::NumbersDiffuse(stage.animationType);
    const bool numbersOpacity = ShaderTextureStage::NumbersOpacity(stage.animationType);
    for (u32 k = 0; k < frames; ++k) {
        std::string diffuse = numbersDiffuse ? NumberedName(stage.diffuseName, k, digits) : stage.diffuseName;
        std::string opacity = numbersOpacity ? NumberedName(stage.opacityName, k, digits) : stage.opacityName;
        diffuse = FindTextureFile(files, ToLower(MakeDataPath(diffuse)));
        if (!opacity.empty())
            opacity = FindTextureFile(files, ToLower(MakeDataPath(opacity)));
        const std::string missing =
            frames > 1 ? MissingPicture(files, numbersDiffuse ? diffuse : std::string(),
                                        numbersOpacity ? opacity : std::string())
                       : std::string();
        if (!missing.empty() && k > 0)
            return missing;
        // The first frame always binds a texture: the texture manager's
        // placeholder, which it logs, when the picture is missing.
        visit(diffuse, opacity);
        if (!missing.empty())
            return std::string();
    }
    return std::string();
}

void Shader::LoadStage(const ShaderTextureStage& stage)
{
    std::vector<Texture2D*>& loaded = stages_.emplace_back();
    if ((stage.flags & ShaderTextureStage::kNoTexture) != 0) {
        loaded.assign(StageFrames(stage), nullptr);
        return;
    }
    const bool mipMapping = (stage.flags & ShaderTextureStage::kMipMapping) != 0;
    const std::string missing = VisitFrames(files_, stage, [&](const std::string& diffuse, const std::string& opacity) {
        loaded.push_back(textures_->GetTexture(mipMapping, diffuse, opacity));
    });
    if (!missing.empty())
        messages_->LogError("(Shader::LoadStage): The animation ends at frame " +
                            UIntToString(static_cast<u32>(loaded.size())) + ", \"" + missing + "\" is missing");
}

Texture2D* Shader::GetFrame(u32 stage, u32 frame) const
{
    if (stage >= stages_.size() || frame >= stages_[stage].size())
        return nullptr;
    return stages_[stage][frame];
}

// A stage without a texture samples linearly: there is no texture to ask
// whether it is mip-mapped. Stages the device lacks are skipped.
void Shader::Apply(const ShaderUser& user)
{
    RenderSystem& render = *renderSystem_;
    if ((user.GetFlags() & ShaderDescriptor::kAlphaBlending) != 0) {
        render.SetAlphaBlend(true);
        render.SetBlend(user.GetSourceBlend(), user.GetDestinationBlend());
    } else {
        render.SetAlphaBlend(false);
    }
    const u32 deviceStages = render.GetTextureStageCount();
    const u32 used = std::min(user.GetStageCount(), deviceStages);
    for (u32 i = 0; i < used; ++i) {
        const ShaderTextureStage& stage = user.GetStage(i);
        Texture2D* texture = GetFrame(i, stage.currentFrame);
        render.SetTexture(i, texture);
        const bool mipMapped = texture != nullptr && texture->IsMipMapped();
        render.SetTextureFilter(i, mipMapped ? RenderSystem::kFilterMipMapped : RenderSystem::kFilterLinear);
        render.SetTextureAdressU(i, stage.wrapU);
        render.SetTextureAdressV(i, stage.wrapV);
        render.SetTextureMatrix(i, stage.scaleU, stage.scaleV, stage.offsetU, stage.offsetV);
    }
    for (u32 i = used; i < deviceStages; ++i)
        render.SetTexture(i, nullptr);
}

} // namespace Halvard
