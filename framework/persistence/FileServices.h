#pragma once

namespace Halvard {
class Engine;
class FileManager;
class MessageManager;
}

namespace GameFramework {

// What the save files take of the engine: the log their failures go to and
// the file manager they open files through. Both must outlive the user.
struct FileServices {
    Halvard::MessageManager* messages = nullptr;
    Halvard::FileManager* files = nullptr;

    static FileServices Of(const Halvard::Engine& engine);
};

} // namespace GameFramework
