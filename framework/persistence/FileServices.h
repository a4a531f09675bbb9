#pragma once

namespace Halvard {
class Engine;
class FileManager;
class MessageManager;
}

namespace GameFramework {

class SaveTrouble;

// What the save files take of the engine: the log their failures go to and
// the file manager they open files through, and where the player's notice of
// a failure is kept (none: the log alone hears of it). All must outlive the
// user.
struct FileServices {
    Halvard::MessageManager* messages = nullptr;
    Halvard::FileManager* files = nullptr;
    SaveTrouble* trouble = nullptr;

    static FileServices Of(const Halvard::Engine& engine, SaveTrouble* trouble = nullptr);
};

} // namespace GameFramework
