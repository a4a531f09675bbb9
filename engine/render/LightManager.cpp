#include "engine/render/LightManager.h"

#include "engine/render/Light.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>

namespace Halvard {

LightManager::LightManager(MessageManager* messages, RenderSystem* renderSystem)
    : messages_(messages), renderSystem_(renderSystem)
{
}

LightManager::~LightManager()
{
    freeSlots_.clear();
    for (u32 slot : liveSlots_)
        delete slots_[slot];
    liveSlots_.clear();
    slots_.clear();
}

u32 LightManager::FreeDeviceIndex() const
{
    const auto used = [this](u32 index) {
        return std::any_of(liveSlots_.begin(), liveSlots_.end(),
                           [&](u32 slot) { return slots_[slot]->GetDeviceIndex() == index; });
    };
    u32 index = 0;
    while (index < slots_.size() && used(index))
        ++index;
    return index;
}

Light* LightManager::CreateLight()
{
    const u32 deviceIndex = FreeDeviceIndex();
    u32 slot = static_cast<u32>(slots_.size());
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    }
    Light* light = renderSystem_->CreateLight(deviceIndex).release();
    if (slot == slots_.size())
        slots_.push_back(light);
    else
        slots_[slot] = light;
    liveSlots_.push_back(slot);
    return light;
}

void LightManager::DestroyLight(Light* light)
{
    if (light == nullptr)
        return;
    const auto live =
        std::find_if(liveSlots_.begin(), liveSlots_.end(), [&](u32 slot) { return slots_[slot] == light; });
    if (live == liveSlots_.end())
        return;
    const u32 slot = *live;
    delete light;
    slots_[slot] = nullptr;
    freeSlots_.push_back(slot);
    liveSlots_.erase(live);
}

void LightManager::Update()
{
    renderSystem_->SetAmbientColor(ambientColor_);
    for (u32 slot : liveSlots_)
        slots_[slot]->Refresh();
}

void LightManager::SetLighting(bool on) { renderSystem_->SetLighting(on); }

} // namespace Halvard
