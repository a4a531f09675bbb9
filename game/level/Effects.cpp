#include "game/level/Effects.h"

#include "engine/app/Engine.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "game/level/Shadow.h"

#include <algorithm>

using namespace Halvard;

namespace Tamrisk {

Effects::Effects(Engine* engine, const Lighting* lighting)
    : engine_(engine), particleSystems_(engine->GetParticleSystemManager()), lighting_(lighting)
{
}

Effects::~Effects()
{
    shadows_.clear();
    for (ParticleSystem* system : effects_)
        particleSystems_->DestroyParticleSystem(system);
    effects_.clear();
}

Shadow* Effects::AddShadow(Model* model, bool real)
{
    u32 slot = static_cast<u32>(shadows_.size());
    if (!freeSlots_.empty()) {
        slot = freeSlots_.front();
        freeSlots_.pop_front();
    }
    auto shadow = std::make_unique<Shadow>(engine_, lighting_, model, real);
    Shadow* made = shadow.get();
    if (slot == shadows_.size())
        shadows_.push_back(std::move(shadow));
    else
        shadows_[slot] = std::move(shadow);
    activeSlots_.push_back(slot);
    return made;
}

void Effects::RemoveShadow(Shadow* shadow)
{
    if (shadow == nullptr)
        return;
    const auto found = std::find_if(activeSlots_.begin(), activeSlots_.end(),
                                     [&](u32 slot) { return shadows_[slot].get() == shadow; });
    if (found == activeSlots_.end())
        return;
    shadows_[*found].reset();
    freeSlots_.push_back(*found);
    activeSlots_.erase(found);
}

void Effects::StartEffect(ParticleSystem* system)
{
    if (system == nullptr)
        return;
    system->emissionTime = 0.0f;
    system->emitting = true;
    system->SetVisible(true);
    effects_.push_back(system);
}

void Effects::Update()
{
    for (u32 slot : activeSlots_)
        shadows_[slot]->Update();
    const auto spent = std::stable_partition(effects_.begin(), effects_.end(), [](const ParticleSystem* system) {
        return system->emitting || system->liveCount != 0;
    });
    for (auto it = spent; it != effects_.end(); ++it)
        particleSystems_->DestroyParticleSystem(*it);
    effects_.erase(spent, effects_.end());
}

Shadow* Effects::GetShadow(u32 slot) const { return slot < shadows_.size() ? shadows_[slot].get() : nullptr; }

} // namespace Tamrisk
