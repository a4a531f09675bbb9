#pragma once

#include "engine/core/Types.h"

namespace Halvard {
class Config;
class Engine;
class MessageManager;
class ModelManager;
class ShaderManager;
class SoundManager;
class TextureManager;
} // namespace Halvard

namespace GameFramework {

// The framework's configuration commands: three debugging commands that
// answer with log lines once a frame, "d_show_statistics" (a saved flag the
// in-game window reads) and "g_update_video_mode", which the frame answers.
// No console exists at run time; code invokes them. Main thread only.
class ConsoleCommands {
public:
    static constexpr const char* kUsedVideoMemory = "d_get_used_video_memory_size";
    static constexpr const char* kManagersOccupation = "d_get_manages_occupation";
    static constexpr const char* kLoadedTextures = "d_get_loaded_textures";
    static constexpr const char* kShowStatistics = "d_show_statistics";
    static constexpr const char* kUpdateVideoMode = "g_update_video_mode";

    // The engine outlives the commands.
    explicit ConsoleCommands(Halvard::Engine* engine);

    // Registers the five variables, "d_show_statistics" bound to the flag,
    // which must outlive the registration.
    void Register(Halvard::u8* showStatistics);
    // Answers each pending debugging command once, marking it handled first.
    void Execute();

private:
    bool TakePending(const char* name);
    void LogUsedVideoMemory();
    void LogManagersOccupation();
    void LogLoadedTextures();

    Halvard::Config* config_;
    Halvard::MessageManager* messages_;
    Halvard::ShaderManager* shaders_;
    Halvard::TextureManager* textures_;
    Halvard::ModelManager* models_;
    // Null when the game runs silent.
    Halvard::SoundManager* sounds_;
};

} // namespace GameFramework
