#pragma once

#include "engine/app/Engine.h"
#include "engine/render/ModelManager.h"
#include "engine/sound/SoundManager.h"
#include "framework/sound/SoundSet.h"
#include "game/LevelRecord.h"
#include "game/StageRecord.h"
#include "game/data/GameLogicData.h"
#include "game/level/Effects.h"
#include "game/objects/GameGeometry.h"
#include "game/objects/Block.h"
#include "game_tools/DataKeeper.h"
#include "tools/LevelGeometryWriter.h"
#include "tools/ModelWriter.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/TempFolder.h"
#include "tests/support/game/TestLevelFile.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace Testing {

// A fake engine started as it is made, so that the members after it can use
// it.
struct StartedFakeEngine : FakeEngine {
    StartedFakeEngine() { Start(); }
};

// A box of the given corners in every one of its frames, played at the speed
// in frames a second: enough for an object whose logic waits for its
// animations to end.
inline Tools::ModelFileData AnimatedBox(std::uint32_t frames, float speed, const Tools::Float3& min = {-1, -1, -1},
                                        const Tools::Float3& max = {1, 1, 1})
{
    const Tools::ModelFileData box = Tools::MakeBoxModelData(min, max);
    Tools::ModelFileData data = box;
    data.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
    data.frameCount = frames;
    data.speed = speed;
    data.vertices.clear();
    data.bounds.clear();
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        data.vertices.insert(data.vertices.end(), box.vertices.begin(), box.vertices.end());
        data.bounds.push_back(box.bounds.front());
    }
    return data;
}

// Lists a box of the given corners, made in memory, in the keeper under the
// resource name.
inline void AddBoxModel(Halvard::Engine& engine, GameTools::DataKeeper& keeper, const std::string& resource,
                        const Halvard::Vector3& min, const Halvard::Vector3& max)
{
    const float lo[3] = {min.x, min.y, min.z};
    const float hi[3] = {max.x, max.y, max.z};
    keeper.AddModel(resource, engine.GetModelManager()->NewModelFromArrays(lo, hi, nullptr, nullptr, 0));
}

// Writes the model below the data folder and lists it in the keeper under the
// resource name, as a resource list would.
inline void AddModelResource(Halvard::Engine& engine, const TempFolder& folder, GameTools::DataKeeper& keeper,
                             const std::string& resource, const Tools::ModelFileData& data)
{
    std::string stem = resource;
    std::replace(stem.begin(), stem.end(), '/', '_');
    const std::string file = "test_models\\" + stem + ".mlf";
    const std::vector<std::uint8_t> bytes = Tools::BuildModelFile(data);
    folder.WriteFile("data\\" + file, std::string(bytes.begin(), bytes.end()));
    keeper.AddModel(resource, engine.GetModelManager()->NewModelFromFile(file, nullptr, 0));
}

// A level of 2 x 2 x 2 boxes standing on the field (z 0 to 2) at the given x
// and y, built from a written level file as the game builds one. Made after
// the effects list, deleted before it.
class BlockLevel {
public:
    BlockLevel(Halvard::Engine& engine, const TempFolder& folder, GameTools::DataKeeper& interfaceData,
               Tamrisk::Effects& effects, const std::vector<Halvard::Vector2>& places)
    {
        folder.WriteFile("data\\game_objects\\blocks\\box.xml", "<box/>\n");
        std::vector<Tools::LevelBlock> blocks;
        for (const Halvard::Vector2& place : places) {
            Tools::LevelBlock block;
            block.name = "box";
            block.keyFrames = {Tools::LevelBlockKeyFrame{{place.x, place.y, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}}};
            blocks.push_back(block);
        }
        level_.geometryFile = WriteTestLevel(folder, std::move(blocks));
        data_ = std::make_unique<Tamrisk::GameLogicData>(&engine, "en", &stage_, &level_);
        data_->Load();
        geometry_ = std::make_unique<Tamrisk::GameGeometry>(&engine, &interfaceData, data_.get(), &effects, nullptr,
                                                            nullptr);
        geometry_->BuildBlocks(nullptr, nullptr);
        for (Tamrisk::Block* block : geometry_->GetBlocks())
            blocks_.push_back(block);
    }

    Tamrisk::GameGeometry& Geometry() { return *geometry_; }
    // The blocks as built, by place; a destroyed block stays readable until
    // the geometry's next update removes it, so tests read IsAlive before.
    Tamrisk::Block& At(std::size_t index) { return *blocks_.at(index); }
    // Which of the blocks as built the geometry still holds alive.
    std::vector<bool> Alive() const
    {
        std::vector<bool> alive;
        for (Tamrisk::Block* block : blocks_) {
            const auto& held = geometry_->GetBlocks();
            alive.push_back(std::find(held.begin(), held.end(), block) != held.end() && block->IsAlive());
        }
        return alive;
    }

private:
    Tamrisk::StageRecord stage_;
    Tamrisk::LevelRecord level_;
    std::unique_ptr<Tamrisk::GameLogicData> data_;
    std::unique_ptr<Tamrisk::GameGeometry> geometry_;
    std::vector<Tamrisk::Block*> blocks_;
};

// The game's sound set on the fake sound device with one copy of each listed
// effect, and how often each has started.
class SoundCounter {
public:
    SoundCounter(FakeEngine& engine, std::vector<Halvard::u32> ids) : engine_(engine), ids_(std::move(ids))
    {
        set = std::make_unique<GameFramework::SoundSet>(&engine.Get(), 0.5f, 0.5f);
        for (Halvard::u32 id : ids_)
            set->AddSound(id, "", false, 1);
    }

    // Device starts of the effect, after the queued requests have run. The
    // device's buffers are made in the order the effects were added.
    int Plays(Halvard::u32 id)
    {
        engine_->GetSoundManager()->Update(true);
        for (std::size_t i = 0; i < ids_.size(); ++i) {
            if (ids_[i] == id) {
                const FakeAudioBuffer* buffer = engine_.audio.Buffer(static_cast<std::uint32_t>(i));
                return buffer->CountCalls("Play 0") + buffer->CountCalls("Play 1");
            }
        }
        return 0;
    }

    std::unique_ptr<GameFramework::SoundSet> set;

private:
    FakeEngine& engine_;
    std::vector<Halvard::u32> ids_;
};

} // namespace Testing
