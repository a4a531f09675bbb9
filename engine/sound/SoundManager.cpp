#include "engine/sound/SoundManager.h"

#include "engine/sound/Sound.h"
#include "engine/sound/SoundBufferManager.h"
#include "engine/sound/SoundSystem.h"
#include "engine/sound/SoundUtils.h"

#include <algorithm>

namespace Halvard {

SoundManager::SoundManager(MessageManager* messages, FileManager* files, SoundSystem* system)
    : messages_(messages), files_(files), system_(system),
      bufferManager_(std::make_unique<SoundBufferManager>(messages, files, system))
{
    system_->SetSoundBufferManager(bufferManager_.get());
}

SoundManager::~SoundManager() { Release(); }

void SoundManager::Release()
{
    requests_.clear();
    freeSlots_.clear();
    for (const u32 slot : live_)
        slots_[slot].reset();
    slots_.clear();
    live_.clear();
    system_->SetSoundBufferManager(nullptr);
    bufferManager_.reset();
}

Sound* SoundManager::CreateSound(const std::string& fileName)
{
    u32 slot = nextSlot_;
    if (freeSlots_.empty()) {
        ++nextSlot_;
    } else {
        slot = freeSlots_.front();
        freeSlots_.pop_front();
    }
    std::unique_ptr<Sound> sound = system_->CreateSound(fileName);
    if (slot == slots_.size())
        slots_.push_back(std::move(sound));
    else
        slots_[slot] = std::move(sound);
    live_.push_back(slot);
    return slots_[slot].get();
}

void SoundManager::DestroySound(Sound* sound)
{
    if (sound == nullptr)
        return;
    const auto held =
        std::find_if(live_.begin(), live_.end(), [&](u32 slot) { return slots_[slot].get() == sound; });
    if (held == live_.end())
        return;
    std::erase_if(requests_, [&](const Request& request) { return request.sound == sound; });
    slots_[*held].reset();
    freeSlots_.push_back(*held);
    live_.erase(held);
}

void SoundManager::PlaySound(Sound* sound, bool now) { Submit(kPlay, sound, now); }

void SoundManager::PauseSound(Sound* sound, bool now) { Submit(kPause, sound, now); }

void SoundManager::StopSound(Sound* sound, bool now) { Submit(kStop, sound, now); }

void SoundManager::Submit(u32 kind, Sound* sound, bool now)
{
    if (sound == nullptr)
        return;
    if (now)
        Carry(kind, sound);
    else
        requests_.push_back({kind, sound});
}

void SoundManager::Carry(u32 kind, Sound* sound)
{
    switch (kind) {
    case kPlay:
        PlayNow(sound);
        break;
    case kPause:
        sound->Pause();
        break;
    default:
        sound->Stop();
        break;
    }
}

void SoundManager::PlayNow(Sound* sound)
{
    if (sound->Play())
        return;
    for (const u32 slot : live_) {
        Sound* other = slots_[slot].get();
        if (other != sound && other->GetState() != kSoundStopped && !other->IsLooped()) {
            other->Stop();
            sound->Play();
            return;
        }
    }
}

void SoundManager::Update(bool flush)
{
    if (flush) {
        for (const Request& request : requests_)
            Carry(request.kind, request.sound);
        requests_.clear();
    }
    for (const u32 slot : live_)
        slots_[slot]->Update();
    bufferManager_->Update();
}

} // namespace Halvard
