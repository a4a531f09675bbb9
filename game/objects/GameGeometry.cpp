#include "game/objects/GameGeometry.h"

#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/render/AnimationControl.h"
#include "game/data/GameLogicData.h"
#include "game/objects/BallKeeper.h"
#include "game/objects/Block.h"
#include "game/objects/Brick.h"
#include "game/objects/ExplosionManager.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"

#include <algorithm>
#include <map>

namespace Tamrisk {

using Halvard::u32;

namespace {

// Brick kind bits that make a brick count towards finishing the level.
constexpr u32 kCountingKinds = 1 | 2 | 16;

template <typename T>
bool EraseFrom(std::vector<T*>& list, const T* item)
{
    auto found = std::find(list.begin(), list.end(), item);
    if (found == list.end())
        return false;
    list.erase(found);
    return true;
}

} // namespace

GameGeometry::GameGeometry(Halvard::Engine* engine, GameTools::DataKeeper* interfaceData, GameLogicData* levelData,
                           Effects* effects, GameFramework::ScoreKeeper* scoreKeeper,
                           GameFramework::SoundSet* soundSet)
    : engine_(engine)
    , interfaceData_(interfaceData)
    , levelData_(levelData)
    , effects_(effects)
    , scoreKeeper_(scoreKeeper)
    , soundSet_(soundSet)
    , explosions_(std::make_unique<ExplosionManager>(engine, levelData, effects))
{
}

GameGeometry::~GameGeometry()
{
    for (Block* block : blocks_)
        delete block;
    explosions_.reset();
    animation_.reset();
}

bool GameGeometry::CountsForCompletion(u32 brickKindFlags) { return (brickKindFlags & kCountingKinds) != 0; }

Block* GameGeometry::AddBlock(const BlockRecord* record)
{
    const BlockContext context{engine_, interfaceData_, levelData_, effects_, this};
    Block* block = nullptr;
    if (GameTools::GetXMLString(record->description, "type") == "ball_keeper") {
        block = new BallKeeper(context, record->description, record, balls_, scoreKeeper_, soundSet_);
        ballKeepers_.push_back(block);
    } else {
        block = new Brick(context, record->description, record, soundSet_, scoreKeeper_, bonuses_);
        bricks_.push_back(block);
        if (CountsForCompletion(block->GetKindFlags()))
            ++blocksToDestroy_;
    }
    blocks_.push_back(block);
    return block;
}

void GameGeometry::BuildBlocks(BonusManager* bonuses, BallManager* balls)
{
    bonuses_ = bonuses;
    balls_ = balls;
    blocksToDestroy_ = 0;
    for (const std::unique_ptr<BlockRecord>& record : levelData_->GetBlockRecords())
        AddBlock(record.get());
    BuildExplosionGroups();
    LinkStacks();
    animation_ = std::make_unique<Halvard::AnimationControl>(engine_->GetMessageManager(), engine_->GetTimerManager(),
                                                             0, std::max<u32>(levelData_->GetKeyFrameCount(), 1));
    animation_->looping = 1;
    animation_->speed = 0.0f;
    animation_->Play();
    for (Block* block : blocks_)
        block->UpdateTransform();
    for (Block* block : blocks_)
        block->Spawn();
    initialBlocksToDestroy_ = blocksToDestroy_;
    engine_->GetMessageManager()->LogMessage("...Blocks count: " + Halvard::UIntToString(static_cast<u32>(blocks_.size())));
}

void GameGeometry::BuildExplosionGroups()
{
    std::vector<const GameTools::XMLNode*> kinds;
    std::map<const GameTools::XMLNode*, u32> users;
    for (Block* block : blocks_) {
        if (users[block->GetDescription()]++ == 0)
            kinds.push_back(block->GetDescription());
    }
    for (const GameTools::XMLNode* kind : kinds) {
        const u32 pieces = kind != nullptr ? GameLogicData::ReadFragmentCount(*kind) : 0;
        if (pieces == 0)
            continue;
        const u32 group = explosions_->CreateGroup("geometry/" + GameTools::GetXMLString(kind, "name") + "/fragments",
                                                   pieces, !GameTools::GetXMLBool(kind, "fake_fragments", false),
                                                   users[kind]);
        for (Block* block : blocks_)
            if (block->GetDescription() == kind)
                block->SetExplosionGroup(group);
    }
}

void GameGeometry::LinkStacks()
{
    const std::vector<std::unique_ptr<BlockRecord>>& records = levelData_->GetBlockRecords();
    for (std::size_t i = 0; i < records.size() && i < blocks_.size(); ++i) {
        for (Halvard::u16 support : records[i]->supports)
            if (support < blocks_.size())
                blocks_[i]->AddBelow(blocks_[support]);
        for (Halvard::u16 upper : records[i]->above)
            if (upper < blocks_.size())
                blocks_[i]->AddAbove(blocks_[upper]);
    }
}

void GameGeometry::Update(float timeScale)
{
    if (frozen_ != 0)
        return;
    animation_->speed = timeScale * levelData_->GetAnimationSpeed();
    animation_->Update();
    for (std::size_t i = 0; i < blocks_.size();) {
        if (blocks_[i]->IsAlive())
            ++i;
        else
            RemoveBlock(blocks_[i]);
    }
    const u32 frameA = animation_->GetFrameA();
    const u32 frameB = animation_->GetFrameB();
    const float blend = animation_->GetBlend();
    for (Block* block : blocks_)
        block->Update(frameA, frameB, blend);
    explosions_->Update();
}

void GameGeometry::RemoveBlock(Block* block)
{
    if (EraseFrom(bricks_, block)) {
        if (CountsForCompletion(block->GetKindFlags()) && blocksToDestroy_ > 0)
            --blocksToDestroy_;
    } else {
        EraseFrom(ballKeepers_, block);
    }
    if (!EraseFrom(blocks_, block))
        return;
    for (Block* other : blocks_) {
        other->RemoveBelow(block);
        other->RemoveAbove(block);
    }
    delete block;
}

} // namespace Tamrisk
