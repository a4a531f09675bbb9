#pragma once

namespace Halvard {

class Config;
class Controls;
class GUIManager;
class MessageManager;
class ShaderManager;
class TimerManager;

// The engine's services a console works with; all of them must outlive it.
// The shader manager may be null.
struct ConsoleServices {
    MessageManager* messages = nullptr;
    TimerManager* timers = nullptr;
    Config* config = nullptr;
    Controls* controls = nullptr;
    ShaderManager* shaders = nullptr;
    GUIManager* gui = nullptr;
};

} // namespace Halvard
