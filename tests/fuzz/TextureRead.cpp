#include "tests/fuzz/TextureRead.h"

#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"

namespace Fuzzing {

void ReadTexture(std::string_view bytes, const std::string& extension)
{
    BedInput input;
    EngineBed& bed = input.Bed();
    const std::string path = "data\\fuzz\\picture." + extension;
    bed.Put(path, bytes);
    Halvard::TextureManager& textures = *bed->GetShaderManager()->GetTextureManager();
    Halvard::Texture2D* texture = textures.GetTexture(true, path, "");
    Check(texture != nullptr, "no texture, not even the checkerboard");
    const Halvard::RenderSystem& render = *bed->GetRenderSystem();
    Check(texture->GetWidth() <= render.GetMaxTextureWidth() && texture->GetHeight() <= render.GetMaxTextureHeight(),
          "a texture beyond the device's limits");
    Check(Halvard::TextureManager::IsPowerOfTwo(texture->GetWidth()) &&
              Halvard::TextureManager::IsPowerOfTwo(texture->GetHeight()),
          "a texture side that is no power of two");
    textures.ReleaseTexture(texture);
}

} // namespace Fuzzing
