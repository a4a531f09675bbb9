#include "game/data/StartPicture.h"

#include "engine/core/PathUtils.h"
#include "engine/render/ShaderDescriptor.h"
#include "game_tools/LoadCost.h"

namespace Tamrisk {

void StartPicture::Check(Halvard::FileManager* files, const std::string& diffuse, const std::string& opacity)
{
    for (const std::string& picture : {diffuse, opacity}) {
        if (picture.empty())
            continue;
        GameTools::LoadCost cost(files, kMostBytes, "start picture: it takes", Halvard::MakeDataPath(picture));
        cost.AddShader(Halvard::MakeShaderDescriptor(picture, "", true));
    }
}

} // namespace Tamrisk
