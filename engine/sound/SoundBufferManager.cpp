#include "engine/sound/SoundBufferManager.h"

#include "engine/core/StringUtils.h"
#include "engine/sound/SoundBuffer.h"
#include "engine/sound/SoundSystem.h"

#include <algorithm>

namespace Halvard {

SoundBufferManager::SoundBufferManager(MessageManager* messages, FileManager* files, SoundSystem* system)
    : messages_(messages), files_(files), system_(system)
{
}

SoundBufferManager::~SoundBufferManager()
{
    freeSlots_.clear();
    for (const u32 slot : live_)
        slots_[slot].reset();
}

SoundBuffer* SoundBufferManager::GetBuffer(const std::string& name)
{
    const std::string lower = ToLower(name);
    const SoundBuffer* source = nullptr;
    for (const u32 slot : live_) {
        if (slots_[slot]->GetName() == lower) {
            source = slots_[slot]->IsStreaming() ? nullptr : slots_[slot].get();
            break;
        }
    }
    std::unique_ptr<SoundBuffer> buffer =
        source != nullptr ? system_->CloneSoundBuffer(*source) : system_->CreateSoundBuffer(name);
    u32 slot = static_cast<u32>(slots_.size());
    if (freeSlots_.empty()) {
        slots_.push_back(std::move(buffer));
    } else {
        slot = freeSlots_.front();
        freeSlots_.pop_front();
        slots_[slot] = std::move(buffer);
    }
    live_.push_back(slot);
    return slots_[slot].get();
}

void SoundBufferManager::ReleaseBuffer(SoundBuffer* buffer)
{
    if (buffer == nullptr)
        return;
    const auto held = std::find_if(live_.begin(), live_.end(),
                                   [&](u32 slot) { return slots_[slot].get() == buffer; });
    if (held == live_.end())
        return;
    slots_[*held].reset();
    freeSlots_.push_back(*held);
    live_.erase(held);
}

void SoundBufferManager::Update()
{
    for (const u32 slot : live_)
        slots_[slot]->Update();
}

} // namespace Halvard
