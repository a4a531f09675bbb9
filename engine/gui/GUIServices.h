#pragma once

namespace Halvard {

class Camera;
class Controls;
class FileManager;
class GUIFontManager;
class GUISoundManager;
class GUITextManager;
class MessageManager;
class ModelManager;
class ShaderManager;
class TimerManager;
class Window;

// What every widget borrows from the engine and the GUI manager; all of it
// must outlive the widget. The GUI manager hands out one such record. A
// widget made outside the manager (in a test) may leave out what it never
// reaches: without a model manager it has no picture, without a text
// manager keyed texts stay as queued, without a sound manager it is silent.
struct GUIServices {
    MessageManager* messages = nullptr;
    FileManager* files = nullptr;
    Window* window = nullptr;
    TimerManager* timers = nullptr;
    ShaderManager* shaders = nullptr;
    ModelManager* models = nullptr;
    Controls* controls = nullptr;
    GUIFontManager* fonts = nullptr;
    GUITextManager* texts = nullptr;
    GUISoundManager* sounds = nullptr;
    // The GUI camera: its orthographic extent is the GUI space.
    Camera* camera = nullptr;
};

} // namespace Halvard
