#include "framework/ConsoleCommands.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureManager.h"
#include "engine/sound/SoundManager.h"

#include <vector>

namespace GameFramework {

using Halvard::Config;
using Halvard::UIntToString;

ConsoleCommands::ConsoleCommands(Halvard::Engine* engine)
    : config_(engine->GetConfig()),
      messages_(engine->GetMessageManager()),
      shaders_(engine->GetShaderManager()),
      textures_(engine->GetShaderManager()->GetTextureManager()),
      models_(engine->GetModelManager()),
      sounds_(engine->GetSoundManager())
{
}

void ConsoleCommands::Register(Halvard::u8* showStatistics)
{
    config_->AddVariable(kUsedVideoMemory, Config::kCommand, {}, nullptr, "");
    config_->AddVariable(kManagersOccupation, Config::kCommand, {}, nullptr, "");
    config_->AddVariable(kLoadedTextures, Config::kCommand, {}, nullptr, "");
    config_->AddVariable(kShowStatistics, Config::kBoolean, {.saved = true}, showStatistics, "0");
    config_->AddVariable(kUpdateVideoMode, Config::kCommand, {}, nullptr, "");
}

void ConsoleCommands::Execute()
{
    if (TakePending(kUsedVideoMemory))
        LogUsedVideoMemory();
    if (TakePending(kManagersOccupation))
        LogManagersOccupation();
    if (TakePending(kLoadedTextures))
        LogLoadedTextures();
}

bool ConsoleCommands::TakePending(const char* name)
{
    if (config_->IsCommandHandled(name))
        return false;
    config_->SetCommandHandled(name, true);
    return true;
}

void ConsoleCommands::LogUsedVideoMemory()
{
    const float megabytes = static_cast<float>(textures_->GetUsedVideoMemorySize()) / 1048576.0f;
    messages_->LogMessage("Video Memory Used: " + Halvard::FloatToString(megabytes, 2) + " Mb");
}

void ConsoleCommands::LogManagersOccupation()
{
    const Halvard::u32 sounds = sounds_ != nullptr ? sounds_->GetSoundCount() : 0;
    messages_->LogMessage("Shader users count: " + UIntToString(shaders_->GetShaderUserCount()));
    messages_->LogMessage("Shaders count: " + UIntToString(shaders_->GetShaderCount()));
    messages_->LogMessage("Textures count: " + UIntToString(textures_->GetTextureCount()));
    messages_->LogMessage("Models count: " + UIntToString(models_->GetModels().GetCount()));
    messages_->LogMessage("Sounds count: " + UIntToString(sounds));
}

void ConsoleCommands::LogLoadedTextures()
{
    std::vector<Halvard::Texture2D*> loaded;
    textures_->GetLoadedTextures(loaded);
    for (size_t index = 0; index < loaded.size(); ++index)
        messages_->LogMessage("Texture " + UIntToString(static_cast<Halvard::u32>(index)) + ": " +
                              loaded[index]->GetKey());
}

} // namespace GameFramework
