#include "game_tools/LoadCost.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/Image.h"
#include "engine/core/PathUtils.h"
#include "engine/render/Shader.h"
#include "engine/render/ShaderDescriptor.h"

#include <algorithm>
#include <optional>

namespace GameTools {

using namespace Halvard;

LoadCost::LoadCost(FileManager* files, u64 bound, const std::string& what, const std::string& file)
    : files_(files), bound_(bound),
      refusal_("Incorrect " + what + " more than " + std::to_string(bound) + " bytes once loaded" +
               (file.empty() ? std::string() : " in \"" + file + "\""))
{
}

void LoadCost::AddShader(const ShaderDescriptor& shader)
{
    for (u32 i = 0; i < shader.GetStageCount(); ++i) {
        Shader::VisitFrames(files_, shader.GetStage(i), [&](const std::string& diffuse, const std::string& opacity) {
            AddFile(diffuse, true);
            if (!opacity.empty())
                AddFile(opacity, true);
        });
    }
}

void LoadCost::AddModelFile(const std::string& file)
{
    if (!AddFile(MakeDataPath(file), false))
        return;
    std::string path = file;
    SetFileExtension(path, "srf");
    std::optional<ShaderDescriptor> shader;
    try {
        shader.emplace(nullptr, files_, path);
    } catch (const Error&) {
        return;
    }
    AddShader(*shader);
}

bool LoadCost::AddFile(const std::string& path, bool picture)
{
    u32 size = 0;
    if (!files_->GetFileSize(path, size))
        return false;
    u64 bytes = size;
    u64 decoded = 0;
    if (picture)
        bytes = std::max({bytes, kLeastPictureBytes, Image::PeekByteSize(files_, path, decoded) ? decoded : 0});
    Add(bytes);
    return true;
}

void LoadCost::Add(u64 bytes)
{
    total_ += bytes;
    if (total_ > bound_)
        throw FileError(refusal_);
}

} // namespace GameTools
