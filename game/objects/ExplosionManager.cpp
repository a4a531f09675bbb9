#include "game/objects/ExplosionManager.h"

#include "engine/render/Model.h"
#include "game/objects/Block.h"
#include "game/objects/Explosion.h"

#include <algorithm>

using namespace Halvard;

namespace Tamrisk {

namespace {

// An explosion started this recently is left to run even when the whole
// group is busy: restarting it would show nothing.
constexpr float kJustStarted = 0.0001f;

} // namespace

ExplosionManager::ExplosionManager(Engine* engine, GameTools::DataKeeper* data, Effects* effects)
    : engine_(engine), data_(data), effects_(effects)
{
}

ExplosionManager::~ExplosionManager() = default;

u32 ExplosionManager::GetGroupSize(u32 count)
{
    const u32 size = std::min(count, std::min(count / 2 + 1, kMaxGroupSize));
    return size == 0 ? 1 : size;
}

u32 ExplosionManager::CreateGroup(const std::string& name, u32 pieces, bool models, u32 count)
{
    const u32 group = nextGroupId_++;
    const FragmentSettings settings;
    const u32 size = GetGroupSize(count);
    for (u32 i = 0; i < size; ++i)
        records_.emplace_back(group, std::make_unique<Explosion>(engine_, data_, effects_, name, pieces, models,
                                                                 settings));
    return group;
}

Explosion* ExplosionManager::PickExplosion(u32 group) const
{
    Explosion* longest = nullptr;
    float longestElapsed = kJustStarted;
    for (const auto& [id, explosion] : records_) {
        if (id != group)
            continue;
        if (!explosion->IsRunning())
            return explosion.get();
        if (explosion->GetElapsed() > longestElapsed) {
            longest = explosion.get();
            longestElapsed = explosion->GetElapsed();
        }
    }
    return longest;
}

void ExplosionManager::Trigger(const Block& block)
{
    if (!block.HasExplosionGroup())
        return;
    Explosion* explosion = PickExplosion(block.GetExplosionGroup());
    if (explosion != nullptr)
        explosion->Start(*block.GetModel(), block.HasShadow());
}

void ExplosionManager::Update()
{
    for (const auto& record : records_)
        record.second->Update();
}

} // namespace Tamrisk
