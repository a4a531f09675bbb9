#include "game/data/StartPicture.h"

#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/render/ShaderDescriptor.h"
#include "game_tools/LoadCost.h"

namespace Tamrisk {

void StartPicture::Check(Halvard::FileManager* files, const std::string& diffuse, const std::string& opacity)
{
    for (const std::string& picture : {diffuse, opacity}) {
        if (picture.empty())
            continue;
        GameTools::LoadCost cost(files, kMostBytes,
                                 "Incorrect start picture: it takes more than " +
                                     Halvard::UIntToString(static_cast<Halvard::u32>(kMostBytes)) +
                                     " bytes once loaded in \"" + Halvard::MakeDataPath(picture) + "\"");
        cost.AddShader(Halvard::MakeShaderDescriptor(picture, "", true));
    }
}

} // namespace Tamrisk
