#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace Tamrisk {
class GameLogicData;
class LevelManager;
} // namespace Tamrisk

namespace Fuzzing {

class EngineBed;

// The first level's data as the game's window flow makes it when the level
// starts: its stage's resource lists queued, not yet loaded.
std::unique_ptr<Tamrisk::GameLogicData> MakeFirstLevelData(EngineBed& bed, const Tamrisk::LevelManager& levels);

// The level data of the first shipped level, loaded the way the game starts
// a level, with the input in place of one of its files (a path given
// relative to the program's folder, or the level's geometry file when the
// path is empty). The check sees what was loaded; a level refused with the
// system's error is an answer.
void ReadLevelData(std::string_view bytes, const std::string& path,
                   const std::function<void(EngineBed&, const Tamrisk::GameLogicData&)>& check);

// The blocks' records keep to what the file could describe: every index
// within the level, and their shaders playing on however far time jumps.
void CheckBlockRecords(EngineBed& bed, const Tamrisk::GameLogicData& data, std::size_t fileBytes);

} // namespace Fuzzing
