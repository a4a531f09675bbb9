#pragma once

#include "engine/core/Types.h"
#include "framework/LevelReference.h"
#include "framework/levels/LevelRecordBase.h"
#include "framework/levels/StageRecordBase.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class Engine;
class FileManager;
class MessageManager;
} // namespace Halvard

namespace GameTools {
class XMLNode;
}

namespace GameFramework {

// The stages of the game and the levels of each, read once from
// "data\levels\levels.xml": every child element of "levels" is a stage and
// every child of a stage a level, in document order, whatever their names.
// A game derives it to make its own records and read its own attributes. The
// manager owns every record; the tables do not change once read. Main
// thread only.
class LevelManagerBase {
public:
    static constexpr const char* kLevelsFile = "data\\levels\\levels.xml";

    // Reads nothing: the game's constructor calls LoadLevels once its
    // factories are in place.
    explicit LevelManagerBase(Halvard::Engine* engine);
    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;
    virtual ~LevelManagerBase();

    // Appends the resource lists the level needs to resources.
    virtual void GetLevelResources(const LevelReference& level, std::vector<std::string>& resources) const;
    // Any file fault ends the program: "PROGRAM ABORTING: <text>" in the log
    // and FatalError. Not meant to run twice.
    virtual void LoadLevels();

    Halvard::u32 GetStageCount() const { return static_cast<Halvard::u32>(stages_.size()); }
    Halvard::u32 GetTotalLevelCount() const;
    // Null, or 0 levels, for a stage outside the tables.
    const StageRecordBase* GetStage(Halvard::u32 stage) const;
    Halvard::u32 GetLevelCount(Halvard::u32 stage) const;
    // Null for a reference outside the tables.
    const LevelRecordBase* GetLevel(const LevelReference& level) const;

    // Stages without levels are passed over: the last level is that of the
    // last stage that has any. False for a reference outside the tables.
    bool IsLastLevel(const LevelReference& level) const;
    // The level after this one: the next of its stage, else level 0 of the
    // next stage that has levels; the last level, or a reference outside the
    // tables, is its own next.
    LevelReference GetNextLevel(const LevelReference& level) const;
    // The level before this one: the one before in its stage, else the last
    // of the previous stage that has levels; the first level, or a reference
    // outside the tables, is its own previous.
    LevelReference GetPreviousLevel(const LevelReference& level) const;

protected:
    virtual std::unique_ptr<StageRecordBase> CreateStage() = 0;
    virtual std::unique_ptr<LevelRecordBase> CreateLevel() = 0;
    // The count is set again once the stage's levels are read.
    virtual void ParseStage(StageRecordBase& stage, const GameTools::XMLNode& element);
    virtual void ParseLevel(LevelRecordBase& level, const GameTools::XMLNode& element);

    Halvard::MessageManager* GetMessages() const { return messages_; }

private:
    void ReadTables(const GameTools::XMLNode& levels);
    void ReadStage(Halvard::u32 index, const GameTools::XMLNode& element);

    Halvard::MessageManager* messages_;
    Halvard::FileManager* files_;
    std::vector<std::unique_ptr<StageRecordBase>> stages_;
    std::vector<std::vector<std::unique_ptr<LevelRecordBase>>> levels_;
};

} // namespace GameFramework
