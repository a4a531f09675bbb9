#pragma once

namespace Halvard {

class Camera;
class Controls;
class MessageManager;
class ModelManager;
class Window;

// What a GUI cursor borrows from the engine; everything must outlive it.
struct GUICursorServices {
    MessageManager* messages = nullptr;
    Window* window = nullptr;
    ModelManager* models = nullptr;
    Controls* controls = nullptr;
    // The GUI camera: its orthographic extent is the GUI space.
    Camera* camera = nullptr;
};

} // namespace Halvard
