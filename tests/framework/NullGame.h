#pragma once

#include "engine/core/Error.h"
#include "framework/GameBase.h"
#include "framework/cursor/GUIGameCursorBase.h"
#include "framework/levels/LevelManagerBase.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/FrameworkWindowList.h"
#include "framework/windows/FrameworkWindows.h"
#include "game_tools/DataKeeper.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace Testing {

// What a run did, in the order it happened: each line goes to stderr, where
// the loader's message box is echoed too, so the order of "game deleted" and
// the box shows.
inline void Say(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

// Tells when the game it belongs to is gone, however the game went: a
// member of a game whose constructor throws is destroyed all the same.
struct DeletionWitness {
    ~DeletionWitness() { Say("game deleted"); }
};

// How a NullGame fails: not at all (its frames must not run), in its
// constructor, or in its first frame.
enum class Failure { kNone, kFileErrorInConstruction, kErrorInFrame, kStdExceptionInFrame, kIntInFrame };

// An application object without start-up, so without an engine: what its
// constructor works out (registry, folders) can be read, and its frames only
// fail as the test asks. Its window factories only note which window was
// asked for; the others are never called.
class NullGame : public GameFramework::GameBase {
public:
    explicit NullGame(Failure failure, Halvard::u32 version = 1)
        : GameBase("TestMaker", "TestTitle", version), failure_(failure)
    {
        if (failure_ == Failure::kFileErrorInConstruction)
            throw Halvard::FileError("Can't open file data\\ui\\fonts\\fonts_basic.xml");
    }

    void Update() override
    {
        switch (failure_) {
        case Failure::kErrorInFrame:
            throw Halvard::FatalError("Texture manager is full");
        case Failure::kStdExceptionInFrame:
            throw std::runtime_error("not the system's");
        default:
            throw 7;
        }
    }

    std::unique_ptr<GameTools::DataKeeper> CreateGameLogicData(const GameFramework::StageRecordBase*,
                                                               const GameFramework::LevelRecordBase*) override
    {
        return nullptr;
    }
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageRecordBase*,
                                                                  const GameFramework::LevelRecordBase*,
                                                                  Halvard::u32) override
    {
        return nullptr;
    }

    // The names of the windows whose factories were called, in order.
    std::vector<std::string> madeWindows;

protected:
    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override { return nullptr; }
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override { return nullptr; }
    std::unique_ptr<GameTools::DataKeeper> CreateGameData() override { return nullptr; }
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override { return nullptr; }
#define NULL_WINDOW(Base, member, Stem, name, ...)                                                                    \
    std::unique_ptr<GameFramework::Base> Create##Stem##Window() override { return Note(name); }
    FRAMEWORK_WINDOWS(NULL_WINDOW)
#undef NULL_WINDOW

private:
    std::nullptr_t Note(const char* window)
    {
        madeWindows.push_back(window);
        return nullptr;
    }

    DeletionWitness witness_;
    Failure failure_;
};

} // namespace Testing
